#include "tests/support/OtherUser.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

bool OtherUser::Available() {
    return ::geteuid() == 0;
}

OtherUser::Outcome OtherUser::Run(const std::function<int(std::string& text)>& fn) {
    Outcome outcome;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return outcome;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return outcome;
    }
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kId, kId, kId) != 0 ||
            ::setresuid(kId, kId, kId) != 0) {
            ::_exit(255);
        }
        std::string text;
        const int code = fn(text);
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(pipeFds[1], text.data() + done, text.size() - done);
            if (n <= 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        ::_exit(code & 0xFF);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        outcome.text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        outcome.code = WEXITSTATUS(status);
    }
    return outcome;
}
