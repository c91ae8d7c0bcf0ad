#include "ToolTestSupport.h"

#include "tool/PointKernels.h"
#include "tool/ResponseCurve.h"
#include "tool/SectionDesign.h"

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace {

using tool_test::SameBits;

constexpr int32_t kRates[] = {8000, 16000, 22050, 32000, 44100, 48000, 88200, 96000, 192000};

struct Setting {
    int32_t rate;
    float start;
    int32_t points;
};

Setting RandomSetting(std::mt19937& random) {
    std::uniform_int_distribution<int> rate(0, std::size(kRates) - 1);
    std::uniform_int_distribution<int32_t> points(1, 1500);
    std::uniform_real_distribution<float> start(0.25f, 200.0f);
    std::bernoulli_distribution usual(0.5);
    Setting s{kRates[rate(random)], 20.0f, 1000};
    if (!usual(random)) {
        s.start = start(random);
        s.points = points(random);
    }
    return s;
}

// The library of this build (Debug in the test build) and a copy built with -O3 for this
// machine must give the same bits for records and curves.
TEST(BitIdentity, DebugAndOptimisedLibrariesAgree) {
    const ToolLibrary& debug = tool_test::Library();
    const ToolLibrary& optimised = tool_test::OptimisedLibrary();
    ASSERT_EQ(optimised.Eq10() != nullptr && optimised.Eq8() != nullptr, true);
    ASSERT_NE(debug.Eq10(), optimised.Eq10());
    std::mt19937 random(2024);
    for (int round = 0; round < 600; ++round) {
        const Setting s = RandomSetting(random);
        const std::size_t n = static_cast<std::size_t>(s.points);
        tool_test::Record10 ten = tool_test::RandomRecord10(random, s.rate);
        tool_test::Record10 tenOptimised = ten;
        std::vector<float> curve(n);
        std::vector<float> curveOptimised(n);
        debug.Eq10()(ten.data(), curve.data(), s.rate, s.start, s.points);
        optimised.Eq10()(tenOptimised.data(), curveOptimised.data(), s.rate, s.start, s.points);
        ASSERT_TRUE(SameBits(ten.data(), tenOptimised.data(), 78)) << "round " << round;
        ASSERT_TRUE(SameBits(curve.data(), curveOptimised.data(), n)) << "round " << round;

        tool_test::Record8 eight = tool_test::RandomRecord8(random, s.rate);
        tool_test::Record8 eightOptimised = eight;
        debug.Eq8()(eight.data(), curve.data(), s.rate, s.start, s.points);
        optimised.Eq8()(eightOptimised.data(), curveOptimised.data(), s.rate, s.start, s.points);
        ASSERT_TRUE(SameBits(eight.data(), eightOptimised.data(), 62)) << "round " << round;
        ASSERT_TRUE(SameBits(curve.data(), curveOptimised.data(), n)) << "round " << round;
    }
}

// The vector kernels keep the order of every operation of the point-by-point reference.
TEST(BitIdentity, VectorAndScalarResponsesAgree) {
    using namespace sonvex_tool;
    ASSERT_NE(Sse2Kernels(), nullptr); // x86-64 always has SSE2
    if (Avx2Kernels() == nullptr) {
        std::cout << "This processor has no AVX2: only the SSE2 kernels are compared.\n";
    }
    std::mt19937 random(99);
    std::uniform_real_distribution<float> gain(-12.0f, 12.0f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_real_distribution<float> q(0.5f, 12.0f);
    for (int round = 0; round < 600; ++round) {
        const Setting s = RandomSetting(random);
        const float half = static_cast<float>(s.rate) / 2;
        DirectForm sections[10];
        const int peaks = round % 2 == 0 ? 8 : 6;
        for (int band = 0; band < peaks + 2; ++band) {
            // Frequencies anywhere in (0, fs / 2), including right next to either end.
            float f = half * unit(random);
            if (round % 7 == 0) {
                f = band % 2 == 0 ? 0.01f : half * 0.9999f;
            }
            const float g = round % 5 == 0 ? 0.0f : gain(random);
            if (band == 0) {
                sections[band] = DesignShelf(LinearGain(g), Angle(f, s.rate), false);
            } else if (band == peaks + 1) {
                sections[band] = DesignShelf(LinearGain(g), MirroredAngle(f, s.rate), true);
            } else {
                const float w = Angle(f, s.rate);
                sections[band] = DesignPeaking(LinearGain(g), w, w / q(random));
            }
        }
        const std::size_t n = static_cast<std::size_t>(s.points);
        std::vector<float> scalar(n);
        const Cascade cascade{sections, peaks};
        EvaluateResponse(cascade, s.rate, s.start, s.points, scalar.data(), ScalarKernels());
        for (const PointKernels* kernels : {Sse2Kernels(), Avx2Kernels()}) {
            if (kernels == nullptr) {
                continue;
            }
            std::vector<float> vector(n);
            EvaluateResponse(cascade, s.rate, s.start, s.points, vector.data(), *kernels);
            ASSERT_TRUE(SameBits(scalar.data(), vector.data(), n))
                << "round " << round << (kernels == Sse2Kernels() ? " SSE2" : " AVX2");
        }
    }
}

} // namespace
