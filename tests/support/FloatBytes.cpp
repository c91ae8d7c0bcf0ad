#include "tests/support/FloatBytes.h"

#include <bit>
#include <cstdint>

std::string FloatBytes::LittleEndian(const std::vector<float>& values) {
    std::string bytes;
    for (const float v : values) {
        const uint32_t bits = std::bit_cast<uint32_t>(v);
        for (int b = 0; b < 4; ++b) {
            bytes += static_cast<char>((bits >> (8 * b)) & 0xFF);
        }
    }
    return bytes;
}

float FloatBytes::At(const std::string& bytes, std::size_t index) {
    uint32_t bits = 0;
    for (std::size_t b = 0; b < 4; ++b) {
        bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes.at(4 * index + b)))
                << (8 * b);
    }
    return std::bit_cast<float>(bits);
}
