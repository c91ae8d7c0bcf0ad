#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// A bounded nonlinear least-squares problem: residuals r(x) whose sum of squares is minimised,
// each parameter within [lower, upper], only the parameters marked free moving.
struct LeastSquaresProblem {
    std::vector<double> lower;
    std::vector<double> upper;
    std::vector<char> free; // empty: every parameter is free
    // The residuals at x; false when the work is to stop (cancelled).
    std::function<bool(const std::vector<double>& x, std::vector<double>& r)> residuals;
    // The columns of the free parameters of the Jacobian at x, where the residuals are r, into
    // jacobian (column-major: r.size() rows, one column per parameter); false to stop.
    std::function<bool(const std::vector<double>& x, const std::vector<double>& r,
                       std::vector<double>& jacobian)>
        jacobian;
    // Called after every iteration with its number; may be empty.
    std::function<void(int iteration)> iterationDone;
};

struct LeastSquaresResult {
    std::vector<double> x;
    double cost = 0.0; // sum of squares of the residuals at x
    int iterations = 0;
    bool stopped = false; // a callback asked to stop; x is the best point reached
};

// Levenberg-Marquardt with Marquardt's diagonal scaling, steps projected onto the bounds, and
// parameters held at a bound the gradient pushes against left out of the step. Deterministic: the
// same problem and start give the same result.
class LevenbergMarquardt {
public:
    struct Options {
        int maxIterations = 60;
        // Stop when two accepted steps in a row lower the cost by less than this share.
        double relativeTolerance = 1e-6;
    };

    static LeastSquaresResult Minimise(const LeastSquaresProblem& problem,
                                       std::vector<double> start, const Options& options);
};
