#include "fit/LevenbergMarquardt.h"

#include <algorithm>
#include <cmath>

namespace {

double SumOfSquares(const std::vector<double>& r) {
    double sum = 0.0;
    for (const double value : r) {
        sum += value * value;
    }
    return sum;
}

// Solves the symmetric positive definite system a x = b (n x n, row-major) by Cholesky in place;
// false when a is not positive definite.
bool SolveCholesky(std::vector<double>& a, std::vector<double>& b, std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) {
        double diagonal = a[j * n + j];
        for (std::size_t k = 0; k < j; ++k) {
            diagonal -= a[j * n + k] * a[j * n + k];
        }
        if (!(diagonal > 0.0)) {
            return false;
        }
        const double root = std::sqrt(diagonal);
        a[j * n + j] = root;
        for (std::size_t i = j + 1; i < n; ++i) {
            double sum = a[i * n + j];
            for (std::size_t k = 0; k < j; ++k) {
                sum -= a[i * n + k] * a[j * n + k];
            }
            a[i * n + j] = sum / root;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        double sum = b[i];
        for (std::size_t k = 0; k < i; ++k) {
            sum -= a[i * n + k] * b[k];
        }
        b[i] = sum / a[i * n + i];
    }
    for (std::size_t i = n; i-- > 0;) {
        double sum = b[i];
        for (std::size_t k = i + 1; k < n; ++k) {
            sum -= a[k * n + i] * b[k];
        }
        b[i] = sum / a[i * n + i];
    }
    return true;
}

// The normal equations of the active parameters: a = J^T J, g = J^T r.
void NormalEquations(const std::vector<double>& jacobian, const std::vector<double>& r,
                     const std::vector<std::size_t>& active, std::vector<double>& a,
                     std::vector<double>& g) {
    const std::size_t rows = r.size();
    const std::size_t n = active.size();
    a.assign(n * n, 0.0);
    g.assign(n, 0.0);
    for (std::size_t p = 0; p < n; ++p) {
        const double* column = jacobian.data() + active[p] * rows;
        double dot = 0.0;
        for (std::size_t i = 0; i < rows; ++i) {
            dot += column[i] * r[i];
        }
        g[p] = dot;
        for (std::size_t q = 0; q <= p; ++q) {
            const double* other = jacobian.data() + active[q] * rows;
            double sum = 0.0;
            for (std::size_t i = 0; i < rows; ++i) {
                sum += column[i] * other[i];
            }
            a[p * n + q] = sum;
            a[q * n + p] = sum;
        }
    }
}

} // namespace

LeastSquaresResult LevenbergMarquardt::Minimise(const LeastSquaresProblem& problem,
                                                std::vector<double> start, const Options& options) {
    const std::size_t size = start.size();
    const auto isFree = [&](std::size_t i) { return problem.free.empty() || problem.free[i]; };
    for (std::size_t i = 0; i < size; ++i) {
        start[i] = std::clamp(start[i], problem.lower[i], problem.upper[i]);
    }
    LeastSquaresResult result;
    result.x = std::move(start);
    std::vector<double> r;
    if (!problem.residuals(result.x, r)) {
        result.stopped = true;
        return result;
    }
    result.cost = SumOfSquares(r);

    std::vector<double> jacobian(r.size() * size, 0.0);
    std::vector<double> a;
    std::vector<double> g;
    std::vector<double> system;
    std::vector<double> step;
    std::vector<double> trial(size);
    std::vector<double> trialResiduals;
    double lambda = 1e-3;
    int slowSteps = 0;
    for (int iteration = 1; iteration <= options.maxIterations; ++iteration) {
        if (!problem.jacobian(result.x, r, jacobian)) {
            result.stopped = true;
            return result;
        }
        // Parameters at a bound that the descent direction would push beyond stay there.
        std::vector<std::size_t> active;
        for (std::size_t i = 0; i < size; ++i) {
            if (!isFree(i)) {
                continue;
            }
            const double* column = jacobian.data() + i * r.size();
            double gradient = 0.0;
            for (std::size_t k = 0; k < r.size(); ++k) {
                gradient += column[k] * r[k];
            }
            const bool atLower = result.x[i] <= problem.lower[i] && gradient > 0.0;
            const bool atUpper = result.x[i] >= problem.upper[i] && gradient < 0.0;
            if (!atLower && !atUpper) {
                active.push_back(i);
            }
        }
        if (active.empty()) {
            break;
        }
        NormalEquations(jacobian, r, active, a, g);
        const std::size_t n = active.size();
        double largest = 0.0;
        for (std::size_t p = 0; p < n; ++p) {
            largest = std::max(largest, a[p * n + p]);
        }
        const double floor = largest * 1e-9 + 1e-12;

        // Near the minimum no step helps any more; a few refusals end the search.
        constexpr int kMaxRefusals = 8;
        bool accepted = false;
        double trialCost = result.cost;
        for (int refusals = 0; !accepted && refusals < kMaxRefusals && lambda < 1e12;) {
            system = a;
            step = g;
            for (std::size_t p = 0; p < n; ++p) {
                system[p * n + p] += lambda * std::max(a[p * n + p], floor);
                step[p] = -step[p];
            }
            if (!SolveCholesky(system, step, n)) {
                lambda *= 10.0;
                ++refusals;
                continue;
            }
            trial = result.x;
            for (std::size_t p = 0; p < n; ++p) {
                const std::size_t i = active[p];
                trial[i] = std::clamp(result.x[i] + step[p], problem.lower[i], problem.upper[i]);
            }
            if (!problem.residuals(trial, trialResiduals)) {
                result.stopped = true;
                return result;
            }
            trialCost = SumOfSquares(trialResiduals);
            if (trialCost < result.cost) {
                accepted = true;
                lambda = std::max(lambda / 3.0, 1e-9);
            } else {
                lambda *= 4.0;
                ++refusals;
            }
        }
        result.iterations = iteration;
        if (problem.iterationDone) {
            problem.iterationDone(iteration);
        }
        if (!accepted) {
            break;
        }
        const double gain = result.cost - trialCost;
        result.x = trial;
        r.swap(trialResiduals);
        slowSteps = gain < options.relativeTolerance * result.cost ? slowSteps + 1 : 0;
        result.cost = trialCost;
        if (slowSteps >= 2) {
            break;
        }
    }
    return result;
}
