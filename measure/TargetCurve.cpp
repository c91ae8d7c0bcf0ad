#include "measure/TargetCurve.h"

#include "measure/LogInterpolator.h"

#include <cmath>

TargetCurve TargetCurve::Tilt(double dbPerOctave) {
    TargetCurve target;
    target.kind_ = Kind::Tilt;
    target.dbPerOctave_ = dbPerOctave;
    return target;
}

TargetCurve TargetCurve::FromResponse(MeasuredResponse response) {
    TargetCurve target;
    target.kind_ = Kind::File;
    target.response_ = std::move(response);
    return target;
}

bool TargetCurve::Covers(double frequency) const {
    if (kind_ != Kind::File) {
        return true;
    }
    return !response_.Empty() && frequency >= response_.frequencies.front() &&
           frequency <= response_.frequencies.back();
}

double TargetCurve::At(double frequency) const {
    switch (kind_) {
    case Kind::Flat:
        return 0.0;
    case Kind::Tilt:
        return dbPerOctave_ * std::log2(frequency / kTiltCentre);
    case Kind::File:
        return LogInterpolator::At(response_.frequencies, response_.levels, frequency);
    }
    return 0.0;
}

std::vector<double> TargetCurve::On(const std::vector<double>& frequencies) const {
    std::vector<double> levels(frequencies.size());
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        levels[i] = At(frequencies[i]);
    }
    return levels;
}
