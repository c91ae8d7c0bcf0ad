#include "device/ProcessRunner.h"

#ifndef _WIN32

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/eventfd.h>
#endif

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// How long the reader keeps draining what is already in the pipe once it has been asked to stop;
// bounds the stop when a grandchild keeps writing.
constexpr auto kDrainLimit = std::chrono::milliseconds(250);

void CloseDescriptor(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Keeps the runner's descriptors away from 0, 1 and 2, which the child's actions overwrite (a
// program started with a standard descriptor closed would hand out one of them to a pipe).
bool LiftAboveStandard(int& fd) {
    if (fd > 2) {
        return true;
    }
    const int lifted = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    CloseDescriptor(fd);
    fd = lifted;
    return lifted >= 0;
}

bool MakePipe(int& readEnd, int& writeEnd) {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return false;
    }
    readEnd = fds[0];
    writeEnd = fds[1];
    return LiftAboveStandard(readEnd) && LiftAboveStandard(writeEnd);
}

bool SetNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

int32_t ExitCodeFromStatus(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return -1; // ended by a signal
}

// Reaps the child within timeoutMs (negative: without limit) and returns its exit code, or nullopt
// when it is still running then. A child reaped by someone else (SIGCHLD ignored) counts as -1.
std::optional<int32_t> ReapWithin(pid_t pid, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    auto step = std::chrono::milliseconds(1);
    for (;;) {
        int status = 0;
        const pid_t result = ::waitpid(pid, &status, WNOHANG);
        if (result == pid) {
            return ExitCodeFromStatus(status);
        }
        if (result < 0 && errno != EINTR) {
            return -1;
        }
        const auto now = Clock::now();
        if (result == 0 && timeoutMs >= 0 && now >= deadline) {
            return std::nullopt;
        }
        if (result == 0) {
            auto pause = step;
            if (timeoutMs >= 0) {
                pause =
                    std::min(pause, std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
            }
            std::this_thread::sleep_for(pause);
            step = std::min(step * 2, std::chrono::milliseconds(20));
        }
    }
}

void KillAndReap(pid_t pid) {
    ::kill(-pid, SIGKILL); // the child leads its own process group
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// The spawn attributes and actions, released on every path.
class SpawnSetup {
public:
    SpawnSetup() {
        attributesOk_ = ::posix_spawnattr_init(&attributes_) == 0;
        actionsOk_ = ::posix_spawn_file_actions_init(&actions_) == 0;
    }
    ~SpawnSetup() {
        if (attributesOk_) {
            ::posix_spawnattr_destroy(&attributes_);
        }
        if (actionsOk_) {
            ::posix_spawn_file_actions_destroy(&actions_);
        }
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // The child gets the pipes as 0, 1 and 2 and nothing else, a session of its own, an empty
    // signal mask and the default action for the signals a parent may have ignored or blocked.
    bool Prepare(int input, int output) {
        if (!attributesOk_ || !actionsOk_) {
            return false;
        }
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
        flags |= POSIX_SPAWN_SETSID;
#else
        flags |= POSIX_SPAWN_SETPGROUP; // a process group of its own, so the time-out can kill it
        if (::posix_spawnattr_setpgroup(&attributes_, 0) != 0) {
            return false;
        }
#endif
        sigset_t mask;
        sigemptyset(&mask);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGTSTP, SIGTTIN,
                           SIGTTOU, SIGUSR1, SIGUSR2}) {
            sigaddset(&defaults, signal);
        }
        if (::posix_spawnattr_setflags(&attributes_, flags) != 0 ||
            ::posix_spawnattr_setsigmask(&attributes_, &mask) != 0 ||
            ::posix_spawnattr_setsigdefault(&attributes_, &defaults) != 0) {
            return false;
        }
        if (::posix_spawn_file_actions_adddup2(&actions_, input, 0) != 0 ||
            ::posix_spawn_file_actions_adddup2(&actions_, output, 1) != 0 ||
            ::posix_spawn_file_actions_adddup2(&actions_, output, 2) != 0) {
            return false;
        }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        // Descriptors that some library opened without close-on-exec stay out of the child (and
        // out of a daemon it leaves behind, such as the adb server).
        if (::posix_spawn_file_actions_addclosefrom_np(&actions_, 3) != 0) {
            return false;
        }
#endif
        return true;
    }

    const posix_spawnattr_t* Attributes() const {
        return &attributes_;
    }
    const posix_spawn_file_actions_t* Actions() const {
        return &actions_;
    }

private:
    posix_spawnattr_t attributes_{};
    posix_spawn_file_actions_t actions_{};
    bool attributesOk_ = false;
    bool actionsOk_ = false;
};

} // namespace

ProcessRunner::~ProcessRunner() {
    if (childPending_) {
        WaitForExit(0);
    }
    StopReader();
    CloseDescriptors();
}

bool ProcessRunner::Run(const std::vector<std::string>& argv, int timeoutMs) {
    if (childPending_ || reader_.joinable()) {
        return false;
    }
    command_ = argv;
    exitCode_ = -1;
    timedOut_ = false;
    capturedCount_ = 0;
    processId_ = 0;
    if (command_.empty() || !OpenDescriptors()) {
        CloseDescriptors();
        return false;
    }
    try {
        reader_ = std::thread(&ProcessRunner::ReaderLoop, this);
    } catch (const std::system_error&) {
        CloseDescriptors();
        return false;
    }
    const bool started = StartChild();
    // The child holds its own copies now; without ours the reader sees the end of the pipe as
    // soon as the child and everything it started have closed theirs.
    CloseDescriptor(inputRead_);
    CloseDescriptor(outputWrite_);
    if (!started) {
        StopReader();
        CloseDescriptors();
        exitCode_ = -1;
        return false;
    }
    if (wait_) {
        WaitForExit(timeoutMs);
    }
    return true;
}

bool ProcessRunner::WaitForExit(int timeoutMs) {
    if (!childPending_) {
        return false;
    }
    const pid_t pid = static_cast<pid_t>(processId_);
    const std::optional<int32_t> exitCode = ReapWithin(pid, timeoutMs);
    if (!exitCode) {
        KillAndReap(pid);
        timedOut_ = true;
    }
    exitCode_ = exitCode.value_or(-1);
    childPending_ = false;
    StopReader();
    CloseDescriptors();
    return true;
}

bool ProcessRunner::OpenDescriptors() {
    if (!MakePipe(outputRead_, outputWrite_) || !SetNonBlocking(outputRead_) ||
        !MakePipe(inputRead_, inputWrite_)) {
        return false;
    }
#ifdef __linux__
    stop_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return stop_ >= 0 && LiftAboveStandard(stop_);
#else
    return MakePipe(stop_, stopWrite_) && SetNonBlocking(stop_) && SetNonBlocking(stopWrite_);
#endif
}

void ProcessRunner::CloseDescriptors() {
    CloseDescriptor(inputRead_);
    CloseDescriptor(inputWrite_);
    CloseDescriptor(outputRead_);
    CloseDescriptor(outputWrite_);
    CloseDescriptor(stop_);
    CloseDescriptor(stopWrite_);
}

bool ProcessRunner::StartChild() {
    SpawnSetup setup;
    if (!setup.Prepare(inputRead_, outputWrite_)) {
        return false;
    }
    std::vector<char*> arguments;
    arguments.reserve(command_.size() + 1);
    for (std::string& argument : command_) {
        arguments.push_back(argument.data());
    }
    arguments.push_back(nullptr);
    pid_t pid = 0;
    // posix_spawnp reports a program that is missing or cannot be executed as an error (glibc
    // runs the child with vfork semantics and passes the exec failure back).
    if (::posix_spawnp(&pid, arguments[0], setup.Actions(), setup.Attributes(), arguments.data(),
                       environ) != 0) {
        return false;
    }
    processId_ = static_cast<int32_t>(pid);
    childPending_ = true;
    return true;
}

void ProcessRunner::StopReader() {
    if (!reader_.joinable()) {
        return;
    }
#ifdef __linux__
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_, &one, sizeof one);
#else
    const char one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopWrite_, &one, sizeof one);
#endif
    reader_.join();
}

// Polls the output pipe and the stop descriptor every kReaderStopMs. Ends at the end of the pipe,
// on an error, or when asked to stop, after draining what the pipe already holds.
void ProcessRunner::ReaderLoop() {
    std::array<char, kMaxReadSize + 1> buffer{};
    for (;;) {
        pollfd fds[2] = {{outputRead_, POLLIN, 0}, {stop_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, kReaderStopMs);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[0].revents != 0 && !ReadChunk(buffer)) {
            return;
        }
        if (fds[1].revents != 0) {
            const auto limit = Clock::now() + kDrainLimit;
            while (Clock::now() < limit && ReadChunk(buffer)) {
                pollfd more = {outputRead_, POLLIN, 0};
                if (::poll(&more, 1, 0) <= 0) {
                    return;
                }
            }
            return;
        }
    }
}

bool ProcessRunner::ReadChunk(std::array<char, kMaxReadSize + 1>& buffer) {
    const ssize_t count = ::read(outputRead_, buffer.data(), kMaxReadSize);
    if (count > 0) {
        buffer[static_cast<size_t>(count)] = '\0';
        Keep(buffer.data(), static_cast<int>(count));
        return true;
    }
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return true;
    }
    return false; // end of the pipe, or an error
}

void ProcessRunner::Keep(const char* bytes, int count) {
    const int room = kCaptureCapacity - capturedCount_;
    const int kept = std::min(count, room);
    if (kept > 0) {
        std::memcpy(captured_.data() + capturedCount_, bytes, static_cast<size_t>(kept));
        capturedCount_ += kept;
    }
    if (callback_ != nullptr) {
        callback_(callbackContext_, bytes, count);
    }
}

#endif // !_WIN32
