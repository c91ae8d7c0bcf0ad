#pragma once

#include <string>

// The folder of the running program, where config.ini, lang/, libTool.so, EQPara.bin and Log/
// live. Always ends with the path separator.
class ProgramDirectory {
public:
    static std::u16string Current();
};
