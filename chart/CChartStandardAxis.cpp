#include "chart/CChartStandardAxis.h"

#include "settings/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {
// Pixels per tick interval at least.
constexpr int HorizontalIntervalPixels = 30;
constexpr int VerticalIntervalPixels = 20;
// The first tick is within one increment of trunc(min / increment) * increment; a few steps
// more only guard against rounding.
constexpr int MaxFirstTickSteps = 4;
} // namespace

void CChartStandardAxis::RefreshTickIncrement() {
    if (!m_automaticTickIncrement) {
        return;
    }
    if (m_min == m_max) {
        m_tickIncrement = 0.0;
        return;
    }
    const int pixelsPerInterval =
        IsHorizontal() ? HorizontalIntervalPixels : VerticalIntervalPixels;
    // An axis too short for one interval still gets one: the whole span.
    const int intervals =
        std::max(1, std::abs((GetEndPixel() - GetStartPixel()) / pixelsPerInterval));
    const double step = (m_max - m_min) / intervals;
    if (!std::isfinite(step) || step <= 0.0) {
        // A reversed or unbounded range: a single tick at the minimum.
        m_tickIncrement = 0.0;
        return;
    }
    const double exponent = std::floor(std::log10(step));
    const double unit = std::pow(10.0, exponent);
    m_decimalCount = exponent < 0.0 ? static_cast<int>(-exponent) : 0;
    if (step <= unit) {
        m_tickIncrement = unit;
    } else if (step <= 2.0 * unit) {
        m_tickIncrement = 2.0 * unit;
    } else if (step <= 5.0 * unit) {
        m_tickIncrement = 5.0 * unit;
    } else {
        m_tickIncrement = 10.0 * unit;
        if (m_decimalCount > 0) {
            --m_decimalCount;
        }
    }
}

void CChartStandardAxis::RefreshFirstTick() {
    const double increment = m_tickIncrement;
    if (!(increment > 0.0) || !std::isfinite(increment)) {
        m_firstTick = m_min;
        return;
    }
    if (m_min == 0.0) {
        m_firstTick = 0.0;
        return;
    }
    double tick = increment * std::trunc(m_min / increment);
    if (!std::isfinite(tick)) {
        m_firstTick = m_min;
        return;
    }
    // The smallest multiple of the increment that is not below min.
    const double tolerance = TickTolerance();
    if (m_min > 0.0) {
        for (int step = 0; step < MaxFirstTickSteps && tick < m_min - tolerance; ++step) {
            tick += increment;
        }
    } else {
        for (int step = 0; step < MaxFirstTickSteps && tick > m_min + tolerance; ++step) {
            tick -= increment;
        }
        if (tick < m_min - tolerance) {
            tick += increment;
        }
    }
    // A multiple that is min but for rounding is min, so that its tick is not lost off the span.
    m_firstTick = std::abs(tick - m_min) <= tolerance ? m_min : tick;
}

bool CChartStandardAxis::GetNextTickValue(double current, double& next) const {
    const double increment = m_tickIncrement;
    if (!(increment > 0.0) || !std::isfinite(increment)) {
        return false;
    }
    // Each tick is counted from the first one rather than added to the previous one, so that
    // rounding does not build up along the axis.
    const double index = std::round((current - m_firstTick) / increment) + 1.0;
    next = m_firstTick + index * increment;
    const double tolerance = TickTolerance();
    if (std::abs(next) <= tolerance) {
        next = 0.0;
    }
    return next > current && next <= m_max + tolerance;
}

QString CChartStandardAxis::GetTickLabelText(double value) const {
    std::string text = NumberText::FormatFixed(value, m_decimalCount);
    // A value that rounds to zero is written without a sign.
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return QString::fromStdString(text);
}
