#include "params/ResetEqBands.h"

#include "base/NumberText.h"

#include <cmath>

namespace {

// 20·2^(d·step) rounded down to a multiple of 10, plus 10; the product d·step and the power are
// each rounded to single precision.
int32_t BandFrequency(int d, float step) {
    const auto exponent = static_cast<float>(d * static_cast<double>(step));
    const auto f = static_cast<float>(std::pow(2.0, static_cast<double>(exponent)));
    const int32_t v = NumberText::TruncateToInt32(static_cast<double>(f) * -20.0);
    const int32_t q = v / 10;
    return 10 * (1 - q);
}

} // namespace

bool ResetEqBands(ParameterSet& set) {
    if (set.SWFS <= 40) {
        return false;
    }
    const auto half = static_cast<float>(set.SWFS * 0.5);
    const auto quotient = static_cast<float>(half / 20.0);
    const auto logQuotient = static_cast<float>(std::log10(static_cast<double>(quotient)));
    const double octaves = logQuotient / std::log10(2.0);
    const bool stereo = set.CHANUM == 2;

    const auto step10 = static_cast<float>(octaves / 10.0);
    for (int i = 0; i <= 8; ++i) {
        const int32_t frequency = BandFrequency(i + 1, step10);
        set.EQCFLEFT[i] = frequency;
        if (stereo) {
            set.EQCFRIGHT[i] = frequency;
        }
        set.EQGAINLEFT[i] = 0;
        if (i <= 7) {
            set.EQQLEFT[i] = 2.5f;
        }
    }
    set.EQCFLEFT[9] = NumberText::TruncateToInt32(static_cast<double>(half) - 500.0);
    if (stereo) {
        set.EQCFRIGHT[9] = NumberText::TruncateToInt32(static_cast<double>(half) - 1000.0);
    }

    const auto step8 = static_cast<float>(octaves * 0.125);
    for (int j = 0; j <= 6; ++j) {
        const int32_t frequency = BandFrequency(j + 1, step8);
        set.EQCFLEFT1[j] = frequency;
        set.EQGAINLEFT1[j] = 0;
        if (j <= 5) {
            set.EQQLEFT1[j] = 2.5f;
        }
        if (stereo) {
            set.EQCFRIGHT1[j] = frequency;
            set.EQGAINRIGHT1[j] = 0;
            if (j <= 5) {
                set.EQQRIGHT1[j] = 2.5f;
            }
        }
    }
    set.EQCFLEFT1[7] = NumberText::TruncateToInt32(static_cast<double>(half) - 1000.0);
    if (stereo) {
        set.EQCFRIGHT1[7] = set.EQCFLEFT1[7];
    }
    return true;
}
