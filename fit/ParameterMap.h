#pragma once

#include "fit/BandValues.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The bands of every fitted equaliser laid out as one vector for the continuous optimisation:
// for each equaliser in turn, for each band, ln(frequency), gain and, for a peaking band, ln(Q).
// The logarithms make a step mean the same at 30 Hz and at 10 kHz. Each entry has its bounds:
// the frequencies those the device takes, gains -12 to 12 dB, Q from 0.6 to the fit's upper Q.
class ParameterMap {
public:
    enum class Role { Frequency, Gain, Q };
    struct Entry {
        std::size_t slot;
        int band;
        Role role;
    };

    ParameterMap(const std::vector<EqualiserKind>& slots, int32_t sampleRate, double maxQ);

    std::size_t Size() const { return entries_.size(); }
    const Entry& At(std::size_t index) const { return entries_[index]; }
    const std::vector<double>& Lower() const { return lower_; }
    const std::vector<double>& Upper() const { return upper_; }
    // The index of a band's entry for role (a shelf has no Q entry).
    std::size_t IndexOf(std::size_t slot, int band, Role role) const;

    // The vector of the values, each clamped to its bounds.
    std::vector<double> ToVector(const std::vector<BandValues>& values) const;
    // The values of x written into values (which holds one BandValues per slot).
    void FromVector(const std::vector<double>& x, std::vector<BandValues>& values) const;
    // Only the entries of one slot.
    void FromVector(const std::vector<double>& x, std::size_t slot, BandValues& values) const;

private:
    std::vector<Entry> entries_;
    std::vector<double> lower_;
    std::vector<double> upper_;
};
