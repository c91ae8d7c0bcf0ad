#pragma once

#include "measure/MeasuredResponse.h"

#include <vector>

// What a response should be brought to: flat, a straight tilt in dB per octave through 0 dB at
// 1 kHz, or a curve read from a file (interpolated in log-frequency between its points). Only the
// shape counts: the fit and its error ignore the overall level.
class TargetCurve {
public:
    enum class Kind { Flat, Tilt, File };

    static constexpr double kTiltCentre = 1000.0; // Hz

    static TargetCurve Flat() { return TargetCurve(); }
    static TargetCurve Tilt(double dbPerOctave);
    // response must not be empty.
    static TargetCurve FromResponse(MeasuredResponse response);

    Kind GetKind() const { return kind_; }
    double DbPerOctave() const { return dbPerOctave_; }
    const MeasuredResponse& Response() const { return response_; }

    // Whether the target is defined at frequency: a file only between its first and last point.
    bool Covers(double frequency) const;
    // The target level at frequency (Hz > 0), dB.
    double At(double frequency) const;
    std::vector<double> On(const std::vector<double>& frequencies) const;

private:
    TargetCurve() = default;

    Kind kind_ = Kind::Flat;
    double dbPerOctave_ = 0.0;
    MeasuredResponse response_;
};
