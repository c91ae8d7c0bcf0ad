#include "fit/FitResult.h"

ParameterSet FitResult::AppliedTo(const ParameterSet& set, int channel) const {
    ParameterSet applied = set;
    for (const auto* bands : {&tenBand, &eightBand}) {
        if (bands->has_value()) {
            (*bands)->StoreInto(applied, channel);
        }
    }
    return applied;
}
