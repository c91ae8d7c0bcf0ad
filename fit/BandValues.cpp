#include "fit/BandValues.h"

BandValues BandValues::From(const EqualiserBands& bands) {
    const auto count = static_cast<std::size_t>(bands.Bands());
    BandValues values{bands.kind, std::vector<double>(count, 0.0), std::vector<double>(count, 0.0),
                      std::vector<double>(count, 0.0)};
    for (std::size_t i = 0; i < count; ++i) {
        values.gain[i] = i < bands.gains.size() ? bands.gains[i] : 0;
        values.frequency[i] = i < bands.frequencies.size() ? bands.frequencies[i] : 0;
        values.q[i] = i >= 1 && i - 1 < bands.q.size() && i + 1 < count ? bands.q[i - 1] : 0.0;
    }
    return values;
}

void BandValues::FillRecord(std::vector<float>& record) const {
    const RecordLayout& layout = EqualiserBands::Layout(kind);
    const auto count = static_cast<std::size_t>(layout.bands);
    for (std::size_t i = 0; i < count; ++i) {
        record[layout.gain + i] = static_cast<float>(gain[i]);
        record[layout.frequency + i] = static_cast<float>(frequency[i]);
        if (i >= 1 && i + 1 < count) {
            record[layout.q + i - 1] = static_cast<float>(q[i]);
        }
    }
}
