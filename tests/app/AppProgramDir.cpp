#include "tests/app/AppProgramDir.h"

#include <QByteArray>
#include <QtGlobal>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarker = "#untouched-since-marked\r\n";

void Copy(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

} // namespace

AppProgramDir::AppProgramDir(const Contents& contents) : dir_("sonvex-app") {
    const fs::path source(SONVEX_SOURCE_DIR);
    if (contents.config) {
        Copy(source / "data/config.ini", File("config.ini"));
    }
    if (contents.languages) {
        Copy(source / "data/lang/English.ini", File("lang/English.ini"));
        Copy(source / "data/lang/Chinese.ini", File("lang/Chinese.ini"));
    }
    if (contents.tool) {
        Copy(fs::path(SONVEX_BIN_DIR) / "libTool.so", File("libTool.so"));
    }
    if (contents.adb) {
        Copy(source / "tests/support/fake-adb", File("adb"));
        fs::permissions(File("adb"), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::create_directories(File("device"));
    qputenv("FAKE_ADB_DEVICE_DIR", QByteArray::fromStdString(File("device")));
    qputenv("FAKE_ADB_LOG", QByteArray::fromStdString(File("adb.log")));
    for (const char* name :
         {"FAKE_ADB_FAIL", "FAKE_ADB_HANG", "FAKE_ADB_NOWRITE", "FAKE_ADB_DEVICES",
          "FAKE_ADB_CORRUPT", "FAKE_ADB_VANISH", "FAKE_ADB_SLOW"}) {
        qunsetenv(name);
    }
}

AppProgramDir::~AppProgramDir() {
    qunsetenv("FAKE_ADB_DEVICE_DIR");
    qunsetenv("FAKE_ADB_LOG");
}

std::string AppProgramDir::Read(const std::string& name) const {
    return fs::exists(File(name)) ? TempDir::ReadBytes(File(name)) : std::string();
}

void AppProgramDir::Write(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(File(name)).parent_path());
    TempDir::WriteBytes(File(name), bytes);
}

void AppProgramDir::SetConfig(const std::string& key, const std::string& value) const {
    std::string text = Config();
    const std::size_t at = text.find("\r\n" + key + "=");
    if (at == std::string::npos) {
        text.insert(text.find("[System]\r\n") + 10, key + "=" + value + "\r\n");
    } else {
        const std::size_t end = text.find("\r\n", at + 2);
        text.replace(at + 2, end - at - 2, key + "=" + value);
    }
    Write("config.ini", text);
}

bool AppProgramDir::ConfigHas(const std::string& line) const {
    return Config().find("\r\n" + line + "\r\n") != std::string::npos;
}

void AppProgramDir::MarkConfig() const {
    Write("config.ini", Config() + kMarker);
}

bool AppProgramDir::Marked() const {
    return Config().find(kMarker) != std::string::npos;
}
