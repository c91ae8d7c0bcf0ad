#include "ToolTestSupport.h"

#include "base/NumberText.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace tool_test {

namespace {

template <std::size_t N>
void FillBands(std::array<float, N>& record, int bands, int peaks) {
    record.fill(std::numeric_limits<float>::quiet_NaN());
    for (int band = 0; band < bands; ++band) {
        record[band] = 0.0f;
        record[bands + band] = 100.0f * static_cast<float>(band + 1);
    }
    record[bands] = 100.0f;
    record[2 * bands - 1] = 10000.0f;
    for (int peak = 0; peak < peaks; ++peak) {
        record[2 * bands + peak] = 1.0f;
    }
}

template <std::size_t N>
void RandomBands(std::array<float, N>& record, int bands, int peaks, std::mt19937& random,
                 int32_t sampleRate) {
    record.fill(0.0f);
    std::uniform_real_distribution<float> gain(-12.0f, 12.0f);
    std::uniform_real_distribution<float> octave(
        std::log2(20.0f), std::log2(0.499f * static_cast<float>(sampleRate)));
    std::uniform_real_distribution<float> q(0.5f, 12.0f);
    std::bernoulli_distribution whole(0.5);
    for (int band = 0; band < bands; ++band) {
        const float g = gain(random);
        record[band] = whole(random) ? std::round(g) : g;
        const float f = std::exp2(octave(random));
        record[bands + band] = whole(random) ? std::round(f) : f;
    }
    for (int peak = 0; peak < peaks; ++peak) {
        record[2 * bands + peak] = q(random);
    }
}

const ToolLibrary& LoadOnce(const std::u16string& directory, ToolLibrary& library, bool& tried) {
    if (!tried) {
        tried = true;
        library.Load(directory);
    }
    return library;
}

} // namespace

std::u16string BinDirectory() {
    return NumberText::Widen(SONVEX_BIN_DIR) + u"/";
}

const ToolLibrary& Library() {
    static ToolLibrary library;
    static bool tried = false;
    return LoadOnce(BinDirectory(), library, tried);
}

std::u16string TestLibraryDirectory(const char16_t* name) {
    return NumberText::Widen(SONVEX_TOOL_TEST_LIBRARIES) + u"/" + name + u"/";
}

const ToolLibrary& OptimisedLibrary() {
    static ToolLibrary library;
    static bool tried = false;
    return LoadOnce(TestLibraryDirectory(u"optimised"), library, tried);
}

Record10 FlatRecord10() {
    Record10 record{};
    FillBands(record, 10, 8);
    return record;
}

Record8 FlatRecord8() {
    Record8 record{};
    FillBands(record, 8, 6);
    return record;
}

Record10 RandomRecord10(std::mt19937& random, int32_t sampleRate) {
    Record10 record{};
    RandomBands(record, 10, 8, random, sampleRate);
    return record;
}

Record8 RandomRecord8(std::mt19937& random, int32_t sampleRate) {
    Record8 record{};
    RandomBands(record, 8, 6, random, sampleRate);
    return record;
}

bool SameBits(const float* a, const float* b, std::size_t count) {
    return std::memcmp(a, b, count * sizeof(float)) == 0;
}

} // namespace tool_test
