#pragma once

#include "fit/BandValues.h"
#include "fit/FitControl.h"
#include "fit/FitRequest.h"
#include "params/ChainResponse.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The predicted error of a fit as a function of the bands it moves. The equalisers being fitted
// ("slots") are modelled with the design library's own curves of their whole records, on a design
// grid (the response's own, or a coarser one from the same start for the first, rough stages of a
// fit), interpolated in log-frequency onto the measured points; everything else
// of the chain (Gain1, Gain2 and an equaliser that is not fitted, when its switch is on) is
// computed once. The error at each point is measured + chain - target; the cost is its sum of
// squares after removing the mean, each point counted as often as its weight says (a point of a
// thinned response stands for several), so RMS = sqrt(cost / total weight).
class FitModel {
public:
    // With divisor 1 the model uses the response's design grid; with a larger one a grid from the
    // same start with that many times fewer points (at least 64). The response (the request's
    // own, or a thinned copy of it) must outlive the model.
    FitModel(const ChainResponse& chain, const FitRequest& request, const AlignedResponse& response,
             std::vector<EqualiserKind> slots, FitControl& control, int32_t divisor = 1);

    // Computes the fixed part of the chain; anything but Ok leaves the model unusable.
    ChainStatus Prepare();

    std::size_t Slots() const { return slots_.size(); }
    EqualiserKind Kind(std::size_t slot) const { return slots_[slot]; }
    std::size_t Points() const { return response_.Size(); }
    const AlignedResponse& Response() const { return response_; }
    int32_t SampleRate() const { return sampleRate_; }
    const std::vector<double>& Base() const { return base_; }
    FitControl& Control() { return control_; }
    int64_t Evaluations() const { return evaluations_; }

    // The curve of a slot with these bands on the measured points, dB. False, leaving curve as
    // it was, when the fit has been cancelled.
    bool Curve(std::size_t slot, const BandValues& values, std::vector<double>& curve);
    // The cost with one curve per slot.
    double Cost(const std::vector<std::vector<double>>& curves) const;
    // The error at every point (base + curves), the mean removed.
    void Errors(const std::vector<std::vector<double>>& curves, std::vector<double>& errors) const;
    // The same, each multiplied by the square root of its point's weight: the residuals of the
    // least squares, whose sum of squares is the cost.
    void Residuals(const std::vector<std::vector<double>>& curves,
                   std::vector<double>& residuals) const;
    // Removes the mean of values (one per point) and weighs them as Residuals does: a column of
    // the Jacobian, or a curve to be compared with the residuals.
    void Weigh(std::vector<double>& values) const;
    double Rms(double cost) const;

private:
    const ChainResponse& chain_;
    const AlignedResponse& response_;
    const ParameterSet& parameters_;
    int channel_;
    int32_t sampleRate_;
    std::vector<EqualiserKind> slots_;
    FitControl& control_;
    DesignGrid grid_;
    LogInterpolator fromGrid_;
    std::vector<double> base_;
    std::vector<double> roots_; // square roots of the weights; empty when every weight is 1
    std::vector<float> record_;
    std::vector<float> gridCurve_;
    int64_t evaluations_ = 0;
};
