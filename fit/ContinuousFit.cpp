#include "fit/ContinuousFit.h"

#include "fit/LevenbergMarquardt.h"

#include <algorithm>
#include <cstddef>

namespace {

// Forward-difference steps: 0.1 % in frequency, 0.01 dB, 0.2 % in Q. The library's curves are
// single precision (about 1e-5 dB of noise), so smaller steps would measure the noise.
double StepOf(ParameterMap::Role role) {
    switch (role) {
    case ParameterMap::Role::Frequency:
        return 1e-3;
    case ParameterMap::Role::Gain:
        return 1e-2;
    case ParameterMap::Role::Q:
        return 2e-3;
    }
    return 1e-3;
}

} // namespace

bool ContinuousFit::Curves(const std::vector<BandValues>& values,
                           std::vector<std::vector<double>>& curves) {
    curves.resize(values.size());
    for (std::size_t slot = 0; slot < values.size(); ++slot) {
        if (!model_.Curve(slot, values[slot], curves[slot])) {
            return false;
        }
    }
    return true;
}

bool ContinuousFit::Cost(const std::vector<BandValues>& values, double& cost) {
    std::vector<std::vector<double>> curves;
    if (!Curves(values, curves)) {
        return false;
    }
    cost = model_.Cost(curves);
    return true;
}

bool ContinuousFit::Residuals(const std::vector<double>& x, std::vector<double>& r) {
    map_.FromVector(x, scratch_);
    if (!Curves(scratch_, lastCurves_)) {
        return false;
    }
    lastX_ = x;
    model_.Residuals(lastCurves_, r);
    return true;
}

bool ContinuousFit::Jacobian(const std::vector<double>& x, const std::vector<double>& r,
                             const std::vector<char>& free, std::vector<double>& jacobian) {
    if (x != lastX_) {
        std::vector<double> unused;
        if (!Residuals(x, unused)) {
            return false;
        }
    }
    map_.FromVector(x, scratch_);
    const std::size_t rows = r.size();
    std::vector<double> moved;
    for (std::size_t k = 0; k < map_.Size(); ++k) {
        if (!free.empty() && !free[k]) {
            continue;
        }
        const ParameterMap::Entry& entry = map_.At(k);
        double step = StepOf(entry.role);
        if (x[k] + step > map_.Upper()[k]) {
            step = -step;
        }
        std::vector<double> shifted = x;
        shifted[k] += step;
        BandValues band = scratch_[entry.slot];
        map_.FromVector(shifted, entry.slot, band);
        if (!model_.Curve(entry.slot, band, moved)) {
            return false;
        }
        const std::vector<double>& base = lastCurves_[entry.slot];
        for (std::size_t i = 0; i < rows; ++i) {
            moved[i] = (moved[i] - base[i]) / step;
        }
        model_.Weigh(moved);
        std::copy(moved.begin(), moved.end(),
                  jacobian.begin() + static_cast<std::ptrdiff_t>(k * rows));
    }
    return true;
}

bool ContinuousFit::Minimise(std::vector<BandValues>& values, double& cost,
                             const std::vector<char>& free, int maxIterations,
                             const std::function<void(double)>& progress) {
    scratch_ = values;
    LeastSquaresProblem problem;
    problem.lower = map_.Lower();
    problem.upper = map_.Upper();
    problem.free = free;
    problem.residuals = [this](const std::vector<double>& x, std::vector<double>& r) {
        return Residuals(x, r);
    };
    problem.jacobian = [this, &free](const std::vector<double>& x, const std::vector<double>& r,
                                     std::vector<double>& jacobian) {
        return Jacobian(x, r, free, jacobian);
    };
    if (progress) {
        problem.iterationDone = [&](int iteration) {
            progress(static_cast<double>(iteration) / maxIterations);
        };
    }
    LevenbergMarquardt::Options options;
    options.maxIterations = maxIterations;
    const LeastSquaresResult result =
        LevenbergMarquardt::Minimise(problem, map_.ToVector(values), options);
    if (result.stopped) {
        return false;
    }
    map_.FromVector(result.x, values);
    cost = result.cost;
    return true;
}
