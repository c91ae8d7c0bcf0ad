#include "tool/SectionDesign.h"

#include "tool/DesignMath.h"

#include <cmath>

namespace sonvex_tool {

namespace {

// Whether the bandwidth gain GB = sqrt(G) can stand in the ratio (G^2 - GB^2) / (GB^2 - 1).
// At 0 dB both terms vanish. Two more linear gains make one of them zero after GB is rounded to
// single precision: 1 + 2^-23 (GB rounds to 1) and 1 - 2^-24 (GB equals G). Taking the ratio
// there gives an infinite or zero factor, hence NaN coefficients or poles on the unit circle; the
// band is within a millionth of a dB of flat and is designed as a 0 dB band instead.
bool BandwidthGainUsable(float linearGain, float bandwidthGain) {
    if (std::fabs(Wide(linearGain) - 1.0) < kEpsilon) {
        return false;
    }
    const double gainSquared = Wide(linearGain) * Wide(linearGain);
    const double bandwidthGainSquared = Wide(bandwidthGain) * Wide(bandwidthGain);
    return gainSquared - bandwidthGainSquared != 0.0 && bandwidthGainSquared - 1.0 != 0.0;
}

} // namespace

float SqrtHalf() {
    return Single(std::sin(Wide(Single(kPi / 4.0))));
}

float LinearGain(float gainDb) {
    return Single(std::pow(10.0, Wide(gainDb) / 20.0));
}

float Angle(float frequency, int sampleRate) {
    return Single(2.0 * Wide(frequency) * kPi / static_cast<double>(sampleRate));
}

float MirroredAngle(float frequency, int sampleRate) {
    const float rate = static_cast<float>(sampleRate);
    return Single((1.0 - 2.0 * Wide(frequency) / Wide(rate)) * kPi);
}

DirectForm DesignShelf(float linearGain, float angle, bool highShelf) {
    const double s = Wide(SqrtHalf());
    const double gain = Wide(linearGain);

    const float t = Single(std::tan(Wide(angle) / 2.0));
    const float bandwidthGain = Single(std::sqrt(gain));
    float e = 1.0f;
    if (BandwidthGainUsable(linearGain, bandwidthGain)) {
        const double gb2 = Wide(bandwidthGain) * Wide(bandwidthGain);
        e = Single(std::sqrt((gain * gain - gb2) / (gb2 - 1.0)));
    }
    const float g = Single(std::pow(gain, 0.5));
    const float g0 = 1.0f;
    const float beta = Single(std::pow(Wide(e), -0.5) * Wide(t));
    const double b = Wide(beta);
    const float d = Single(b * b + 2.0 * s * b + 1.0);
    const float k = Single(2.0 * Wide(g) * Wide(g0) * s * b);
    const float n = Single((Wide(g) * Wide(g)) * (b * b));
    const float g0Squared = Single(Wide(g0) * Wide(g0));
    const float betaSquared = Single(b * b);
    // The high shelf negates the two odd coefficients.
    const double odd = highShelf ? -2.0 : 2.0;

    DirectForm section{};
    section.b0 = Single((Wide(k) + Wide(n) + Wide(g0Squared)) / Wide(d));
    section.b1 = Single(odd * (Wide(n) - Wide(g0Squared)) / Wide(d));
    section.b2 = Single((Wide(n) - Wide(k) + Wide(g0Squared)) / Wide(d));
    section.a1 = Single(odd * (Wide(betaSquared) - 1.0) / Wide(d));
    section.a2 = Single((Wide(betaSquared) - 2.0 * s * b + 1.0) / Wide(d));
    return section;
}

DirectForm DesignPeaking(float linearGain, float angle, float bandwidth) {
    const double gain = Wide(linearGain);
    const float bandwidthGain = Single(std::sqrt(gain));
    const double halfBandwidthTan = std::tan(Wide(bandwidth) / 2.0);
    float beta = Single(halfBandwidthTan);
    if (BandwidthGainUsable(linearGain, bandwidthGain)) {
        const double gb2 = Wide(bandwidthGain) * Wide(bandwidthGain);
        beta = Single(halfBandwidthTan * std::sqrt((gb2 - 1.0) / (gain * gain - gb2)));
    }
    const float gainBeta = Single(Wide(beta) * gain);
    const float cw = Single(std::cos(Wide(angle)));
    const float d = Single(1.0 + Wide(beta));

    DirectForm section{};
    section.b0 = Single((1.0 + Wide(gainBeta)) / Wide(d));
    section.b1 = Single(-2.0 * Wide(cw) / Wide(d));
    section.b2 = Single((1.0 - Wide(gainBeta)) / Wide(d));
    section.a1 = section.b1;
    section.a2 = Single((1.0 - Wide(beta)) / Wide(d));
    return section;
}

LatticeSection StepDown(const DirectForm& section) {
    float a[3] = {1.0f, section.a1, section.a2};
    float b[3] = {section.b0, section.b1, section.b2};
    float k[3] = {};
    float c[3] = {};
    for (int m = 2; m >= 1; --m) {
        float reversed[3] = {};
        for (int j = 0; j <= m; ++j) {
            reversed[j] = a[m - j];
        }
        k[m] = a[m];
        const double km = Wide(k[m]);
        double d = 1.0 - km * km;
        if (std::fabs(km * km - 1.0) < kEpsilon) {
            d = d + kEpsilon;
        }
        for (int j = 0; j <= m; ++j) {
            a[j] = Single((Wide(a[j]) - km * Wide(reversed[j])) / d);
        }
        c[m] = b[m];
        for (int j = 0; j <= m; ++j) {
            b[j] = Single(Wide(b[j]) - Wide(c[m]) * Wide(reversed[j]));
        }
    }
    c[0] = b[0];
    return LatticeSection{k[1], k[2], c[0], c[1], c[2]};
}

} // namespace sonvex_tool
