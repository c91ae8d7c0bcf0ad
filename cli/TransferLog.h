#pragma once

#include <fstream>
#include <mutex>
#include <string>

// sonvex-cli --log FILE: one JSON line appended per device and run, so that a production line
// keeps a record of what each unit received:
//   {"time":"2026-05-04T09:12:33Z","command":"push","serial":"R58M123","result":"ok",
//    "sha256":"<64 hex digits>"}
// time is UTC; serial is empty when adb chose the device; sha256 is that of the file sent (push)
// or received (pull), null when there was none. Each line is flushed as it is written.
class TransferLog {
public:
    // Opens path for appending; false when it cannot be (nothing is sent then).
    bool Open(const std::string& path);
    bool IsOpen() const { return file_.is_open(); }
    // Appends one line; false when it could not be written. Safe from several threads.
    bool Append(const std::string& command, const std::string& serial, const std::string& result,
                const std::string& sha256);

private:
    std::ofstream file_;
    std::mutex lock_;
};
