#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Parameter-file bytes written and read by hand in the tests: little-endian IEEE singles.
class FloatBytes {
public:
    static std::string LittleEndian(const std::vector<float>& values);
    // The float at float index (not byte offset) of bytes.
    static float At(const std::string& bytes, std::size_t index);
};
