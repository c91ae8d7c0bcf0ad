#include "fit/BandSteps.h"

#include "params/DeviceSteps.h"

#include <algorithm>

BandSteps BandSteps::Round(const BandValues& values, int32_t sampleRate, int32_t maxQTenths) {
    const auto count = static_cast<std::size_t>(values.Bands());
    BandSteps steps{values.kind, std::vector<int32_t>(count), std::vector<int32_t>(count),
                    std::vector<int32_t>(count, 0)};
    for (std::size_t i = 0; i < count; ++i) {
        steps.gain[i] = DeviceSteps::Gain(values.gain[i]);
        steps.frequency[i] = DeviceSteps::Frequency(values.frequency[i], sampleRate);
        if (!BandValues::IsShelf(values.kind, static_cast<int>(i))) {
            steps.qTenths[i] = std::min(DeviceSteps::QTenths(values.q[i]), maxQTenths);
        }
    }
    return steps;
}

bool BandSteps::Exactly(const EqualiserBands& bands, int32_t sampleRate, BandSteps& steps) {
    const auto count = static_cast<std::size_t>(bands.Bands());
    if (bands.gains.size() != count || bands.frequencies.size() != count ||
        bands.q.size() + 2 != count) {
        return false;
    }
    BandSteps exact{bands.kind, bands.gains, bands.frequencies, std::vector<int32_t>(count, 0)};
    for (std::size_t i = 0; i < count; ++i) {
        if (!DeviceSteps::GainOk(bands.gains[i]) ||
            !DeviceSteps::FrequencyOk(bands.frequencies[i], sampleRate)) {
            return false;
        }
    }
    for (std::size_t i = 0; i + 2 < count; ++i) {
        if (!DeviceSteps::QOk(bands.q[i])) {
            return false;
        }
        exact.qTenths[i + 1] = DeviceSteps::QTenths(bands.q[i]);
    }
    steps = std::move(exact);
    return true;
}

BandValues BandSteps::Values() const {
    const auto count = static_cast<std::size_t>(Bands());
    BandValues values{kind, std::vector<double>(count), std::vector<double>(count),
                      std::vector<double>(count, 0.0)};
    for (std::size_t i = 0; i < count; ++i) {
        values.gain[i] = gain[i];
        values.frequency[i] = frequency[i];
        if (!BandValues::IsShelf(kind, static_cast<int>(i))) {
            values.q[i] = DeviceSteps::QFromTenths(qTenths[i]);
        }
    }
    return values;
}

EqualiserBands BandSteps::ToBands() const {
    const auto count = static_cast<std::size_t>(Bands());
    EqualiserBands bands{kind, gain, frequency, std::vector<float>(count - 2)};
    for (std::size_t i = 0; i + 2 < count; ++i) {
        bands.q[i] = DeviceSteps::QFromTenths(qTenths[i + 1]);
    }
    return bands;
}
