#pragma once

#include <string>

// The program's paths are UTF-16; the system names files by narrow paths (UTF-8 here). These
// convert and look up any path the program meets: the program folder's files, a file the user
// picked, a language file.
class NativePath {
public:
    // The path separator, '/' here.
    static char16_t Separator();
    // The UTF-16 path as the system's narrow path (UTF-8 here).
    static std::string Narrow(const std::u16string& path);
    // Whether anything (file, folder, link) exists at the path.
    static bool Exists(const std::u16string& path);
    // Creates one directory level; false when it cannot be made.
    static bool MakeDirectory(const std::u16string& path);
};
