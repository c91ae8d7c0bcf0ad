#include "SyntheticResponse.h"

#include "measure/LogInterpolator.h"
#include "params/DesignGrid.h"
#include "params/ResetEqBands.h"

#include <cmath>
#include <complex>

namespace {

using Complex = std::complex<double>;

double Decibels(Complex h) {
    return 20.0 * std::log10(std::abs(h));
}

// Analog second-order sections at s = j f / f0.
Complex HighPass(double f, double f0, double q) {
    const Complex s(0.0, f / f0);
    return s * s / (s * s + s / q + 1.0);
}

Complex LowPass(double f, double f0, double q) {
    const Complex s(0.0, f / f0);
    return 1.0 / (s * s + s / q + 1.0);
}

Complex Resonance(double f, double f0, double q, double gainDb) {
    const Complex s(0.0, f / f0);
    const double a = std::pow(10.0, gainDb / 40.0);
    return (s * s + s * (a / q) + 1.0) / (s * s + s / (a * q) + 1.0);
}

// The 6 dB rise from the bass (radiating into the whole space) to the treble (into half of it).
Complex BaffleStep(double f, double f0) {
    const Complex s(0.0, f / f0);
    return (1.0 + 2.0 * s) / (1.0 + s) * 0.5;
}

} // namespace

ParameterSet SyntheticResponse::Configuration() {
    ParameterSet set;
    set.SWFS = 48000;
    set.CHANUM = 2;
    set.EQSwtch = true;
    set.EQSwtch1 = true;
    ResetEqBands(set);
    for (int i = 0; i < 8; ++i) {
        set.EQQRIGHT[static_cast<std::size_t>(i)] = 2.5f;
    }
    return set;
}

std::vector<double> SyntheticResponse::LogPoints(double low, double high, int count) {
    std::vector<double> points(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        points[static_cast<std::size_t>(i)] =
            low * std::pow(high / low, static_cast<double>(i) / (count - 1));
    }
    return points;
}

MeasuredResponse SyntheticResponse::Speaker(uint32_t seed, double noiseDb, int points) {
    std::mt19937 random(seed);
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto logUniform = [&uniform](double low, double high) {
        return std::exp(uniform(std::log(low), std::log(high)));
    };
    const double highPass = logUniform(45.0, 140.0);
    const double highPassQ = uniform(0.5, 1.2);
    const double baffle = logUniform(250.0, 900.0);
    const double lowPass = logUniform(12000.0, 22000.0);
    const double lowPassQ = uniform(0.5, 0.9);
    const double tilt = uniform(-1.0, 0.5);
    struct Peak {
        double frequency, q, gain;
    };
    std::vector<Peak> peaks;
    const int resonances = static_cast<int>(uniform(3.0, 7.0));
    for (int i = 0; i < resonances; ++i) {
        peaks.push_back({logUniform(150.0, 15000.0), uniform(1.0, 8.0), uniform(-6.0, 8.0)});
    }
    std::normal_distribution<double> noise(0.0, noiseDb);

    MeasuredResponse response;
    response.frequencies = LogPoints(20.0, 20000.0, points);
    for (const double f : response.frequencies) {
        Complex h = HighPass(f, highPass, highPassQ) * LowPass(f, lowPass, lowPassQ) *
                    BaffleStep(f, baffle);
        for (const Peak& peak : peaks) {
            h *= Resonance(f, peak.frequency, peak.q, peak.gain);
        }
        response.levels.push_back(85.0 + Decibels(h) + tilt * std::log2(f / 1000.0) +
                                  noise(random));
    }
    return response;
}

EqualiserBands SyntheticResponse::RandomBands(EqualiserKind kind, std::mt19937& random) {
    EqualiserBands bands = EqualiserBands::Empty(kind);
    std::uniform_int_distribution<int> gain(-12, 12);
    std::uniform_real_distribution<double> octave(std::log2(30.0), std::log2(16000.0));
    std::uniform_int_distribution<int> tenths(6, 60);
    for (int i = 0; i < bands.Bands(); ++i) {
        bands.gains[static_cast<std::size_t>(i)] = gain(random);
        bands.frequencies[static_cast<std::size_t>(i)] =
            static_cast<int32_t>(std::lround(std::exp2(octave(random))));
    }
    for (float& q : bands.q) {
        q = static_cast<float>(tenths(random) / 10.0);
    }
    return bands;
}

MeasuredResponse SyntheticResponse::Correctable(const ChainResponse& chain, const ParameterSet& set,
                                                double tiltDbPerOctave, int points) {
    DesignGrid dense = DesignGrid::Display(set.SWFS);
    dense.pointCount *= 16;
    std::vector<double> onGrid;
    chain.Chain(set, 0, dense, onGrid);
    MeasuredResponse response;
    response.frequencies = LogPoints(20.0, 20000.0, points);
    LogInterpolator(dense.Frequencies(), response.frequencies).Apply(onGrid, response.levels);
    for (std::size_t i = 0; i < response.Size(); ++i) {
        response.levels[i] = 80.0 + tiltDbPerOctave * std::log2(response.frequencies[i] / 1000.0) -
                             response.levels[i];
    }
    return response;
}
