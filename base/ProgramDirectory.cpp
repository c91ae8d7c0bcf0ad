#include "base/ProgramDirectory.h"

#include "base/TextCodec.h"

#include <climits>
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
