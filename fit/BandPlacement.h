#pragma once

#include "fit/BandValues.h"
#include "fit/ContinuousFit.h"
#include "fit/FitModel.h"
#include "fit/ParameterMap.h"

#include <cstddef>
#include <vector>

// Where the continuous fit puts bands: its deterministic starting points, and the moves that get
// it out of a local minimum. Values hold one BandValues per slot. The functions that fit return
// false when the fit has been cancelled.
class BandPlacement {
public:
    // Greedy peak picking, band after band of each slot, each fitted on its own before the next:
    // the shelves by PlaceShelf (first or last), each peaking band by PlacePeak. Bands that do
    // not lower the cost stay at 0 dB and keep the frequency and Q they have in values.
    static bool Greedy(FitModel& model, ContinuousFit& fit, const ParameterMap& map, double maxQ,
                       bool shelvesFirst, std::vector<BandValues>& values);

    // Puts a shelf at the best of eight corner frequencies spread over the measured points, with
    // the gain that levels the error beyond the corner, fitted on its own. cost as for PlacePeak.
    static bool PlaceShelf(FitModel& model, ContinuousFit& fit, const ParameterMap& map,
                           std::vector<BandValues>& values, std::size_t slot, int band,
                           double& cost);

    // Puts a peaking band at the largest deviation of the error left by the others (smoothed
    // over a sixth of an octave), as wide as that deviation is at half its height, and fits it
    // on its own. cost is the cost with the band at 0 dB; the band stays at 0 dB unless it lowers
    // that, and cost follows.
    static bool PlacePeak(FitModel& model, ContinuousFit& fit, const ParameterMap& map, double maxQ,
                          std::vector<BandValues>& values, std::size_t slot, int band,
                          double& cost);

    // Up to `rounds` times: the three bands whose loss costs least are moved in turn, least first,
    // by PlaceShelf or PlacePeak, every band then fitted again (at most `iterations`
    // iterations); the first move that lowers the cost is kept, and a round without one ends the
    // reseeding.
    static bool Reseed(FitModel& model, ContinuousFit& fit, const ParameterMap& map, double maxQ,
                       int rounds, int iterations, std::vector<BandValues>& values, double& cost);
};
