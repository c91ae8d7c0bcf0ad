#include "cli/TransferLog.h"

#include "cli/JsonWriter.h"

#include <array>
#include <chrono>
#include <ctime>
#include <sstream>

namespace {

std::string UtcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(text.data(), length);
}

} // namespace

bool TransferLog::Open(const std::string& path) {
    file_.open(path, std::ios::out | std::ios::app | std::ios::binary);
    return file_.is_open();
}

bool TransferLog::Append(const std::string& command, const std::string& serial,
                         const std::string& result, const std::string& sha256) {
    std::ostringstream line;
    JsonWriter json(line, false);
    json.BeginObject();
    json.Key("time").String(UtcNow());
    json.Key("command").String(command);
    json.Key("serial").String(serial);
    json.Key("result").String(result);
    json.Key("sha256");
    if (sha256.empty()) {
        json.Null();
    } else {
        json.String(sha256);
    }
    json.EndObject();
    json.Finish();
    const std::lock_guard<std::mutex> hold(lock_);
    file_ << line.str() << std::flush;
    return static_cast<bool>(file_);
}
