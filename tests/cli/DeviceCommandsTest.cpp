// sonvex-cli devices, diff, and push and pull by serial, to all devices, verified and logged,
// against the fake adb with several devices.
#include "base/Sha256.h"
#include "base/TextCodec.h"
#include "tests/cli/CliRun.h"
#include "tests/support/FakeAdb.h"
#include "tests/support/FloatBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kRemote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

// Stereo at 48000 Hz, ten-band gains 1 to 10 on L; the design accepts it.
const std::string kConfig = "[Language]\r\nSelected=1\r\n[System]\r\nSWFS=48000\r\nCHANUM=2\r\n"
                            "EQGAINLEFT=1,2,3,4,5,6,7,8,9,10\r\n"
                            "EQCFLEFT=100,200,300,400,500,600,700,800,900,1000\r\n"
                            "EQQLEFT=1,1,1,1,1,1,1,1\r\n"
                            "EQCFRIGHT=110,220,330,440,550,660,770,880,990,1100\r\n"
                            "EQQRIGHT=2,2,2,2,2,2,2,2\r\n"
                            "EQCFLEFT1=100,200,300,400,500,600,700,800\r\n"
                            "EQQLEFT1=1.5,1.5,1.5,1.5,1.5,1.5\r\n"
                            "EQCFRIGHT1=120,240,360,480,600,720,840,960\r\n"
                            "EQQRIGHT1=3,3,3,3,3,3\r\n";

class CliDevices : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(std::string(SONVEX_BIN_DIR) + "/libTool.so",
                      adb_.ProgramDir() + "/libTool.so");
        config_ = adb_.ScratchFile("line config.ini");
        TempDir::WriteBytes(config_, kConfig);
        adb_.SetDevices("A1:device:Alpha B2:device:Beta C3:unauthorized D4:offline E5:device:Echo");
    }
    CliRun Cli(const std::vector<std::string>& args) {
        return CliRun::Of(args, TextCodec::FromUtf8(adb_.ProgramDir() + "/"));
    }
    std::string Local() const { return adb_.ProgramDir() + "/EQPara.bin"; }

    FakeAdb adb_;
    std::string config_;
};

TEST_F(CliDevices, DevicesListsSerialStateAndModel) {
    const CliRun run = Cli({"devices"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.Compact().find("{\"devices\":[{\"serial\":\"A1\",\"state\":\"device\","
                                 "\"model\":\"Alpha\"},{\"serial\":\"B2\""),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.Compact().find("{\"serial\":\"C3\",\"state\":\"unauthorized\",\"model\":\"\"}"),
              std::string::npos);
    EXPECT_EQ(adb_.Calls()[0], (std::vector<std::string>{"devices", "-l"}));
}

TEST_F(CliDevices, PushToAllVerifiesEachDeviceAndLogsWhatItReceived) {
    adb_.Set("FAKE_ADB_CORRUPT", "B2");
    adb_.Set("FAKE_ADB_VANISH", "E5");
    const std::string log = adb_.ScratchFile("line log.jsonl");
    TempDir::WriteBytes(log, "{\"earlier\":true}\n");
    const CliRun run = Cli({"push", config_, "--all", "--verify", "--log", log});
    EXPECT_EQ(run.code, 1) << run.err;
    const std::string json = run.Compact();
    for (const char* expected :
         {"{\"serial\":\"A1\",\"result\":\"ok\",", "{\"serial\":\"B2\",\"result\":\"mismatch\",",
          "\"differences\":[{\"field\":\"EQGAINLEFT\",\"channel\":0,\"block\":\"ten-band\","
          "\"band\":3,\"a\":4,\"b\":7,\"index\":30}]",
          "{\"serial\":\"C3\",\"result\":\"unauthorized\",",
          "{\"serial\":\"D4\",\"result\":\"offline\",",
          "{\"serial\":\"E5\",\"result\":\"failed\","}) {
        EXPECT_NE(json.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
    EXPECT_NE(run.err.find("B2: mismatch: EQGAINLEFT, channel0, ten-band equaliser, band 3: "
                           "sent 4, read 7"),
              std::string::npos)
        << run.err;
    const std::string sent = TempDir::ReadBytes(Local());
    EXPECT_EQ(TempDir::ReadBytes(adb_.DeviceFileOf("A1", kRemote)), sent);
    EXPECT_FALSE(fs::exists(adb_.DeviceFileOf("C3", kRemote)));
    // Each device was sent its own copy, none EQPara.bin itself.
    std::vector<std::string> sources;
    for (const auto& call : adb_.Calls()) {
        if (call.size() == 5 && call[2] == "push") {
            EXPECT_NE(call[3], Local());
            sources.push_back(call[3]);
        }
    }
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_TRUE(sources[0] != sources[1] && sources[1] != sources[2] && sources[0] != sources[2]);

    std::istringstream lines(TempDir::ReadBytes(log));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "{\"earlier\":true}");
    int logged = 0;
    while (std::getline(lines, line)) {
        ++logged;
        EXPECT_NE(line.find("\"sha256\":\"" + Sha256::Hex(sent) + "\""), std::string::npos) << line;
        EXPECT_EQ(line.rfind("{\"time\":\"20", 0), 0u) << line;
    }
    EXPECT_EQ(logged, 5);
}

TEST_F(CliDevices, OneDeviceBySerialOrAdbsChoice) {
    CliRun run = Cli({"push", config_, "--serial", "A1"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(adb_.Calls().back(),
              (std::vector<std::string>{"-s", "A1", "push", Local(), kRemote}));
    EXPECT_NE(run.Compact().find("{\"serial\":\"A1\",\"result\":\"ok\""), std::string::npos);

    run = Cli({"push", config_, "--serial", "Z9"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.Compact().find("\"result\":\"failed\",\"seconds\":0,"), std::string::npos);
    EXPECT_NE(run.out.find("\"detail\": \"the device is not attached\""), std::string::npos)
        << run.out;
    EXPECT_EQ(Cli({"push", config_, "--serial", "C3"}).code, 1);

    // Without a serial adb refuses: the command says why.
    run = Cli({"push", config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("more than one device/emulator"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("5 devices are attached"), std::string::npos) << run.err;

    run = Cli({"pull", config_, "--serial", "A1"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(adb_.Calls().back(),
              (std::vector<std::string>{"-s", "A1", "pull", kRemote, Local()}));
    EXPECT_NE(run.Compact().find("\"EQGAINLEFT\":[1,2,3,4,"), std::string::npos);
    run = Cli({"pull", config_, "--serial", "C3"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("C3: unauthorized"), std::string::npos) << run.err;
}

TEST_F(CliDevices, DiffComparesEitherKindOnEitherSide) {
    const std::string file = adb_.ScratchFile("Para.bin");
    ASSERT_EQ(Cli({"write", config_, file}).code, 0);
    CliRun run = Cli({"diff", config_, file});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_EQ(run.Compact(), "{\"identical\":true,\"differences\":[]}");

    std::string changed = TempDir::ReadBytes(file);
    changed.replace(4 * (305 + 298), 4, FloatBytes::LittleEndian({-3})); // Gain2 of R
    const std::string other = adb_.ScratchFile("other.bin");
    TempDir::WriteBytes(other, changed);
    run = Cli({"diff", file, other});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.Compact(), "{\"identical\":false,\"differences\":[{\"field\":\"SCTRGAINR2\","
                             "\"channel\":1,\"block\":\"gain2\",\"band\":null,\"a\":0,\"b\":-3,"
                             "\"index\":603}]}");

    const std::string second = adb_.ScratchFile("second.ini");
    TempDir::WriteBytes(second, kConfig + "Channel=1\r\n[Device]\r\nSerial=A1\r\n");
    run = Cli({"diff", config_, second});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.Compact().find("{\"field\":\"Channel\",\"channel\":null,\"block\":\"editor\""),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.Compact().find("{\"field\":\"Device:Serial\",\"channel\":null,\"block\":"
                                 "\"settings\",\"band\":null,\"a\":null,\"b\":\"A1\"}"),
              std::string::npos);
    // The editor state is no part of the file.
    EXPECT_EQ(Cli({"diff", second, file}).code, 0);

    EXPECT_EQ(Cli({"diff", file, adb_.ScratchFile("missing.bin")}).code, 2);
    TempDir::WriteBytes(adb_.ScratchFile("notes.txt"), "some notes\n");
    EXPECT_EQ(Cli({"diff", adb_.ScratchFile("notes.txt"), file}).code, 2);
    EXPECT_EQ(Cli({"diff", file}).code, 2);
}

TEST_F(CliDevices, UsageErrorsAndAMissingAdb) {
    for (const std::vector<std::string>& bad : {
             std::vector<std::string>{"push", config_, "--all", "--serial", "A1"},
             {"push", config_, "--jobs", "2"},
             {"push", config_, "--all", "--jobs", "0"},
             {"pull", config_, "--all"},
             {"push", config_, "--verify", "--verify"},
             {"devices", "extra"},
         }) {
        EXPECT_EQ(Cli(bad).code, 2) << bad[1] << " " << bad.back();
    }
    EXPECT_TRUE(adb_.Calls().empty());

    fs::remove(adb_.AdbPath());
    adb_.Set("PATH", adb_.ScratchFile("empty"));
    EXPECT_EQ(Cli({"devices"}).code, 3);
    const CliRun run = Cli({"push", config_, "--all", "--verify"});
    EXPECT_EQ(run.code, 3);
    EXPECT_NE(run.err.find("adb was not found"), std::string::npos) << run.err;
}

} // namespace
