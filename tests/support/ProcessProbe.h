#pragma once

// Small probes of processes for the runner and transfer tests (Linux: /proc).

#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

inline long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Whether pid is a child of this process that nobody has reaped yet (running or a zombie). Reaps
// it when it is a zombie.
inline bool IsUnreapedChild(int pid) {
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) >= 0;
}

// Whether the process has ended (gone, or a zombie waiting for a parent that is not us).
inline bool HasEnded(int pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) {
        return true;
    }
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const auto close = text.rfind(')');
    if (close == std::string::npos || close + 2 >= text.size()) {
        return text.empty();
    }
    const char state = text[close + 2];
    return state == 'Z' || state == 'X';
}

// Waits up to timeoutMs for the process to end.
inline bool EndsWithin(int pid, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!HasEnded(pid)) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The target of a symbolic link such as /proc/PID/fd/N ("pipe:[1234]"), empty when unreadable.
inline std::string LinkTarget(const std::string& link) {
    char buffer[256];
    const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}
