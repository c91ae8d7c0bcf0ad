#include "measure/PredictedResponse.h"

#include "measure/LogInterpolator.h"

MeasuredResponse PredictedResponse::Of(const MeasuredResponse& measurement,
                                       const std::vector<double>& gridFrequencies,
                                       const std::vector<double>& chainOnGrid) {
    MeasuredResponse predicted;
    if (gridFrequencies.empty() || gridFrequencies.size() != chainOnGrid.size()) {
        return predicted;
    }
    predicted.frequencies = measurement.frequencies;
    LogInterpolator(gridFrequencies, measurement.frequencies).Apply(chainOnGrid, predicted.levels);
    for (std::size_t i = 0; i < predicted.levels.size(); ++i) {
        predicted.levels[i] += measurement.levels[i];
    }
    return predicted;
}
