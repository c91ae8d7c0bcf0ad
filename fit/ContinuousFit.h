#pragma once

#include "fit/BandValues.h"
#include "fit/FitModel.h"
#include "fit/ParameterMap.h"

#include <functional>
#include <vector>

// The continuous stage of a fit: Levenberg-Marquardt over the parameter map's vector (log
// frequency, gain, log Q of every band of every slot), the Jacobian by forward differences of the
// library's curves (one curve per column: a column moves one band of one slot).
class ContinuousFit {
public:
    ContinuousFit(FitModel& model, const ParameterMap& map) : model_(model), map_(map) {}

    // Moves values (one per slot) to a minimum of the cost, only the entries marked in free (all
    // when empty). progress receives the share of maxIterations done. False when cancelled.
    bool Minimise(std::vector<BandValues>& values, double& cost, const std::vector<char>& free,
                  int maxIterations, const std::function<void(double)>& progress = {});

    // The cost of values as they are (not clamped). False when cancelled.
    bool Cost(const std::vector<BandValues>& values, double& cost);

    // The curves of every slot for values. False when cancelled.
    bool Curves(const std::vector<BandValues>& values, std::vector<std::vector<double>>& curves);

private:
    bool Residuals(const std::vector<double>& x, std::vector<double>& r);
    bool Jacobian(const std::vector<double>& x, const std::vector<double>& r,
                  const std::vector<char>& free, std::vector<double>& jacobian);

    FitModel& model_;
    const ParameterMap& map_;
    std::vector<BandValues> scratch_;
    // The curves at the point of the last residual evaluation.
    std::vector<double> lastX_;
    std::vector<std::vector<double>> lastCurves_;
};
