#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The SHA-256 digest (FIPS 180-4) of a byte string, for the record a production line keeps of
// what each unit received. Feed the bytes in any number of pieces, then take the digest once.
class Sha256 {
public:
    Sha256();

    void Add(std::string_view bytes);
    // The digest of everything added; the object is used up afterwards.
    std::array<uint8_t, 32> Digest();

    // The digest of bytes as 64 lower-case hexadecimal digits.
    static std::string Hex(std::string_view bytes);

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> block_{};
    std::size_t filled_ = 0;
    uint64_t length_ = 0; // bytes added so far
};
