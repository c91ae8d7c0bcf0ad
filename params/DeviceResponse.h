#pragma once

#include "params/DesignGrid.h"
#include "params/EqualiserBands.h"
#include "params/ParameterFile.h"
#include "tool/ToolApi.h"

#include <span>
#include <vector>

// A second-order section in direct form, in double: H(z) = (b0 + b1 z^-1 + b2 z^-2) /
// (1 + a1 z^-1 + a2 z^-2).
struct DirectSection {
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

enum class DeviceCurveStatus {
    Ok,
    BadGrid,         // the grid is not valid (a sample rate of 0, a start beyond half of it)
    NoChannel,       // channel R of a file that carries one channel only
    NotFiniteStored, // a stored coefficient of the equaliser is NaN or infinite
};

// The response the device computes from the lattice-ladder sections as they are stored (the
// single-precision floats the parameter file carries), evaluated in double: each section is
// stepped back up to direct form and the magnitudes of the sections are multiplied. Set beside
// the library's curve of the same equaliser, it shows where single precision departs from the
// design.
class DeviceResponse {
public:
    // The step-down of the design library run backwards: a2 = k2, a1 = k1 (1 + k2), b2 = c2,
    // b1 = c1 + c2 a1, b0 = c0 + c2 a2 + c1 k1, in double from the stored floats.
    static DirectSection StepUp(const LatticeSection& section);
    // 20 log10 |H| of the section at frequency (Hz) for a sample rate (Hz).
    static double MagnitudeDb(const DirectSection& section, double frequency, double sampleRate);

    // e^(-j w) and e^(-2j w) at every frequency of a grid, w = 2 pi f / fs, for evaluating many
    // sections on one grid.
    struct Phasors {
        std::vector<double> cos1, sin1, cos2, sin2;
    };
    static Phasors GridPhasors(const DesignGrid& grid);
    // 20 log10 |H| of the section at each frequency of the phasors.
    static std::vector<double> SectionCurve(const DirectSection& section, const Phasors& phasors);

    // The sections of an equaliser, band 0 first, from the coefficient area of its record
    // (RecordFloats - input floats of kind, as the record and the parameter file hold them).
    static std::vector<LatticeSection> Sections(EqualiserKind kind,
                                                std::span<const float> coefficients);
    // The same from a whole designed record.
    static std::vector<LatticeSection> RecordSections(EqualiserKind kind,
                                                      std::span<const float> record);
    // dB on the grid of the sections' product (of no section: 0 dB).
    static DeviceCurveStatus Curve(std::span<const LatticeSection> sections, const DesignGrid& grid,
                                   std::vector<double>& db);

    // From a parameter file (already read and checked): the equaliser of a channel from its
    // stored sections, or the whole chain, Gain1 + ten-band (when its switch is on) + eight-band
    // (likewise) + Gain2, from the file's sections, switches and gains. The grid's sample rate
    // is the caller's (normally the file's). db is left as it was on failure.
    static DeviceCurveStatus FileEqualiser(const ParameterArray& file, EqualiserKind kind,
                                           int channel, const DesignGrid& grid,
                                           std::vector<double>& db);
    static DeviceCurveStatus FileChain(const ParameterArray& file, int channel,
                                       const DesignGrid& grid, std::vector<double>& db);
    // The file's sample rate, as the reader reads it.
    static int32_t FileSampleRate(const ParameterArray& file);
};
