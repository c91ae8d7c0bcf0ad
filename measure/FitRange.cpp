#include "measure/FitRange.h"

#include "measure/NumberToken.h"

#include <cmath>

bool FitRange::Valid() const {
    return std::isfinite(low) && std::isfinite(high) && low > 0.0 && low < high;
}

std::optional<FitRange> FitRange::Parse(std::string_view text) {
    // The dash between the ends; an exponent's sign ("1e-3") is not one.
    for (std::size_t dash = 1; dash + 1 < text.size(); ++dash) {
        if (text[dash] != '-' || text[dash - 1] == 'e' || text[dash - 1] == 'E') {
            continue;
        }
        const std::optional<double> low = NumberToken::Decimal(text.substr(0, dash));
        const std::optional<double> high = NumberToken::Decimal(text.substr(dash + 1));
        if (low && high) {
            const FitRange range{*low, *high};
            return range.Valid() ? std::optional<FitRange>(range) : std::nullopt;
        }
    }
    return std::nullopt;
}
