#include "params/DeviceSteps.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounded half away from zero and clamped to [low, high]; NaN gives fallback.
int32_t RoundInto(double value, double low, double high, int32_t fallback) {
    if (std::isnan(value)) {
        return fallback;
    }
    return static_cast<int32_t>(std::round(std::clamp(value, low, high)));
}

} // namespace

int32_t DeviceSteps::MaxFrequency(int32_t sampleRate) {
    return sampleRate / 2 - 1 >= kMinFrequency ? sampleRate / 2 - 1 : 0;
}

int32_t DeviceSteps::Gain(double decibels) {
    return RoundInto(decibels, kMinGain, kMaxGain, 0);
}

int32_t DeviceSteps::Frequency(double hertz, int32_t sampleRate) {
    const int32_t highest = std::max(MaxFrequency(sampleRate), kMinFrequency);
    return RoundInto(hertz, kMinFrequency, highest, kMinFrequency);
}

int32_t DeviceSteps::QTenths(double q) {
    // Far beyond any useful Q, and still a whole number of tenths in an int32.
    constexpr double kHighestTenths = 1e8;
    return RoundInto(q * 10.0, kMinQTenths, kHighestTenths, kMinQTenths);
}

float DeviceSteps::QFromTenths(int32_t tenths) {
    return static_cast<float>(static_cast<double>(tenths) / 10.0);
}

bool DeviceSteps::FrequencyOk(int32_t frequency, int32_t sampleRate) {
    return frequency >= kMinFrequency && frequency <= MaxFrequency(sampleRate);
}

bool DeviceSteps::QOk(float q) {
    if (!(q > 0.5f)) {
        return false;
    }
    const double tenths = std::round(static_cast<double>(q) * 10.0);
    return tenths <= 1e8 && QFromTenths(static_cast<int32_t>(tenths)) == q;
}
