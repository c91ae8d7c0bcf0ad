#include "fit/FitControl.h"

#include <algorithm>

void FitControl::Report(double fraction) {
    Publish(from_ + (to_ - from_) * std::clamp(fraction, 0.0, 1.0));
}

void FitControl::Publish(double whole) {
    // Small steps are not worth a call; the callback may post to another thread.
    constexpr double kStep = 0.005;
    if (!progress_ || (whole < reported_ + kStep && whole < 1.0) || whole <= reported_) {
        return;
    }
    reported_ = whole;
    progress_(whole);
}
