#include "measure/MeasurementOverlay.h"

#include <cmath>

namespace {

AlignedResponse ForDrawing(const AlignedResponse& aligned) {
    return aligned.Size() > MeasurementOverlay::kMaxDrawnPoints
               ? aligned.Thinned(MeasurementOverlay::kDrawnOctaves)
               : aligned;
}

} // namespace

MeasurementOverlay::MeasurementOverlay(const MeasuredResponse& measurement,
                                       const TargetCurve* target, const FitRange& range,
                                       int32_t sampleRate)
    : sampleRate_(sampleRate) {
    if (measurement.Size() < AlignedResponse::kMinPoints) {
        return;
    }
    const FitRange measured{measurement.frequencies.front(), measurement.frequencies.back()};
    AlignedResponse all;
    drawable_ = AlignedResponse::Align(measurement, TargetCurve::Flat(), measured, sampleRate,
                                       all) == AlignStatus::Ok;
    if (drawable_) {
        drawn_ = ForDrawing(all);
    }
    hasError_ =
        drawable_ && target != nullptr &&
        AlignedResponse::Align(measurement, *target, range, sampleRate, fit_) == AlignStatus::Ok;
    if (hasError_) {
        fitDrawn_ = ForDrawing(fit_);
    }
}

ChainStatus MeasurementOverlay::Compute(const ChainResponse& chain, const ParameterSet& set,
                                        int channel, OverlayCurves& curves) const {
    curves = OverlayCurves{};
    if (!drawable_ || set.SWFS != sampleRate_) {
        return ChainStatus::BadGrid;
    }
    std::vector<double> onGrid;
    if (const ChainStatus status = chain.Chain(set, channel, drawn_.Grid(), onGrid);
        status != ChainStatus::Ok) {
        return status;
    }
    std::vector<double> onPoints;
    drawn_.FromGrid().Apply(onGrid, onPoints);
    curves.frequencies = drawn_.Frequencies();
    curves.measured = drawn_.Measured();
    double mean = 0.0;
    for (const double level : curves.measured) {
        mean += level;
    }
    curves.shift = -mean / static_cast<double>(curves.measured.size());
    curves.predicted.resize(onPoints.size());
    for (std::size_t i = 0; i < onPoints.size(); ++i) {
        curves.measured[i] += curves.shift;
        curves.predicted[i] = curves.measured[i] + onPoints[i];
    }
    if (!hasError_) {
        return ChainStatus::Ok;
    }
    if (!(fit_.Grid() == drawn_.Grid())) {
        if (const ChainStatus status = chain.Chain(set, channel, fit_.Grid(), onGrid);
            status != ChainStatus::Ok) {
            curves = OverlayCurves{};
            return status;
        }
    }
    // The error and the level of the target from every point of the range.
    fit_.FromGrid().Apply(onGrid, onPoints);
    std::vector<double> difference(fit_.Size());
    double level = 0.0;
    for (std::size_t i = 0; i < fit_.Size(); ++i) {
        difference[i] = fit_.Measured()[i] + onPoints[i] - fit_.Target()[i];
        level += difference[i];
    }
    level /= static_cast<double>(fit_.Size());
    curves.rms = AlignedResponse::CentredRms(difference);
    curves.targetFrequencies = fitDrawn_.Frequencies();
    curves.target.resize(fitDrawn_.Size());
    for (std::size_t i = 0; i < fitDrawn_.Size(); ++i) {
        curves.target[i] = fitDrawn_.Target()[i] + level + curves.shift;
    }
    return ChainStatus::Ok;
}
