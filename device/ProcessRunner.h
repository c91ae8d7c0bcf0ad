#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Runs one external command as a hidden child process and reports whether it could be started
// and with which exit code it ended. One runner runs one command at a time; the device transfer
// keeps one on its stack for the duration of one adb run.
//
// The command is an argument vector handed to the system as it is: no shell is involved, so
// spaces, quotes and shell characters in arguments arrive intact. argv[0] is searched in PATH
// when it holds no '/'; give a full path to run a particular program.
//
// The child runs in a session (and process group) of its own, with the program's environment and
// current directory. Its standard input is a pipe that is never written (a child that reads it
// blocks until the time-out); its standard output and standard error share one pipe, which a
// reader thread drains. No other descriptor of the program reaches the child: every descriptor
// the runner creates is close-on-exec, and the child closes everything above 2 before it starts.
//
// Threads: Run and WaitForExit block the calling thread. The reader thread alone writes the
// captured output and calls the output callback; read the results only after WaitForExit (or a
// waiting Run) has returned.
//
// POSIX only (posix_spawn, pipes, poll, eventfd on Linux). A Windows build needs its own
// implementation of the private part behind the same interface.
class ProcessRunner {
public:
    // Called on the reader thread with every chunk read from the child, in order: 1 to
    // kMaxReadSize bytes, followed by a 0 byte that is not counted. It must not block, since
    // WaitForExit joins the reader thread.
    using OutputCallback = void (*)(void* context, const char* bytes, int count);

    // Bytes of the child's output kept in CapturedOutput (later output goes to the callback only).
    static constexpr int kCaptureCapacity = 40960;
    // The largest chunk read from the pipe at once.
    static constexpr int kMaxReadSize = 4095;
    // After the child has ended, the reader is asked to stop; it ends within about this long even
    // when a grandchild still holds the output pipe open.
    static constexpr int kReaderStopMs = 100;

    ProcessRunner() = default;
    // A child still running (Run without waiting, never waited for) is killed with its process
    // group and reaped; the reader thread is stopped and joined.
    ~ProcessRunner();
    ProcessRunner(const ProcessRunner&) = delete;
    ProcessRunner& operator=(const ProcessRunner&) = delete;

    // Whether Run waits for the child (default: yes). Without waiting, Run returns as soon as the
    // child is started (its timeoutMs is unused) and the caller must call WaitForExit.
    void SetWait(bool wait) { wait_ = wait; }
    bool Wait() const { return wait_; }
    // Null (the default) for no callback.
    void SetOutputCallback(OutputCallback callback, void* context) {
        callback_ = callback;
        callbackContext_ = context;
    }

    // Starts the reader thread and the child. Returns false, with ExitCode -1, when either could
    // not be started (empty argv, program not found or not executable, no pipes left). Returns
    // true when both were started; when waiting, the child has then ended (or was killed at the
    // time-out), every descriptor is closed and ExitCode holds the result. A negative timeoutMs
    // waits without limit. Also false, without touching anything, while an earlier child of this
    // runner has not been waited for.
    bool Run(const std::vector<std::string>& argv, int timeoutMs);

    // Waits up to timeoutMs (negative: without limit) for the child. When it does not end in
    // time, it is killed together with its process group (SIGKILL) and reaped; ExitCode is then
    // -1. Then the reader thread is stopped and joined and every descriptor closed. Returns false
    // at once when there is no child to wait for, true otherwise.
    bool WaitForExit(int timeoutMs);

    // The child's exit status (0 to 255) when it exited on its own; -1 before it ends, when it
    // was not started, when it was killed at the time-out or ended by any signal, and when its
    // status could not be read.
    int32_t ExitCode() const { return exitCode_; }
    // Whether the last child was killed because it outlived the time-out.
    bool TimedOut() const { return timedOut_; }
    // The argument vector of the last Run.
    const std::vector<std::string>& Command() const { return command_; }
    // The first kCaptureCapacity bytes the child wrote to standard output and error together.
    std::string_view CapturedOutput() const {
        return std::string_view(captured_.data(), static_cast<size_t>(capturedCount_));
    }
    int32_t CapturedCount() const { return capturedCount_; }
    // The id of the last child started, 0 when none was; kept after the child has been reaped.
    // The child leads its own process group, so -ProcessId() names that group.
    int32_t ProcessId() const { return processId_; }
    // Whether a started child has not been waited for yet.
    bool HasChild() const { return childPending_; }

private:
    bool OpenDescriptors();
    void CloseDescriptors();
    bool StartChild();
    void StopReader();
    void ReaderLoop();
    // Reads one chunk; false at the end of the pipe or on an error.
    bool ReadChunk(std::array<char, kMaxReadSize + 1>& buffer);
    void Keep(const char* bytes, int count);

    bool wait_ = true;
    OutputCallback callback_ = nullptr;
    void* callbackContext_ = nullptr;
    std::vector<std::string> command_;
    int32_t exitCode_ = -1;
    bool timedOut_ = false;
    std::array<char, kCaptureCapacity> captured_{};
    int32_t capturedCount_ = 0;
    int32_t processId_ = 0;
    bool childPending_ = false;
    std::thread reader_;

    // Descriptors, -1 when closed. The runner keeps the write end of the child's input (never
    // written) and the read end of its output; the child's ends are closed once it has started.
    int inputRead_ = -1;
    int inputWrite_ = -1;
    int outputRead_ = -1;
    int outputWrite_ = -1;
    int stop_ = -1;      // eventfd (or the read end of a self-pipe) that asks the reader to stop
    int stopWrite_ = -1; // the write end of that self-pipe; -1 with an eventfd
};
