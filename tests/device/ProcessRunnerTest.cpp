#include "device/ProcessRunner.h"

#include "tests/support/ProcessProbe.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> Shell(const std::string& script) {
    return {"sh", "-c", script};
}

struct ExitCase {
    const char* script;
    int32_t exitCode;
};

void PrintTo(const ExitCase& exitCase, std::ostream* out) {
    *out << '"' << exitCase.script << '"';
}

class ProcessRunnerExit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ProcessRunnerExit, ReportsTheStatusAndLeavesNoZombie) {
    ProcessRunner runner;
    ASSERT_TRUE(runner.Run(Shell(GetParam().script), 10000));
    EXPECT_EQ(runner.ExitCode(), GetParam().exitCode);
    EXPECT_FALSE(runner.HasChild());
    ASSERT_GT(runner.ProcessId(), 0);
    EXPECT_FALSE(IsUnreapedChild(runner.ProcessId()));
    EXPECT_FALSE(runner.WaitForExit(0)) << "nothing left to wait for";
}

INSTANTIATE_TEST_SUITE_P(Statuses, ProcessRunnerExit,
                         ::testing::Values(ExitCase{"exit 0", 0}, ExitCase{"exit 1", 1},
                                           ExitCase{"exit 255", 255}, ExitCase{"kill -TERM $$", -1},
                                           ExitCase{"kill -KILL $$", -1}));

TEST(ProcessRunner, CommandsThatCannotStartReportFalseAndMinusOne) {
    TempDir dir;
    const std::string plain = dir.File("not executable");
    TempDir::WriteBytes(plain, "#!/bin/sh\nexit 0\n");
    ::chmod(plain.c_str(), 0644);
    const std::vector<std::vector<std::string>> commands = {
        {"sonvex-no-such-command-4e1d"},
        {dir.File("missing/prog")},
        {plain},
        {dir.Path()},
        {""},
        {},
    };
    for (const auto& command : commands) {
        ProcessRunner runner;
        EXPECT_FALSE(runner.Run(command, 5000)) << (command.empty() ? "<empty>" : command[0]);
        EXPECT_EQ(runner.ExitCode(), -1);
        EXPECT_EQ(runner.ProcessId(), 0);
        EXPECT_FALSE(runner.HasChild());
        EXPECT_EQ(runner.CapturedCount(), 0);
    }
    ProcessRunner reused;
    ASSERT_FALSE(reused.Run({"sonvex-no-such-command-4e1d"}, 5000));
    ASSERT_TRUE(reused.Run(Shell("exit 4"), 5000)) << "a runner works again after a failure";
    EXPECT_EQ(reused.ExitCode(), 4);
}

TEST(ProcessRunner, OutputAndErrorShareOnePipeInOrder) {
    ProcessRunner runner;
    ASSERT_TRUE(runner.Run(Shell("echo out; echo err >&2; printf tail"), 10000));
    EXPECT_EQ(runner.ExitCode(), 0);
    EXPECT_EQ(runner.CapturedOutput(), "out\nerr\ntail");
    EXPECT_EQ(runner.CapturedCount(), 12);
}

TEST(ProcessRunner, ArgumentsArriveIntactWithoutAShell) {
    ProcessRunner runner;
    ASSERT_TRUE(runner.Run({"printf", "[%s]\\n", "a b", "it's", "\"q\"", "$HOME", "*", "",
                            "semi;colon | pipe", "back\\slash", "  lead"},
                           10000));
    EXPECT_EQ(runner.ExitCode(), 0);
    EXPECT_EQ(runner.CapturedOutput(), "[a b]\n[it's]\n[\"q\"]\n[$HOME]\n[*]\n[]\n"
                                       "[semi;colon | pipe]\n[back\\slash]\n[  lead]\n");
}

TEST(ProcessRunner, TimeOutKillsTheChildAndItsWholeGroup) {
    ProcessRunner runner;
    // The child prints the id of a grandchild in its process group, then both sleep.
    const auto started = Clock::now();
    ASSERT_TRUE(runner.Run(Shell("sleep 30 & echo $!; sleep 30"), 500));
    const auto elapsed = MillisecondsSince(started);
    EXPECT_EQ(runner.ExitCode(), -1);
    EXPECT_GE(elapsed, 450);
    EXPECT_LT(elapsed, 500 + 1200);
    EXPECT_FALSE(IsUnreapedChild(runner.ProcessId()));
    const int grandchild = std::atoi(std::string(runner.CapturedOutput()).c_str());
    ASSERT_GT(grandchild, 1) << runner.CapturedOutput();
    EXPECT_TRUE(EndsWithin(grandchild, 3000)) << "the grandchild outlived the time-out";
}

TEST(ProcessRunner, AChildReadingItsInputBlocksOnAnEmptyPipe) {
    // Standard input is a pipe nobody writes: not a terminal, not the test's own input.
    ProcessRunner runner;
    ASSERT_TRUE(runner.Run(
        Shell("[ -t 0 ] && echo tty; [ -p /dev/stdin ] && echo pipe; read line; echo read=$?"),
        500));
    EXPECT_EQ(runner.ExitCode(), -1);
    EXPECT_EQ(runner.CapturedOutput(), "pipe\n");
}

TEST(ProcessRunner, FloodIsDrainedAndTheFirst40960BytesAreKept) {
    struct Seen {
        std::string bytes;
        int chunks = 0;
        bool chunkSizesOk = true;
        bool terminated = true;
    } seen;
    ProcessRunner runner;
    runner.SetOutputCallback(
        [](void* context, const char* bytes, int count) {
            auto& s = *static_cast<Seen*>(context);
            s.bytes.append(bytes, static_cast<size_t>(count));
            ++s.chunks;
            s.chunkSizesOk = s.chunkSizesOk && count >= 1 && count <= 4095;
            s.terminated = s.terminated && bytes[count] == '\0';
        },
        &seen);
    // 50000 bytes a..z repeated: far more than a pipe holds, so an undrained child would block.
    ASSERT_TRUE(runner.Run(
        Shell("awk 'BEGIN { for (i = 0; i < 50000; i++) printf \"%c\", 97 + i % 26 }'"), 20000));
    EXPECT_EQ(runner.ExitCode(), 0);
    std::string expected;
    for (int i = 0; i < 50000; ++i) {
        expected.push_back(static_cast<char>('a' + i % 26));
    }
    EXPECT_EQ(runner.CapturedCount(), 40960);
    EXPECT_EQ(runner.CapturedOutput(), expected.substr(0, 40960));
    EXPECT_EQ(seen.bytes.size(), 50000u);
    EXPECT_EQ(seen.bytes, expected);
    EXPECT_GE(seen.chunks, 13) << "reads are at most 4095 bytes";
    EXPECT_TRUE(seen.chunkSizesOk);
    EXPECT_TRUE(seen.terminated);
}

TEST(ProcessRunner, AGrandchildHoldingThePipeDoesNotHoldUpRun) {
    ProcessRunner runner;
    const auto started = Clock::now();
    ASSERT_TRUE(runner.Run(Shell("sleep 30 & echo started; exit 3"), 10000));
    const auto elapsed = MillisecondsSince(started);
    ::kill(-runner.ProcessId(), SIGKILL); // the sleeper shares the child's process group
    EXPECT_EQ(runner.ExitCode(), 3);
    EXPECT_EQ(runner.CapturedOutput(), "started\n");
    EXPECT_LT(elapsed, 5000) << "Run waited for the end of the pipe or for the time-out";
}

TEST(ProcessRunner, ADetachedGrandchildHoldingThePipeDoesNotHoldUpTheTimeOut) {
    // Like the adb server: a grandchild in a session of its own survives the group kill.
    if (::access("/usr/bin/setsid", X_OK) != 0 && ::access("/bin/setsid", X_OK) != 0) {
        GTEST_SKIP() << "setsid is not installed";
    }
    ProcessRunner runner;
    const auto started = Clock::now();
    ASSERT_TRUE(runner.Run(Shell("setsid sleep 30 & echo $!; sleep 30"), 500));
    const auto elapsed = MillisecondsSince(started);
    const int detached = std::atoi(std::string(runner.CapturedOutput()).c_str());
    if (detached > 1) {
        ::kill(detached, SIGKILL);
    }
    EXPECT_EQ(runner.ExitCode(), -1);
    EXPECT_GT(detached, 1) << runner.CapturedOutput();
    EXPECT_LT(elapsed, 500 + 1200);
}

TEST(ProcessRunner, TheChildGetsThePipesAndNoOtherDescriptor) {
    // A descriptor the program opened without close-on-exec must not reach the child either.
    const int stray = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 0);
    ProcessRunner runner;
    runner.SetWait(false);
    ASSERT_TRUE(runner.Run({"sleep", "30"}, 0));
    ASSERT_TRUE(runner.HasChild());
    const std::string fdDir = "/proc/" + std::to_string(runner.ProcessId()) + "/fd";
    // sleep opens its locale files for a moment as it starts; an inherited descriptor stays.
    const std::vector<std::string> standard = {"0", "1", "2"};
    std::vector<std::string> names;
    for (const auto deadline = Clock::now() + std::chrono::seconds(3);;) {
        names.clear();
        for (const auto& entry : std::filesystem::directory_iterator(fdDir)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        if (names == standard || Clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string input = LinkTarget(fdDir + "/0");
    const std::string output = LinkTarget(fdDir + "/1");
    const std::string error = LinkTarget(fdDir + "/2");
    ::close(stray);
    EXPECT_TRUE(runner.WaitForExit(0));
    EXPECT_EQ(runner.ExitCode(), -1) << "killed: it would have slept on";
    EXPECT_EQ(names, standard);
    EXPECT_EQ(input.rfind("pipe:", 0), 0u) << input;
    EXPECT_EQ(output.rfind("pipe:", 0), 0u) << output;
    EXPECT_EQ(output, error);
    EXPECT_NE(input, output);
}

TEST(ProcessRunner, WithoutWaitingTheCallerWaitsLater) {
    ProcessRunner runner;
    runner.SetWait(false);
    EXPECT_FALSE(runner.WaitForExit(0)) << "no child yet";
    ASSERT_TRUE(runner.Run(Shell("sleep 0.3; echo late; exit 7"), 0));
    EXPECT_TRUE(runner.HasChild());
    EXPECT_EQ(runner.ExitCode(), -1) << "not ended yet";
    EXPECT_FALSE(runner.Run(Shell("exit 0"), 0)) << "one child at a time";
    ASSERT_TRUE(runner.WaitForExit(-1));
    EXPECT_EQ(runner.ExitCode(), 7);
    EXPECT_EQ(runner.CapturedOutput(), "late\n");
    EXPECT_FALSE(runner.WaitForExit(-1));
}

TEST(ProcessRunner, DestroyingARunnerKillsAndReapsItsChild) {
    int pid = 0;
    {
        ProcessRunner runner;
        runner.SetWait(false);
        ASSERT_TRUE(runner.Run({"sleep", "30"}, 0));
        pid = runner.ProcessId();
        ASSERT_TRUE(IsUnreapedChild(pid));
    }
    EXPECT_FALSE(IsUnreapedChild(pid));
    EXPECT_TRUE(EndsWithin(pid, 3000));
}

} // namespace
