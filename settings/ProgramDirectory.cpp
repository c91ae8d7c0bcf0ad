#include "settings/ProgramDirectory.h"

#include "settings/TextCodec.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::u16string ProgramDirectory::Current() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), PATH_MAX);
    std::string path = n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : "./";
    const std::size_t slash = path.rfind('/');
    path = slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    return TextCodec::FromUtf8(path);
}

char16_t ProgramDirectory::Separator() {
    return u'/';
}

bool ProgramDirectory::Exists(const std::u16string& path) {
    struct stat st {};
    return ::lstat(Narrow(path).c_str(), &st) == 0;
}

bool ProgramDirectory::MakeDirectory(const std::u16string& path) {
    return ::mkdir(Narrow(path).c_str(), 0777) == 0;
}

std::string ProgramDirectory::Narrow(const std::u16string& path) {
    return TextCodec::ToUtf8(path);
}
