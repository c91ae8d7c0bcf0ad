// The real adb client (Debian package adb) with no device attached: the failure path end to end.

#include "device/ProcessRunner.h"

#include "tests/support/ProcessProbe.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A TCP port on the loopback interface that was free a moment ago.
std::string FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return std::to_string(port > 0 ? port : 5037);
}

// The adb server started by the test runs on a port of its own, so a server the developer runs
// is left alone, and is stopped again however the test ends.
class AdbServerScope {
public:
    explicit AdbServerScope(std::string adb) : adb_(std::move(adb)) {
        if (const char* old = std::getenv("ANDROID_ADB_SERVER_PORT")) {
            oldPort_ = old;
        }
        ::setenv("ANDROID_ADB_SERVER_PORT", FreePort().c_str(), 1);
    }
    ~AdbServerScope() {
        if (!stopped_) {
            KillServer();
        }
        if (oldPort_) {
            ::setenv("ANDROID_ADB_SERVER_PORT", oldPort_->c_str(), 1);
        } else {
            ::unsetenv("ANDROID_ADB_SERVER_PORT");
        }
    }
    AdbServerScope(const AdbServerScope&) = delete;
    AdbServerScope& operator=(const AdbServerScope&) = delete;

    // Stops the server now; true when adb said it did.
    bool KillServer() {
        ProcessRunner stop;
        stopped_ = stop.Run({adb_, "kill-server"}, 10000) && stop.ExitCode() == 0;
        return stopped_;
    }

private:
    std::string adb_;
    std::optional<std::string> oldPort_;
    bool stopped_ = false;
};

TEST(AdbClient, PushWithoutADeviceEndsWithAFailureCodeWithinSeconds) {
    const std::string adb = "/usr/bin/adb";
    if (::access(adb.c_str(), X_OK) != 0) {
        GTEST_SKIP() << "the adb client is not installed (Debian package adb; scripts/setup-deps)";
    }
    AdbServerScope server(adb);

    // The server that this call starts inherits nothing of the runner's pipes but its standard
    // descriptors; the runner must not wait for it.
    ProcessRunner devices;
    auto started = Clock::now();
    ASSERT_TRUE(devices.Run({adb, "devices"}, 25000));
    EXPECT_LT(MillisecondsSince(started), 15000);
    if (devices.ExitCode() == 0 &&
        devices.CapturedOutput().find("\tdevice") != std::string_view::npos) {
        GTEST_SKIP() << "a device is attached; this test needs none";
    }

    TempDir dir("sonvex adb client");
    const std::string local = dir.File("EQPara.bin");
    TempDir::WriteBytes(local, std::string(2456, '\0'));
    ProcessRunner push;
    started = Clock::now();
    ASSERT_TRUE(push.Run({adb, "push", local, "/data/cfg/eq_bin/Para_48000Hz_2ch.bin"}, 25000));
    EXPECT_LT(MillisecondsSince(started), 10000);
    EXPECT_GT(push.ExitCode(), 0) << "adb itself reports the failure: " << push.CapturedOutput();
    EXPECT_NE(push.CapturedOutput().find("error"), std::string_view::npos) << push.CapturedOutput();

    EXPECT_TRUE(server.KillServer());
}

} // namespace
