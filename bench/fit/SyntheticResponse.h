#pragma once

#include "measure/MeasuredResponse.h"
#include "params/ChainResponse.h"
#include "params/EqualiserBands.h"
#include "params/ParameterSet.h"

#include <cstdint>
#include <random>
#include <vector>

// Synthesised measurements for the fit's benchmarks and its comparison with a reference fit.
class SyntheticResponse {
public:
    // 48 kHz, two channels, both equalisers on, the bands of the equaliser band reset, gains 0.
    static ParameterSet Configuration();
    // count frequencies spread evenly in log-frequency from low to high.
    static std::vector<double> LogPoints(double low, double high, int count);

    // A loudspeaker as a measurement microphone sees it: a second-order high-pass in the bass, a
    // baffle step, a few resonances, a high-frequency roll-off and a gentle tilt, around 85 dB,
    // with Gaussian noise of noiseDb RMS on every point. The same seed gives the same response.
    static MeasuredResponse Speaker(uint32_t seed, double noiseDb, int points);

    // Random bands on the device's steps (gains -12..12 dB, frequencies 30 Hz..16 kHz, Q 0.6..6).
    static EqualiserBands RandomBands(EqualiserKind kind, std::mt19937& random);
    // A measurement that set's chain of channel 0 turns exactly into target (flat when
    // tiltDbPerOctave is 0): target minus the chain, the chain taken from a grid 16 times as dense
    // as the pages' and interpolated, plus 80 dB.
    static MeasuredResponse Correctable(const ChainResponse& chain, const ParameterSet& set,
                                        double tiltDbPerOctave, int points);
};
