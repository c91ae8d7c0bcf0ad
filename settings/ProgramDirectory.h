#pragma once

#include <string>

// The folder of the running program, where config.ini, lang/, libTool.so, EQPara.bin and Log/
// live. Always ends with the path separator.
class ProgramDirectory {
public:
    static std::u16string Current();
    static char16_t Separator();
    // Whether anything (file, folder, link) exists at the UTF-16 path.
    static bool Exists(const std::u16string& path);
    // Creates one directory level; false when it cannot be made.
    static bool MakeDirectory(const std::u16string& path);
    // The UTF-16 path as the system's narrow path (UTF-8 here).
    static std::string Narrow(const std::u16string& path);
};
