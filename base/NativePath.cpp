#include "base/NativePath.h"

#include "base/TextCodec.h"

#include <sys/stat.h>

char16_t NativePath::Separator() {
    return u'/';
}

std::string NativePath::Narrow(const std::u16string& path) {
    return TextCodec::ToUtf8(path);
}

bool NativePath::Exists(const std::u16string& path) {
    struct stat st {};
    return ::lstat(Narrow(path).c_str(), &st) == 0;
}

bool NativePath::MakeDirectory(const std::u16string& path) {
    return ::mkdir(Narrow(path).c_str(), 0777) == 0;
}
