#include "fit/ParameterMap.h"

#include "params/DeviceSteps.h"

#include <algorithm>
#include <cmath>

ParameterMap::ParameterMap(const std::vector<EqualiserKind>& slots, int32_t sampleRate,
                           double maxQ) {
    const double lowestFrequency = std::log(static_cast<double>(DeviceSteps::kMinFrequency));
    const double highestFrequency =
        std::log(static_cast<double>(std::max(DeviceSteps::MaxFrequency(sampleRate), 1)));
    const double lowestQ = std::log(DeviceSteps::kMinQTenths / 10.0);
    for (std::size_t slot = 0; slot < slots.size(); ++slot) {
        const int bands = EqualiserBands::BandCount(slots[slot]);
        for (int band = 0; band < bands; ++band) {
            entries_.push_back({slot, band, Role::Frequency});
            lower_.push_back(lowestFrequency);
            upper_.push_back(highestFrequency);
            entries_.push_back({slot, band, Role::Gain});
            lower_.push_back(DeviceSteps::kMinGain);
            upper_.push_back(DeviceSteps::kMaxGain);
            if (!BandValues::IsShelf(slots[slot], band)) {
                entries_.push_back({slot, band, Role::Q});
                lower_.push_back(lowestQ);
                upper_.push_back(std::log(maxQ));
            }
        }
    }
}

std::size_t ParameterMap::IndexOf(std::size_t slot, int band, Role role) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].slot == slot && entries_[i].band == band && entries_[i].role == role) {
            return i;
        }
    }
    return entries_.size();
}

std::vector<double> ParameterMap::ToVector(const std::vector<BandValues>& values) const {
    std::vector<double> x(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        const BandValues& band = values[entry.slot];
        const auto b = static_cast<std::size_t>(entry.band);
        double value = 0.0;
        switch (entry.role) {
        case Role::Frequency:
            value = std::log(std::max(band.frequency[b], 1e-300));
            break;
        case Role::Gain:
            value = band.gain[b];
            break;
        case Role::Q:
            value = std::log(std::max(band.q[b], 1e-300));
            break;
        }
        x[i] = std::isnan(value) ? lower_[i] : std::clamp(value, lower_[i], upper_[i]);
    }
    return x;
}

void ParameterMap::FromVector(const std::vector<double>& x, std::size_t slot,
                              BandValues& values) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.slot != slot) {
            continue;
        }
        const auto b = static_cast<std::size_t>(entry.band);
        switch (entry.role) {
        case Role::Frequency:
            values.frequency[b] = std::exp(x[i]);
            break;
        case Role::Gain:
            values.gain[b] = x[i];
            break;
        case Role::Q:
            values.q[b] = std::exp(x[i]);
            break;
        }
    }
}

void ParameterMap::FromVector(const std::vector<double>& x, std::vector<BandValues>& values) const {
    for (std::size_t slot = 0; slot < values.size(); ++slot) {
        FromVector(x, slot, values[slot]);
    }
}
