// sonvex-cli write, read, dump, push and pull, against hand-made files and the fake adb in a
// program directory whose path holds a space.

#include "base/TextCodec.h"
#include "settings/CIniSettingBase.h"
#include "tests/cli/CliRun.h"
#include "tests/support/FakeAdb.h"
#include "tests/support/ProcessProbe.h"
#include "tests/support/FloatBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

CliRun RunCli(const std::vector<std::string>& args, const std::string& programDir) {
    return CliRun::Of(args, TextCodec::FromUtf8(programDir + "/"));
}

// A stereo configuration the filter design accepts, with editor state the file does not carry.
const std::string kConfig = "[Language]\r\nLangPath=lang/\r\nSelected=1\r\n"
                            "[System]\r\nLink=1\r\nEQLink=1\r\nChannel=1\r\n"
                            "SWFS=48000\r\nCHANUM=2\r\nEQSwtch=1\r\n"
                            "SCTRGAINL1=-2\r\nSCTRGAINR2=3\r\n"
                            "EQGAINLEFT=1,2,3,4,5,6,7,8,9,10\r\n"
                            "EQCFLEFT=100,200,300,400,500,600,700,800,900,1000\r\n"
                            "EQQLEFT=1,1,1,1,1,1,1,1\r\n"
                            "EQCFRIGHT=110,220,330,440,550,660,770,880,990,1100\r\n"
                            "EQQRIGHT=2,2,2,2,2,2,2,2\r\n"
                            "EQCFLEFT1=100,200,300,400,500,600,700,800\r\n"
                            "EQQLEFT1=1.5,1.5,1.5,1.5,1.5,1.5\r\n"
                            "EQCFRIGHT1=120,240,360,480,600,720,840,960\r\n"
                            "EQQRIGHT1=3,3,3,3,3,3\r\n"
                            "LLMT_THRESHOLD=-1.5\r\n";

// "[v,0,0,...]" with count entries.
std::string ZerosAfter(const std::string& first, int count) {
    std::string text = "[" + first;
    for (int i = 1; i < count; ++i) {
        text += ",0";
    }
    return text + "]";
}

// A mono file made by hand: CHANUM 1, 16000 Hz, switches 1 0 0 1, Gain1 L -4, ten-band gain 0
// of L 6, Gain1 of R 9; coefficient markers at the first position of each area.
std::string MonoFile() {
    std::vector<float> f(614, 0.0f);
    f[0] = 1;
    f[1] = 16000;
    f[2] = 1;
    f[5] = 1;
    f[16] = -4;
    f[27] = 6;
    f[315] = 9;
    f[55] = 0.5f;    // ten-band coefficients of L
    f[354] = 1.5f;   // of R
    f[224] = 2.5f;   // eight-band of L
    f[523] = -0.25f; // of R
    return FloatBytes::LittleEndian(f);
}

// The fake adb's program directory, with libTool.so of this build beside it.
class CliFiles : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(std::string(SONVEX_BIN_DIR) + "/libTool.so",
                      adb_.ProgramDir() + "/libTool.so");
        config_ = adb_.ScratchFile("my config.ini");
        TempDir::WriteBytes(config_, kConfig);
    }
    CliRun Cli(const std::vector<std::string>& args) { return RunCli(args, adb_.ProgramDir()); }
    // The parameter set of the configuration file as it is now.
    ParameterSet LoadConfig() {
        CIniSettingBase config;
        EXPECT_TRUE(config.Load(TextCodec::FromUtf8(config_)));
        return config.Params;
    }
    std::string Local() const { return adb_.ProgramDir() + "/EQPara.bin"; }

    FakeAdb adb_;
    std::string config_;
};

const std::string kRemote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

TEST_F(CliFiles, WriteThenDumpShowsFieldsAndCoefficients) {
    const std::string out = adb_.ScratchFile("out file.bin");
    CliRun run = Cli({"write", config_, out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    const std::string bytes = TempDir::ReadBytes(out);
    ASSERT_EQ(bytes.size(), 2456u);
    EXPECT_EQ(FloatBytes::At(bytes, 0), 2.0f);
    EXPECT_EQ(FloatBytes::At(bytes, 1), 48000.0f);
    EXPECT_EQ(FloatBytes::At(bytes, 16), -2.0f);
    EXPECT_EQ(FloatBytes::At(bytes, 603), 3.0f);
    EXPECT_NE(FloatBytes::At(bytes, 55), 0.0f) << "coefficients designed";

    run = Cli({"dump", out});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string json = run.Compact();
    // The editor state is not in the file: false and 0 although the configuration says 1.
    EXPECT_EQ(json.rfind("{\"Link\":false,\"EQLink\":false,", 0), 0u) << json;
    EXPECT_NE(json.find("\"Channel\":0,"), std::string::npos);
    EXPECT_NE(json.find("\"SWFS\":48000,\"CHANUM\":2,\"SCTRGAINL1\":-2,"), std::string::npos);
    EXPECT_NE(json.find("\"EQGAINLEFT\":[1,2,3,4,5,6,7,8,9,10],"), std::string::npos);
    EXPECT_NE(json.find("\"LLMT_THRESHOLD\":-1.5,"), std::string::npos);
    EXPECT_NE(json.find("\"EQ10COEF_L\":["), std::string::npos);
    EXPECT_NE(json.find("\"EQ8COEF_R\":["), std::string::npos);
}

TEST_F(CliFiles, DumpPrintsTheCoefficientAreasInOrder) {
    const std::string in = adb_.ScratchFile("mono.bin");
    TempDir::WriteBytes(in, MonoFile());
    const CliRun run = Cli({"dump", in});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string json = run.Compact();
    EXPECT_NE(json.find("\"SWFS\":16000,\"CHANUM\":1,\"SCTRGAINL1\":-4,\"SCTRGAINL2\":0,"
                        "\"EQGAINLEFT\":[6,0,0,0,0,0,0,0,0,0],"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"SCTRGAINR1\":9,"), std::string::npos);
    const std::string tail = "\"EQ10COEF_L\":" + ZerosAfter("0.5", 50) +
                             ",\"EQ10COEF_R\":" + ZerosAfter("1.5", 50) +
                             ",\"EQ8COEF_L\":" + ZerosAfter("2.5", 40) +
                             ",\"EQ8COEF_R\":" + ZerosAfter("-0.25", 40) + "}";
    ASSERT_GE(json.size(), tail.size());
    EXPECT_EQ(json.substr(json.size() - tail.size()), tail);
}

TEST_F(CliFiles, ReadSavesTheFileIntoTheConfiguration) {
    const std::string in = adb_.ScratchFile("mono.bin");
    TempDir::WriteBytes(in, MonoFile());
    const CliRun run = Cli({"read", in, config_});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.Compact().find("\"SWFS\":16000,\"CHANUM\":1,"), std::string::npos);
    const ParameterSet params = LoadConfig();
    EXPECT_EQ(params.SWFS, 16000);
    EXPECT_EQ(params.CHANUM, 1);
    EXPECT_EQ(params.SCTRGAINL1, -4);
    EXPECT_EQ(params.SCTRGAINR1, 9);
    EXPECT_EQ(params.SCTRGAINR2, 0);
    EXPECT_EQ(params.EQCFLEFT[3], 0);
    EXPECT_TRUE(params.Link) << "editor state stays";
    EXPECT_EQ(params.Channel, 1);
}

TEST_F(CliFiles, FileErrorsAndRefusalsExitOne) {
    // No file, nothing changed.
    CliRun run = Cli({"read", adb_.ScratchFile("missing.bin"), config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("could not be read"), std::string::npos) << run.err;
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
    EXPECT_EQ(Cli({"dump", adb_.ScratchFile("missing.bin")}).code, 1);

    // A Q of 0 makes NaN coefficients: refused, the old file stays.
    const std::string out = adb_.ScratchFile("out.bin");
    TempDir::WriteBytes(out, "old");
    TempDir::WriteBytes(config_, kConfig + "EQQRIGHT=2,0,2,2,2,2,2,2\r\n");
    run = Cli({"write", config_, out});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("channel R (channel1), ten-band equaliser, band 2"), std::string::npos)
        << run.err;
    EXPECT_EQ(TempDir::ReadBytes(out), "old");

    // Without libTool.so nothing is written.
    TempDir::WriteBytes(config_, kConfig);
    fs::remove(adb_.ProgramDir() + "/libTool.so");
    run = Cli({"write", config_, adb_.ScratchFile("new.bin")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("libTool.so"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(adb_.ScratchFile("new.bin")));
    run = Cli({"push", config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(adb_.Calls().empty());
}

TEST_F(CliFiles, ReadDumpAndPullRefuseFilesTheyCannotTrust) {
    const std::string in = adb_.ScratchFile("short.bin");
    TempDir::WriteBytes(in, FloatBytes::LittleEndian({1, 16000, 1, 0, 0, 1}));
    CliRun run = Cli({"read", in, config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("was not read: it is 24 bytes long, and a parameter file has exactly "
                           "2456 bytes"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("--force"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
    EXPECT_EQ(Cli({"dump", in}).code, 1);
    EXPECT_EQ(Cli({"dump", "--force", in}).code, 0);

    // Asked to, the short file is read, the rest as 0.
    run = Cli({"read", in, config_, "--force"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(LoadConfig().SWFS, 16000);
    EXPECT_EQ(LoadConfig().SCTRGAINL1, 0);

    // A NaN is refused even then.
    TempDir::WriteBytes(config_, kConfig);
    TempDir::WriteBytes(in, FloatBytes::LittleEndian({1, std::numeric_limits<float>::quiet_NaN()}));
    run = Cli({"read", "--force", in, config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("header, SWFS is not a finite number"), std::string::npos) << run.err;
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);

    // Garbage from the device: refused by its length, the earlier copy stays.
    ASSERT_EQ(Cli({"write", config_, Local()}).code, 0);
    const std::string earlier = TempDir::ReadBytes(Local());
    adb_.PutDeviceFile(kRemote, std::string(100000, '\xFF'));
    run = Cli({"pull", config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("\"" + kRemote + "\" was not read: it is 100000 bytes long"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("update parameter fail!"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
    EXPECT_TRUE(TempDir::ReadBytes(Local()) == earlier);

    adb_.PutDeviceFile(kRemote, FloatBytes::LittleEndian({1, 16000}));
    EXPECT_EQ(Cli({"pull", config_}).code, 1);
    run = Cli({"pull", config_, "--force"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(LoadConfig().SWFS, 16000);
}

TEST_F(CliFiles, UsageErrorsExitTwo) {
    for (const std::vector<std::string>& bad : {
             std::vector<std::string>{"write", config_},
             {"read", "a.bin"},
             {"dump"},
             {"dump", "a.bin", "b.bin"},
             {"push"},
             {"pull", config_, "extra"},
             {"push", config_, "--timeout"},
             {"push", config_, "--timeout", "0"},
             {"pull", config_, "--timeout", "5s"},
         }) {
        EXPECT_EQ(Cli(bad).code, 2) << bad[0] << " with " << bad.size() - 1 << " words";
    }
    EXPECT_TRUE(adb_.Calls().empty());
}

TEST_F(CliFiles, PushSendsAndLeavesTheConfiguration) {
    const CliRun run = Cli({"push", config_});
    ASSERT_EQ(run.code, 0) << run.err;
    ASSERT_EQ(adb_.Calls().size(), 1u);
    EXPECT_EQ(adb_.Calls()[0], (std::vector<std::string>{"push", Local(), kRemote}));
    const std::string sent = adb_.ReadDeviceFile(kRemote);
    EXPECT_EQ(sent.size(), 2456u);
    EXPECT_EQ(FloatBytes::At(sent, 16), -2.0f);
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
}

TEST_F(CliFiles, PullSavesWhatItRead) {
    adb_.PutDeviceFile(kRemote, MonoFile());
    const CliRun run = Cli({"pull", config_});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(adb_.Calls()[0], (std::vector<std::string>{"pull", kRemote, Local()}));
    EXPECT_NE(run.Compact().find("\"SWFS\":16000,\"CHANUM\":1,\"SCTRGAINL1\":-4,"),
              std::string::npos);
    const ParameterSet params = LoadConfig();
    EXPECT_EQ(params.CHANUM, 1);
    EXPECT_EQ(params.EQGAINLEFT[0], 6);
    EXPECT_EQ(params.EQGAINLEFT[1], 0);

    // The next pull names the file after the values now in the configuration.
    adb_.PutDeviceFile("/data/cfg/eq_bin/Para_16000Hz_1ch.bin", MonoFile());
    EXPECT_EQ(Cli({"pull", config_}).code, 0);
    EXPECT_EQ(adb_.Calls().back()[1], "/data/cfg/eq_bin/Para_16000Hz_1ch.bin");
}

TEST_F(CliFiles, FailingAdbExitsOneAndChangesNothing) {
    adb_.PutDeviceFile(kRemote, MonoFile());
    adb_.Set("FAKE_ADB_FAIL", "1");
    for (const char* command : {"push", "pull"}) {
        const CliRun run = Cli({command, config_});
        EXPECT_EQ(run.code, 1) << command;
        EXPECT_NE(run.err.find("update parameter fail!"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("exit code 1"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("no devices/emulators found"), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
}

TEST_F(CliFiles, PullWithoutAFileExitsOne) {
    adb_.Set("FAKE_ADB_NOWRITE", "1");
    ASSERT_EQ(Cli({"write", config_, Local()}).code, 0); // an earlier Set's copy
    const std::string earlier = TempDir::ReadBytes(Local());
    const CliRun run = Cli({"pull", config_});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("left no readable EQPara.bin"), std::string::npos) << run.err;
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
    EXPECT_EQ(TempDir::ReadBytes(Local()), earlier);
}

TEST_F(CliFiles, MissingAdbExitsThree) {
    fs::remove(adb_.AdbPath());
    adb_.Set("PATH", adb_.ScratchFile("empty"));
    for (const char* command : {"push", "pull"}) {
        const CliRun run = Cli({command, config_});
        EXPECT_EQ(run.code, 3) << command;
        EXPECT_NE(run.err.find("update parameter fail!"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("could not be started"), std::string::npos) << run.err;
    }
    EXPECT_EQ(TempDir::ReadBytes(config_), kConfig);
}

TEST_F(CliFiles, HangingFloodingAndLingeringAdb) {
    adb_.Set("FAKE_ADB_HANG", "300");
    auto start = Clock::now();
    CliRun run = Cli({"push", config_, "--timeout", "300"});
    EXPECT_EQ(run.code, 1);
    EXPECT_LT(MillisecondsSince(start), 5000);
    EXPECT_NE(run.err.find("killed at the time-out"), std::string::npos) << run.err;

    adb_.Set("FAKE_ADB_HANG", "");
    adb_.Set("FAKE_ADB_FLOOD", "50000");
    EXPECT_EQ(Cli({"push", config_}).code, 0);

    adb_.Set("FAKE_ADB_FLOOD", "");
    adb_.Linger(60);
    start = Clock::now();
    run = Cli({"pull", config_});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_LT(MillisecondsSince(start), 5000);
    EXPECT_EQ(LoadConfig().SCTRGAINL1, -2); // the pushed file came back
}

} // namespace
