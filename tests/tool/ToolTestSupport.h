#pragma once

#include "params/ToolLibrary.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace tool_test {

using Record10 = std::array<float, 78>;
using Record8 = std::array<float, 62>;

// The program directory of the build (where libTool.so is), with a trailing separator.
std::u16string BinDirectory();
// The library of this build, loaded once for the test run; null functions mean a failure that
// the calling test reports.
const ToolLibrary& Library();
// Where the test copies of the library are: optimised/ (the real one built with -O3 for this
// machine) and incomplete/ (one lacking EQ8Product), each with a trailing separator.
std::u16string TestLibraryDirectory(const char16_t* name);
// The optimised copy of the library.
const ToolLibrary& OptimisedLibrary();

// A record with every band flat (0 dB): shelves at 100 Hz and 10 kHz, peaks spread between, Q 1,
// and the outputs filled with NaN so that unwritten fields show.
Record10 FlatRecord10();
Record8 FlatRecord8();

// Random valid band settings for fs (gains -12 to 12 dB, whole or fractional, frequencies
// between 20 Hz and just below fs / 2, Q from 0.5 to 12).
Record10 RandomRecord10(std::mt19937& random, int32_t sampleRate);
Record8 RandomRecord8(std::mt19937& random, int32_t sampleRate);

// Whether two float ranges hold the same bits.
bool SameBits(const float* a, const float* b, std::size_t count);

} // namespace tool_test
