#include "fit/FitModel.h"

#include <algorithm>
#include <cmath>

FitModel::FitModel(const ChainResponse& chain, const FitRequest& request,
                   const AlignedResponse& response, std::vector<EqualiserKind> slots,
                   FitControl& control, int32_t divisor)
    : chain_(chain), response_(response), parameters_(request.parameters),
      channel_(request.channel), sampleRate_(request.parameters.SWFS), slots_(std::move(slots)),
      control_(control), grid_(response.Grid()) {
    const std::vector<double>& weights = response.Weights();
    if (std::any_of(weights.begin(), weights.end(), [](double w) { return w != 1.0; })) {
        for (const double weight : weights) {
            roots_.push_back(std::sqrt(weight));
        }
    }
    if (divisor > 1) {
        constexpr int32_t kFewestPoints = 64;
        grid_.pointCount = std::max(kFewestPoints, grid_.pointCount / divisor);
        fromGrid_ = LogInterpolator(grid_.Frequencies(), response_.Frequencies());
    } else {
        fromGrid_ = response_.FromGrid();
    }
}

ChainStatus FitModel::Prepare() {
    // The chain without the slots: the fitted equalisers count as switched on and are added by
    // Curve(); the others follow their switches.
    ParameterSet fixed = parameters_;
    for (const EqualiserKind kind : slots_) {
        (kind == EqualiserKind::TenBand ? fixed.EQSwtch : fixed.EQSwtch1) = false;
    }
    std::vector<double> chainOnGrid;
    const ChainStatus status = chain_.Chain(fixed, channel_, grid_, chainOnGrid);
    if (status != ChainStatus::Ok) {
        return status;
    }
    fromGrid_.Apply(chainOnGrid, base_);
    for (std::size_t i = 0; i < base_.size(); ++i) {
        base_[i] += response_.Measured()[i] - response_.Target()[i];
    }
    return ChainStatus::Ok;
}

bool FitModel::Curve(std::size_t slot, const BandValues& values, std::vector<double>& curve) {
    if (control_.Cancelled()) {
        return false;
    }
    const EqualiserKind kind = slots_[slot];
    record_.assign(static_cast<std::size_t>(EqualiserBands::RecordFloats(kind)), 0.0f);
    values.FillRecord(record_);
    ++evaluations_;
    if (chain_.Record(kind, record_, grid_, gridCurve_) != ChainStatus::Ok) {
        // The fitter has checked the library and the grid before.
        gridCurve_.assign(static_cast<std::size_t>(grid_.pointCount), 0.0f);
    }
    fromGrid_.Apply(gridCurve_, curve);
    return true;
}

void FitModel::Weigh(std::vector<double>& values) const {
    const std::vector<double>& weights = response_.Weights();
    double mean = 0.0;
    if (roots_.empty()) {
        for (const double value : values) {
            mean += value;
        }
    } else {
        for (std::size_t i = 0; i < values.size(); ++i) {
            mean += weights[i] * values[i];
        }
    }
    mean /= response_.TotalWeight();
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = roots_.empty() ? values[i] - mean : roots_[i] * (values[i] - mean);
    }
}

void FitModel::Errors(const std::vector<std::vector<double>>& curves,
                      std::vector<double>& errors) const {
    errors = base_;
    for (const std::vector<double>& curve : curves) {
        for (std::size_t i = 0; i < errors.size(); ++i) {
            errors[i] += curve[i];
        }
    }
    const std::vector<double>& weights = response_.Weights();
    double mean = 0.0;
    for (std::size_t i = 0; i < errors.size(); ++i) {
        mean += roots_.empty() ? errors[i] : weights[i] * errors[i];
    }
    mean /= response_.TotalWeight();
    for (double& error : errors) {
        error -= mean;
    }
}

void FitModel::Residuals(const std::vector<std::vector<double>>& curves,
                         std::vector<double>& residuals) const {
    Errors(curves, residuals);
    for (std::size_t i = 0; i < roots_.size(); ++i) {
        residuals[i] *= roots_[i];
    }
}

double FitModel::Cost(const std::vector<std::vector<double>>& curves) const {
    std::vector<double> residuals;
    Residuals(curves, residuals);
    double sum = 0.0;
    for (const double value : residuals) {
        sum += value * value;
    }
    return sum;
}

double FitModel::Rms(double cost) const {
    return std::sqrt(cost / std::max(response_.TotalWeight(), 1.0));
}
