// The fake adb itself, run through the process runner as the device transfer runs adb.

#include "device/ProcessRunner.h"

#include "tests/support/FakeAdb.h"
#include "tests/support/ProcessProbe.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const std::string kRemote = "/data/cfg/eq_bin/Para_48000Hz_2ch.bin";

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 512; ++i) {
        bytes.push_back(static_cast<char>(i % 256));
    }
    return bytes;
}

class FakeAdbScript : public ::testing::Test {
protected:
    // Runs the fake adb with the arguments, waiting up to timeoutMs.
    bool Adb(ProcessRunner& runner, std::vector<std::string> arguments, int timeoutMs = 10000) {
        arguments.insert(arguments.begin(), adb.AdbPath());
        return runner.Run(arguments, timeoutMs);
    }

    FakeAdb adb;
    const std::string local = adb.ProgramDir() + "/EQPara.bin";
};

TEST_F(FakeAdbScript, PushThenPullRoundTripsEveryByteAndLogsEachCall) {
    TempDir::WriteBytes(local, AllByteValues());
    ProcessRunner push;
    ASSERT_TRUE(Adb(push, {"push", local, kRemote}));
    EXPECT_EQ(push.ExitCode(), 0) << push.CapturedOutput();
    EXPECT_EQ(adb.ReadDeviceFile(kRemote), AllByteValues());

    const std::string back = adb.ProgramDir() + "/pulled copy.bin";
    ProcessRunner pull;
    ASSERT_TRUE(Adb(pull, {"pull", kRemote, back}));
    EXPECT_EQ(pull.ExitCode(), 0) << pull.CapturedOutput();
    EXPECT_EQ(TempDir::ReadBytes(back), AllByteValues());

    const std::vector<std::vector<std::string>> expected = {{"push", local, kRemote},
                                                            {"pull", kRemote, back}};
    EXPECT_EQ(adb.Calls(), expected);
}

TEST_F(FakeAdbScript, FailuresExitOneWithAdbsMessagesAndTouchNothing) {
    {
        ProcessRunner pull;
        ASSERT_TRUE(Adb(pull, {"pull", "/data/cfg/eq_bin/Para_16000Hz_1ch.bin", local}));
        EXPECT_EQ(pull.ExitCode(), 1);
        EXPECT_EQ(pull.CapturedOutput(), "adb: error: failed to stat remote object "
                                         "'/data/cfg/eq_bin/Para_16000Hz_1ch.bin': No such file "
                                         "or directory\n");
        EXPECT_FALSE(std::filesystem::exists(local));
    }
    {
        ProcessRunner push;
        ASSERT_TRUE(Adb(push, {"push", adb.ProgramDir() + "/missing.bin", kRemote}));
        EXPECT_EQ(push.ExitCode(), 1);
        EXPECT_FALSE(adb.HasDeviceFile(kRemote));
    }
    TempDir::WriteBytes(local, "new");
    adb.PutDeviceFile(kRemote, "old");
    adb.Set("FAKE_ADB_FAIL", "1");
    {
        ProcessRunner push;
        ASSERT_TRUE(Adb(push, {"push", local, kRemote}));
        EXPECT_EQ(push.ExitCode(), 1);
        EXPECT_EQ(push.CapturedOutput(),
                  "adb: error: failed to get feature set: no devices/emulators found\n");
        EXPECT_EQ(adb.ReadDeviceFile(kRemote), "old");
    }
    adb.Set("FAKE_ADB_FAIL", "");
    adb.Set("FAKE_ADB_DEVICE_DIR", "");
    {
        ProcessRunner push;
        ASSERT_TRUE(Adb(push, {"push", local, kRemote}));
        EXPECT_EQ(push.ExitCode(), 1) << "no device attached";
    }
    EXPECT_EQ(adb.Calls().size(), 4u);
}

TEST_F(FakeAdbScript, NoWriteReportsSuccessWithoutWritingEitherWay) {
    TempDir::WriteBytes(local, "new");
    adb.Set("FAKE_ADB_NOWRITE", "1");
    ProcessRunner push;
    ASSERT_TRUE(Adb(push, {"push", local, kRemote}));
    EXPECT_EQ(push.ExitCode(), 0);
    EXPECT_FALSE(adb.HasDeviceFile(kRemote));

    const std::string back = adb.ProgramDir() + "/back.bin";
    ProcessRunner pull;
    ASSERT_TRUE(Adb(pull, {"pull", kRemote, back}));
    EXPECT_EQ(pull.ExitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(back));
}

TEST_F(FakeAdbScript, HangIsKilledAtTheTimeOut) {
    TempDir::WriteBytes(local, "new");
    adb.Set("FAKE_ADB_HANG", "300");
    ProcessRunner push;
    const auto started = Clock::now();
    ASSERT_TRUE(Adb(push, {"push", local, kRemote}, 500));
    EXPECT_LT(MillisecondsSince(started), 500 + 1200);
    EXPECT_EQ(push.ExitCode(), -1);
    EXPECT_FALSE(adb.HasDeviceFile(kRemote));
    EXPECT_EQ(adb.Calls().size(), 1u) << "logged before hanging";
}

TEST_F(FakeAdbScript, FloodPrecedesANormalPush) {
    TempDir::WriteBytes(local, "new");
    adb.Set("FAKE_ADB_FLOOD", "50000");
    ProcessRunner push;
    ASSERT_TRUE(Adb(push, {"push", local, kRemote}));
    EXPECT_EQ(push.ExitCode(), 0);
    EXPECT_EQ(push.CapturedCount(), 40960);
    EXPECT_EQ(push.CapturedOutput(), std::string(40960, 'x'));
    EXPECT_EQ(adb.ReadDeviceFile(kRemote), "new");
}

TEST_F(FakeAdbScript, LingerLeavesADetachedProcessHoldingTheOutput) {
    TempDir::WriteBytes(local, "new");
    adb.Linger(30);
    ProcessRunner push;
    const auto started = Clock::now();
    ASSERT_TRUE(Adb(push, {"push", local, kRemote}));
    EXPECT_LT(MillisecondsSince(started), 5000);
    EXPECT_EQ(push.ExitCode(), 0);
    EXPECT_EQ(adb.ReadDeviceFile(kRemote), "new");
    const int linger = adb.LingerPid();
    ASSERT_GT(linger, 1);
    EXPECT_FALSE(HasEnded(linger)) << "the lingering process should still hold the pipe";
    if (::access("/usr/bin/setsid", X_OK) == 0 || ::access("/bin/setsid", X_OK) == 0) {
        EXPECT_EQ(::getsid(linger), linger) << "it leads a session of its own";
    }
}

} // namespace
