#include "tool/EqualiserDesign.h"

#include "tool/DesignMath.h"
#include "tool/DirectForm.h"
#include "tool/ResponseCurve.h"
#include "tool/SectionDesign.h"
#include "tool/ToolApi.h"

#include <array>

namespace sonvex_tool {

namespace {

constexpr int kMaxPeaks = 8;
static_assert(kTenBandLayout.Peaks() <= kMaxPeaks && kEightBandLayout.Peaks() <= kMaxPeaks);

void WriteSection(const LatticeSection& section, float* out) {
    out[0] = section.k1;
    out[1] = section.k2;
    out[2] = section.c0;
    out[3] = section.c1;
    out[4] = section.c2;
}

} // namespace

void DesignEqualiser(const RecordLayout& layout, float* record, float* curve, int32_t sampleRate,
                     float startFrequency, int32_t pointCount) {
    const int peaks = layout.Peaks();
    const int last = peaks + 1;
    const float* gain = record + layout.gain;
    const float* frequency = record + layout.frequency;
    const float* q = record + layout.q;

    // Band quantities: linear gains, angles and bandwidths.
    std::array<float, kMaxPeaks + 2> linear{};
    std::array<float, kMaxPeaks + 2> angle{};
    std::array<float, kMaxPeaks + 2> bandwidth{};
    for (int band = 0; band <= last; ++band) {
        linear[band] = LinearGain(gain[band]);
    }
    angle[0] = Angle(frequency[0], sampleRate);
    for (int band = 1; band <= peaks; ++band) {
        angle[band] = Angle(frequency[band], sampleRate);
        bandwidth[band] = Single(Wide(angle[band]) / Wide(q[band - 1]));
    }
    angle[last] = MirroredAngle(frequency[last], sampleRate);

    // Sections in the order of the cascade, each stepped down to lattice-ladder form.
    std::array<DirectForm, kMaxPeaks + 2> sections{};
    std::array<LatticeSection, kMaxPeaks + 2> lattice{};
    sections[0] = DesignShelf(linear[0], angle[0], false);
    lattice[0] = StepDown(sections[0]);
    for (int band = 1; band <= peaks; ++band) {
        sections[band] = DesignPeaking(linear[band], angle[band], bandwidth[band]);
        lattice[band] = StepDown(sections[band]);
    }
    sections[last] = DesignShelf(linear[last], angle[last], true);
    lattice[last] = StepDown(sections[last]);

    WriteSection(lattice[0], record + layout.lowShelf);
    for (int band = 1; band <= peaks; ++band) {
        const SectionPlace place = layout.SectionOf(band);
        float* k = record + place.k;
        float* c = record + place.c;
        k[0] = lattice[band].k1;
        k[1] = lattice[band].k2;
        c[0] = lattice[band].c0;
        c[1] = lattice[band].c1;
        c[2] = lattice[band].c2;
    }
    WriteSection(lattice[last], record + layout.highShelf);

    EvaluateResponse(Cascade{sections.data(), peaks}, sampleRate, startFrequency, pointCount,
                     curve);
}

} // namespace sonvex_tool
