// Push and pull of the parameter file through the fake adb (tests/support/fake-adb), in a program
// directory whose path holds a space. The hanging, flooding and lingering adb are run through
// sonvex-cli push and pull (tests/cli).

#include "device/DeviceTransfer.h"

#include "base/TextCodec.h"
#include "params/ToolLibrary.h"
#include "tests/support/FakeAdb.h"
#include "tests/support/FloatBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::u16string kFail = u"update parameter fail!";

class RecordingReporter : public TransferReporter {
public:
    void Report(const std::u16string& message) override { messages.push_back(message); }
    std::vector<std::u16string> messages;
};

// A set the filter design accepts: frequencies well below half of 16000 Hz, Q of 1 to 2.
ParameterSet ValidSet(int32_t rate, int32_t channels) {
    ParameterSet s;
    s.SWFS = rate;
    s.CHANUM = channels;
    s.EQSwtch = true;
    s.SCTRGAINL1 = -2;
    s.SCTRGAINR2 = 3;
    for (int i = 0; i < 10; ++i) {
        s.EQCFLEFT[i] = 100 * (i + 1);
        s.EQCFRIGHT[i] = 110 * (i + 1);
        s.EQGAINLEFT[i] = i - 5;
    }
    for (int i = 0; i < 8; ++i) {
        s.EQQLEFT[i] = 1.0f;
        s.EQQRIGHT[i] = 1.5f;
        s.EQCFLEFT1[i] = 200 * (i + 1);
        s.EQCFRIGHT1[i] = 210 * (i + 1);
    }
    for (int i = 0; i < 6; ++i) {
        s.EQQLEFT1[i] = 2.0f;
        s.EQQRIGHT1[i] = 1.25f;
    }
    s.LLMT_THRESHOLD = -1.5f;
    return s;
}

// A complete parameter file of an earlier transfer: one channel at 8000 Hz, everything else 0.
std::string EarlierCopy() {
    std::vector<float> file(614, 0.0f);
    file[0] = 1;
    file[1] = 8000;
    return FloatBytes::LittleEndian(file);
}

class Transfer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tool_.Load(TextCodec::FromUtf8(std::string(SONVEX_BIN_DIR) + "/")),
                  ToolLoadResult::Ok);
    }
    DeviceTransfer Make(int timeoutMs = 10000) {
        return DeviceTransfer(set_, tool_, adb_.ProgramDir16(), reporter_, timeoutMs);
    }
    std::string Local() const { return adb_.ProgramDir() + "/EQPara.bin"; }
    std::string Aside() const { return adb_.ProgramDir() + "/EQPara.bin.previous"; }

    FakeAdb adb_;
    ToolLibrary tool_;
    RecordingReporter reporter_;
    ParameterSet set_ = ValidSet(48000, 2);
};

const std::string kStereoRemote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

TEST_F(Transfer, PushSendsTheWrittenFileUnderItsDeviceName) {
    EXPECT_EQ(Make().TransferParameterFile(TransferDirection::Push), 0);
    ASSERT_EQ(adb_.Calls().size(), 1u);
    EXPECT_EQ(adb_.Calls()[0], (std::vector<std::string>{"push", Local(), kStereoRemote}));
    const std::string sent = adb_.ReadDeviceFile(kStereoRemote);
    ASSERT_EQ(sent.size(), 2456u);
    EXPECT_EQ(sent, TempDir::ReadBytes(Local()));
    EXPECT_EQ(FloatBytes::At(sent, 0), 2.0f);
    EXPECT_EQ(FloatBytes::At(sent, 1), 48000.0f);
    EXPECT_EQ(FloatBytes::At(sent, 16), -2.0f); // Gain1 of L
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(set_, ValidSet(48000, 2));
}

TEST_F(Transfer, MonoNamesTheDeviceFileInBothDirections) {
    set_ = ValidSet(16000, 1);
    const std::string remote = "/data/cfg/eq_bin/Para_16000Hz_1ch.bin";
    DeviceTransfer transfer = Make();
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Push), 0);
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), 0);
    const auto calls = adb_.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], (std::vector<std::string>{"push", Local(), remote}));
    EXPECT_EQ(calls[1], (std::vector<std::string>{"pull", remote, Local()}));
    EXPECT_EQ(FloatBytes::At(adb_.ReadDeviceFile(remote), 315), 0.0f); // R Gain1 not carried
    EXPECT_EQ(set_.SCTRGAINR2, 0); // the mono file read back clears R
    EXPECT_EQ(set_.SCTRGAINL1, -2);
}

TEST_F(Transfer, PullReadsTheDeviceFileInStepsAcrossThreads) {
    TempDir::WriteBytes(Local(), EarlierCopy());
    std::vector<float> file(614, 0.0f);
    file[0] = 1;
    file[1] = 16000;
    file[2] = 0;
    file[5] = 1;
    file[16] = -4; // SCTRGAINL1
    file[27] = 6;  // EQGAINLEFT[0]
    file[315] = 9; // SCTRGAINR1, read whatever CHANUM says
    adb_.PutDeviceFile(kStereoRemote, FloatBytes::LittleEndian(file));

    DeviceTransfer transfer = Make();
    const TransferPlan plan = transfer.Prepare(TransferDirection::Pull);
    ASSERT_TRUE(plan.ready);
    EXPECT_EQ(plan.command.argv.at(0), adb_.AdbPath());
    EXPECT_EQ(plan.command.argv,
              (std::vector<std::string>{adb_.AdbPath(), "pull", kStereoRemote, Local()}));
    EXPECT_FALSE(fs::exists(Local())) << "the earlier copy waits aside";
    AdbRunResult run;
    std::thread worker([&] { run = DeviceTransfer::RunAdb(plan.command); });
    worker.join();
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(transfer.Finish(plan, run), 0);

    EXPECT_EQ(set_.CHANUM, 1);
    EXPECT_EQ(set_.SWFS, 16000);
    EXPECT_FALSE(set_.EQSwtch);
    EXPECT_TRUE(set_.EQSwtch1);
    EXPECT_EQ(set_.SCTRGAINL1, -4);
    EXPECT_EQ(set_.EQGAINLEFT[0], 6);
    EXPECT_EQ(set_.EQGAINLEFT[1], 0);
    EXPECT_EQ(set_.SCTRGAINR1, 9);
    EXPECT_EQ(TempDir::ReadBytes(Local()), FloatBytes::LittleEndian(file));
    EXPECT_FALSE(fs::exists(Aside()));
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(Transfer, FailingAdbLeavesTheSetAndTheOldCopy) {
    adb_.Set("FAKE_ADB_FAIL", "1");
    DeviceTransfer transfer = Make();
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Push), -1);
    EXPECT_EQ(TempDir::ReadBytes(Local()).size(), 2456u) << "a failed push still wrote the file";
    EXPECT_EQ(transfer.LastRun().exitCode, 1);

    TempDir::WriteBytes(Local(), EarlierCopy());
    adb_.PutDeviceFile(kStereoRemote, FloatBytes::LittleEndian({1, 8000}));
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), -1);
    EXPECT_EQ(set_, ValidSet(48000, 2));
    EXPECT_TRUE(TempDir::ReadBytes(Local()) == EarlierCopy());
    EXPECT_FALSE(fs::exists(Aside()));
    EXPECT_EQ(reporter_.messages, (std::vector<std::u16string>{kFail, kFail}));
    EXPECT_EQ(adb_.Calls().size(), 2u);
}

TEST_F(Transfer, PullReportingSuccessWithoutAFileIsAFailure) {
    adb_.Set("FAKE_ADB_NOWRITE", "1");
    adb_.PutDeviceFile(kStereoRemote, FloatBytes::LittleEndian({1, 8000}));
    TempDir::WriteBytes(Local(), EarlierCopy());
    DeviceTransfer transfer = Make();
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), -1);
    EXPECT_EQ(set_, ValidSet(48000, 2));
    EXPECT_TRUE(TempDir::ReadBytes(Local()) == EarlierCopy());
    EXPECT_FALSE(fs::exists(Aside()));
    EXPECT_EQ(reporter_.messages, std::vector<std::u16string>{kFail});

    // Without an earlier copy nothing is left behind either.
    fs::remove(Local());
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), -1);
    EXPECT_FALSE(fs::exists(Local()));
    EXPECT_EQ(set_, ValidSet(48000, 2));
}

TEST_F(Transfer, UntrustworthyPulledFilesAreRefusedAndTheGoodCopyStays) {
    struct Case {
        const char* what;
        std::vector<float> file;
        const char* message;
    };
    std::vector<float> nan(614, 0.0f);
    nan[27 + 3] = std::numeric_limits<float>::quiet_NaN(); // EQGAINLEFT[3]
    const Case cases[] = {
        {"empty", {}, "it is 0 bytes long"},
        {"short", {2, 48000, 1, 1, 1, 1}, "it is 24 bytes long"},
        {"NaN", nan, "channel L (channel0), ten-band equaliser, band 3 (peaking), EQGAINLEFT"},
    };
    DeviceTransfer transfer = Make();
    for (const Case& c : cases) {
        reporter_.messages.clear();
        TempDir::WriteBytes(Local(), EarlierCopy());
        adb_.PutDeviceFile(kStereoRemote, FloatBytes::LittleEndian(c.file));
        EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), -1) << c.what;
        EXPECT_EQ(set_, ValidSet(48000, 2)) << c.what;
        EXPECT_TRUE(TempDir::ReadBytes(Local()) == EarlierCopy()) << c.what;
        EXPECT_FALSE(fs::exists(Aside())) << c.what;
        ASSERT_EQ(reporter_.messages.size(), 1u) << c.what;
        const std::string message = TextCodec::ToUtf8(reporter_.messages[0]);
        EXPECT_NE(message.find("\"" + kStereoRemote + "\" was not read"), std::string::npos)
            << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }

    // A pull killed half-way left part of a file and the good copy aside: a failing pull puts
    // the good copy back instead of moving the part over it.
    TempDir::WriteBytes(Local(), EarlierCopy().substr(0, 1000));
    TempDir::WriteBytes(Aside(), EarlierCopy());
    adb_.Set("FAKE_ADB_FAIL", "1");
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), -1);
    EXPECT_TRUE(TempDir::ReadBytes(Local()) == EarlierCopy());
    EXPECT_FALSE(fs::exists(Aside()));

    // Asked to, a short file is read: the rest of its values are 0.
    adb_.Set("FAKE_ADB_FAIL", "");
    adb_.PutDeviceFile(kStereoRemote, FloatBytes::LittleEndian({1, 16000}));
    transfer.SetFileLength(FileLength::Any);
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), 0);
    EXPECT_EQ(set_.SWFS, 16000);
    EXPECT_EQ(set_.SCTRGAINL1, 0);
}

TEST_F(Transfer, MissingAdbIsNotStarted) {
    fs::remove(adb_.AdbPath());
    adb_.Set("PATH", adb_.ScratchFile("empty")); // no adb of the system either
    TempDir::WriteBytes(Local(), "copy of an earlier Set");
    DeviceTransfer transfer = Make();
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Pull), -2);
    EXPECT_EQ(TempDir::ReadBytes(Local()), "copy of an earlier Set");
    EXPECT_EQ(set_, ValidSet(48000, 2));
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Push), -2);
    EXPECT_FALSE(transfer.LastRun().started);
    EXPECT_EQ(reporter_.messages, (std::vector<std::u16string>{kFail, kFail}));

    // An adb that cannot be executed is passed over as well.
    TempDir::WriteBytes(adb_.AdbPath(), "#!/bin/sh\nexit 0\n");
    fs::permissions(adb_.AdbPath(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Push), -2);
}

TEST_F(Transfer, AdbIsFoundOnThePathWhenNotBesideTheProgram) {
    const std::string elsewhere = adb_.ScratchFile("tools");
    fs::create_directory(elsewhere);
    fs::rename(adb_.AdbPath(), elsewhere + "/adb");
    adb_.Set("PATH", adb_.ScratchFile("empty") + ":" + elsewhere + ":" + std::getenv("PATH"));
    EXPECT_EQ(DeviceTransfer::FindAdb(adb_.ProgramDir16()), elsewhere + "/adb");
    EXPECT_EQ(Make().TransferParameterFile(TransferDirection::Push), 0);
    EXPECT_TRUE(adb_.HasDeviceFile(kStereoRemote));
}

TEST_F(Transfer, RefusedPushRunsNoAdb) {
    set_.EQQRIGHT1[4] = 0.0f; // band 5 of R's eight-band equaliser
    TempDir::WriteBytes(Local(), "copy of an earlier Set");
    DeviceTransfer transfer = Make();
    EXPECT_EQ(transfer.TransferParameterFile(TransferDirection::Push), -1);
    EXPECT_TRUE(adb_.Calls().empty());
    EXPECT_EQ(TempDir::ReadBytes(Local()), "copy of an earlier Set");
    ASSERT_EQ(reporter_.messages.size(), 1u);
    const std::string message = TextCodec::ToUtf8(reporter_.messages[0]);
    EXPECT_NE(message.find("was not written"), std::string::npos) << message;
    EXPECT_NE(message.find("channel R (channel1), eight-band equaliser, band 5"), std::string::npos)
        << message;

    const ToolLibrary unloaded;
    RecordingReporter reporter;
    set_ = ValidSet(48000, 2);
    DeviceTransfer without(set_, unloaded, adb_.ProgramDir16(), reporter);
    EXPECT_EQ(without.TransferParameterFile(TransferDirection::Push), -1);
    EXPECT_TRUE(adb_.Calls().empty());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(TextCodec::ToUtf8(reporter.messages[0]).find("libTool.so"), std::string::npos);
}

TEST_F(Transfer, DefaultsAndNames) {
    DeviceTransfer transfer(set_, tool_, adb_.ProgramDir16(), reporter_);
    EXPECT_EQ(transfer.Prepare(TransferDirection::Push).command.timeoutMs, 25000);
    EXPECT_EQ(DeviceTransfer::DeviceFileName(44100, 2), "Para_44100Hz_2ch.bin");
    EXPECT_EQ(DeviceTransfer::DeviceFileName(8000, 1), "Para_8000Hz_1ch.bin");
}

} // namespace
