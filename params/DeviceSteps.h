#pragma once

#include <cstdint>

// The values the device takes for an equaliser band, as the ten-band page's entry checks accept
// them and its boxes store them: gains in whole dB from -12 to 12, frequencies in whole Hz above
// 0 and below SWFS / 2 (integer division), Q above 0.5 kept to one decimal, so at least 0.6.
// Every function rounds half away from zero and then clamps; a NaN gives the value nearest 0 dB,
// the lowest frequency or the lowest Q.
class DeviceSteps {
public:
    static constexpr int32_t kMinGain = -12;
    static constexpr int32_t kMaxGain = 12;
    static constexpr int32_t kMinFrequency = 1;
    static constexpr int32_t kMinQTenths = 6;

    // The highest frequency the check accepts: SWFS / 2 - 1; 0 when none is (SWFS below 4).
    static int32_t MaxFrequency(int32_t sampleRate);

    static int32_t Gain(double decibels);
    // sampleRate must leave a frequency (MaxFrequency >= 1).
    static int32_t Frequency(double hertz, int32_t sampleRate);
    // Q in tenths (7 for 0.7), at least kMinQTenths.
    static int32_t QTenths(double q);
    // The Q a box holding tenths / 10 stores: the decimal read back as a float.
    static float QFromTenths(int32_t tenths);
    static float Q(double q) { return QFromTenths(QTenths(q)); }

    static bool GainOk(int32_t gain) { return gain >= kMinGain && gain <= kMaxGain; }
    static bool FrequencyOk(int32_t frequency, int32_t sampleRate);
    // Above 0.5 and a whole number of tenths.
    static bool QOk(float q);
};
