#include "chart/CChartLogAxis.h"

#include "base/NumberText.h"
#include "chart/CChartStandardAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// Two values this close (relative) are the same tick.
constexpr double kRelativeTolerance = 1e-9;

// 10^k, exact for every k a double can hold as a whole number.
double Pow10(int k) {
    return k >= 0 ? std::pow(10.0, k) : 1.0 / std::pow(10.0, -k);
}

// value = mantissa x 10^exponent with a whole mantissa from 1 to 9 (the multiple at or below
// value, within the tolerance).
struct Multiple {
    int mantissa = 1;
    int exponent = 0;

    double Value() const {
        return exponent >= 0 ? mantissa * Pow10(exponent) : mantissa / Pow10(-exponent);
    }
};

Multiple MultipleAtOrBelow(double value) {
    int exponent = static_cast<int>(std::floor(std::log10(value)));
    // log10 may land a hair beside a whole number: put the exponent right.
    if (value >= Pow10(exponent + 1) * (1.0 - kRelativeTolerance)) {
        ++exponent;
    } else if (value < Pow10(exponent) * (1.0 - kRelativeTolerance)) {
        --exponent;
    }
    const double scaled = exponent >= 0 ? value / Pow10(exponent) : value * Pow10(-exponent);
    const int mantissa =
        std::clamp(static_cast<int>(std::floor(scaled + kRelativeTolerance)), 1, 9);
    return Multiple{mantissa, exponent};
}

bool IsWholeMultiple(double value) {
    const Multiple below = MultipleAtOrBelow(value);
    return std::abs(value - below.Value()) <= value * kRelativeTolerance;
}

// The next whole multiple of a power of ten above value (value > 0).
double NextMultiple(double value) {
    const Multiple below = MultipleAtOrBelow(value);
    return below.mantissa == 9 ? Pow10(below.exponent + 1)
                               : Multiple{below.mantissa + 1, below.exponent}.Value();
}

// The smallest whole multiple of a power of ten not below value (value > 0).
double FirstMultipleFrom(double value) {
    return IsWholeMultiple(value) ? MultipleAtOrBelow(value).Value() : NextMultiple(value);
}

} // namespace

double CChartLogAxis::ToScale(double value) const {
    if (value > 0.0) {
        return std::log10(value);
    }
    return std::isnan(value) ? value : -std::numeric_limits<double>::infinity();
}

double CChartLogAxis::FromScale(double scaled) const {
    return std::pow(10.0, scaled);
}

bool CChartLogAxis::HasPositiveRange() const {
    return min_ > 0.0 && max_ > min_ && std::isfinite(max_);
}

int CChartLogAxis::CountMultiples(int enough, bool majorsOnly) const {
    int count = 0;
    const double last = max_ * (1.0 + kRelativeTolerance);
    for (double tick = FirstMultipleFrom(min_); tick <= last && count < enough;
         tick = NextMultiple(tick)) {
        const int mantissa = MultipleAtOrBelow(tick).mantissa;
        if (!majorsOnly || mantissa == 1 || mantissa == 2 || mantissa == 5) {
            ++count;
        }
    }
    return count;
}

void CChartLogAxis::RefreshTickIncrement() {
    decimalCount_ = 0;
    tickIncrement_ = 0.0;
    if (!HasPositiveRange()) {
        ticks_ = Ticks::Single;
        return;
    }
    if (CountMultiples(2, false) >= 2) {
        // Labels are thinned counting from the first major tick.
        ticks_ = Ticks::Multiples;
        majorsOnly125_ = CountMultiples(2, true) >= 2;
        return;
    }
    // Narrower than two multiples: round linear steps, as the linear axis places them.
    ticks_ = Ticks::Linear;
    CChartStandardAxis::RoundIncrement(min_, max_, GetEndPixel() - GetStartPixel(), IsHorizontal(),
                                       tickIncrement_, decimalCount_);
}

void CChartLogAxis::RefreshFirstTick() {
    switch (ticks_) {
    case Ticks::Single:
        firstTick_ = min_;
        break;
    case Ticks::Multiples:
        firstTick_ = FirstMultipleFrom(min_);
        break;
    case Ticks::Linear:
        firstTick_ = std::ceil(min_ / tickIncrement_ - kRelativeTolerance) * tickIncrement_;
        break;
    }
}

bool CChartLogAxis::GetNextTickValue(double current, double& next) const {
    const double last = max_ * (1.0 + kRelativeTolerance);
    switch (ticks_) {
    case Ticks::Single:
        return false;
    case Ticks::Multiples:
        next = NextMultiple(current);
        return next > current && next <= last;
    case Ticks::Linear: {
        // Counted from the first tick, so that rounding does not build up.
        const double index = std::round((current - firstTick_) / tickIncrement_) + 1.0;
        next = firstTick_ + index * tickIncrement_;
        return next > current && next <= last;
    }
    }
    return false;
}

bool CChartLogAxis::IsMajorTick(double value) const {
    if (ticks_ != Ticks::Multiples || !majorsOnly125_ || !(value > 0.0)) {
        return true;
    }
    const int mantissa = MultipleAtOrBelow(value).mantissa;
    return mantissa == 1 || mantissa == 2 || mantissa == 5;
}

QString CChartLogAxis::GetTickLabelText(double value) const {
    int decimals = decimalCount_;
    if (ticks_ == Ticks::Multiples && value > 0.0 && IsWholeMultiple(value)) {
        decimals = std::max(0, -MultipleAtOrBelow(value).exponent);
    }
    return FrequencyText(value, decimals);
}

QString CChartLogAxis::FrequencyText(double hertz, int decimals) {
    decimals = std::clamp(decimals, 0, 20);
    std::string text;
    if (std::abs(hertz) >= 1000.0) {
        text = NumberText::FormatFixed(hertz / 1000.0, decimals + 3);
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.') {
                text.pop_back();
            }
        }
        text += 'k';
    } else {
        text = NumberText::FormatFixed(hertz, decimals);
    }
    // A value that rounds to zero is written without a sign.
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return QString::fromStdString(text);
}

void CChartLogAxis::SetZoomRange(double lo, double hi) {
    if (!IsZoomEnabled() || min_ == max_ || !(lo > 0.0) || !std::isfinite(lo) ||
        !std::isfinite(hi)) {
        return;
    }
    // At least the minimum span wide, in decades.
    const double narrowest = lo * std::pow(10.0, GetMinimumSpan());
    min_ = lo;
    max_ = hi < narrowest ? narrowest : hi;
}

void CChartLogAxis::Pan(int from, int to) {
    if (HasPositiveRange()) {
        const double shift = ToScale(ScreenToValue(from)) - ToScale(ScreenToValue(to));
        if (std::isfinite(shift)) {
            min_ = FromScale(ToScale(min_) + shift);
            max_ = FromScale(ToScale(max_) + shift);
        }
    }
    RequestRedraw();
}
