#include "tests/app/AppProgramDir.h"

#include <QByteArray>
#include <QtGlobal>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarker = "#untouched-since-marked";

void Copy(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

} // namespace

AppProgramDir::AppProgramDir(const Contents& contents) : dir_("sonvex-app") {
    const fs::path source(SONVEX_SOURCE_DIR);
    const fs::path bin(SONVEX_BIN_DIR);
    if (contents.config) {
        Copy(source / "data" / "config.ini", dir_.File("config.ini"));
    }
    if (contents.languages) {
        for (const char* name : {"English.ini", "Chinese.ini"}) {
            Copy(source / "data" / "lang" / name, fs::path(dir_.File("lang")) / name);
        }
    }
    if (contents.tool) {
        Copy(bin / "libTool.so", dir_.File("libTool.so"));
    }
    if (contents.adb) {
        Copy(source / "tests" / "device" / "fake-adb", dir_.File("adb"));
        fs::permissions(dir_.File("adb"), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::create_directories(dir_.File("device"));
    qputenv("FAKE_ADB_DEVICE_DIR", QByteArray::fromStdString(dir_.File("device")));
    qputenv("FAKE_ADB_LOG", QByteArray::fromStdString(dir_.File("adb.log")));
    for (const char* name : {"FAKE_ADB_FAIL", "FAKE_ADB_HANG", "FAKE_ADB_NOWRITE", "FAKE_ADB_FLOOD",
                             "FAKE_ADB_LINGER"}) {
        qunsetenv(name);
    }
}

AppProgramDir::~AppProgramDir() {
    qunsetenv("FAKE_ADB_DEVICE_DIR");
    qunsetenv("FAKE_ADB_LOG");
}

std::string AppProgramDir::DeviceFile(const std::string& deviceName) const {
    return dir_.File("device/data/cfg/eq_bin/" + deviceName);
}

std::string AppProgramDir::AdbLog() const {
    return fs::exists(dir_.File("adb.log")) ? TempDir::ReadBytes(dir_.File("adb.log")) : "";
}

std::string AppProgramDir::ConfigText() const {
    return TempDir::ReadBytes(dir_.File("config.ini"));
}

void AppProgramDir::SetConfig(const std::string& key, const std::string& value) {
    std::string text = ConfigText();
    const std::string line = key + "=" + value + "\r\n";
    const std::size_t at = text.find("\r\n" + key + "=");
    if (at == std::string::npos) {
        const std::size_t system = text.find("[System]\r\n");
        if (system == std::string::npos) {
            throw std::runtime_error("config.ini has no [System] section");
        }
        text.insert(system + 10, line);
    } else {
        const std::size_t end = text.find("\r\n", at + 2);
        text.replace(at + 2, end == std::string::npos ? std::string::npos : end + 2 - (at + 2),
                     line);
    }
    TempDir::WriteBytes(dir_.File("config.ini"), text);
}

void AppProgramDir::MarkConfig() {
    TempDir::WriteBytes(dir_.File("config.ini"), ConfigText() + kMarker + "\r\n");
}

bool AppProgramDir::ConfigMarked() const {
    return ConfigText().find(kMarker) != std::string::npos;
}

void AppProgramDir::WriteFile(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(dir_.File(name)).parent_path());
    TempDir::WriteBytes(dir_.File(name), bytes);
}

std::string AppProgramDir::ReadFile(const std::string& name) const {
    return TempDir::ReadBytes(dir_.File(name));
}
