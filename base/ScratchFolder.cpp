#include "base/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

ScratchFolder::ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = (base != nullptr && *base != '\0') ? base : "/tmp";
    pattern += "/sonvex-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) != nullptr) {
        path_ = name.data();
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

std::string ScratchFolder::File(const std::string& name) const {
    return path_.empty() ? std::string() : path_ + "/" + name;
}
