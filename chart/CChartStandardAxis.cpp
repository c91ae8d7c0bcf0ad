#include "chart/CChartStandardAxis.h"

#include "base/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {
// Pixels per tick interval at least.
constexpr int kHorizontalIntervalPixels = 30;
constexpr int kVerticalIntervalPixels = 20;
// The first tick is within one increment of trunc(min / increment) * increment; a few steps
// more only guard against rounding.
constexpr int kMaxFirstTickSteps = 4;
} // namespace

bool CChartStandardAxis::RoundIncrement(double min, double max, int spanPixels, bool horizontal,
                                        double& increment, int& decimalCount) {
    const int pixelsPerInterval = horizontal ? kHorizontalIntervalPixels : kVerticalIntervalPixels;
    // An axis too short for one interval still gets one: the whole span.
    const int intervals = std::max(1, std::abs(spanPixels / pixelsPerInterval));
    const double step = (max - min) / intervals;
    if (!std::isfinite(step) || step <= 0.0) {
        return false;
    }
    const double exponent = std::floor(std::log10(step));
    const double unit = std::pow(10.0, exponent);
    decimalCount = exponent < 0.0 ? static_cast<int>(-exponent) : 0;
    if (step <= unit) {
        increment = unit;
    } else if (step <= 2.0 * unit) {
        increment = 2.0 * unit;
    } else if (step <= 5.0 * unit) {
        increment = 5.0 * unit;
    } else {
        increment = 10.0 * unit;
        if (decimalCount > 0) {
            --decimalCount; // 10 x unit has one decimal fewer
        }
    }
    return true;
}

void CChartStandardAxis::RefreshTickIncrement() {
    if (!automaticTickIncrement_) {
        return;
    }
    if (min_ == max_ || !RoundIncrement(min_, max_, GetEndPixel() - GetStartPixel(), IsHorizontal(),
                                        tickIncrement_, decimalCount_)) {
        // No range, or a reversed or unbounded one: a single tick at the minimum.
        tickIncrement_ = 0.0;
    }
}

void CChartStandardAxis::RefreshFirstTick() {
    const double increment = tickIncrement_;
    if (!(increment > 0.0) || !std::isfinite(increment)) {
        firstTick_ = min_;
        return;
    }
    if (min_ == 0.0) {
        firstTick_ = 0.0;
        return;
    }
    double tick = increment * std::trunc(min_ / increment);
    if (!std::isfinite(tick)) {
        firstTick_ = min_;
        return;
    }
    // The smallest multiple of the increment that is not below min.
    const double tolerance = TickTolerance();
    if (min_ > 0.0) {
        for (int step = 0; step < kMaxFirstTickSteps && tick < min_ - tolerance; ++step) {
            tick += increment;
        }
    } else {
        for (int step = 0; step < kMaxFirstTickSteps && tick > min_ + tolerance; ++step) {
            tick -= increment;
        }
        if (tick < min_ - tolerance) {
            tick += increment;
        }
    }
    // A multiple that is min but for rounding is min, so that its tick is not lost off the span.
    firstTick_ = std::abs(tick - min_) <= tolerance ? min_ : tick;
}

bool CChartStandardAxis::GetNextTickValue(double current, double& next) const {
    const double increment = tickIncrement_;
    if (!(increment > 0.0) || !std::isfinite(increment)) {
        return false;
    }
    // Each tick is counted from the first one rather than added to the previous one, so that
    // rounding does not build up along the axis.
    const double index = std::round((current - firstTick_) / increment) + 1.0;
    next = firstTick_ + index * increment;
    const double tolerance = TickTolerance();
    if (std::abs(next) <= tolerance) {
        next = 0.0;
    }
    return next > current && next <= max_ + tolerance;
}

QString CChartStandardAxis::GetTickLabelText(double value) const {
    std::string text = NumberText::FormatFixed(value, decimalCount_);
    // A value that rounds to zero is written without a sign.
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return QString::fromStdString(text);
}
