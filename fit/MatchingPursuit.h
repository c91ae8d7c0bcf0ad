#pragma once

#include "fit/BandValues.h"
#include "fit/ContinuousFit.h"
#include "fit/FitModel.h"
#include "fit/ParameterMap.h"

#include <vector>

// Starting points of the continuous fit by matching pursuit over a dictionary of bands: peaks
// every sixth of an octave at five widths (Q 0.7 to the fit's upper Q), shelves every third of an
// octave, each as the library's curve at +6 dB. The band that best explains the error left is
// chosen, again and again, until every band of the slots is taken; the dB curves add up nearly
// linearly in the gains, so the gains follow from least squares. Overlapping bands come out
// better than when each band is placed on its own. Values hold one BandValues per slot; false
// when the fit has been cancelled.
class MatchingPursuit {
public:
    // After each choice the gains of all chosen bands are worked out again by linear least
    // squares; at the end the bands go into the slots, the peaks in frequency order.
    static bool Plain(FitModel& model, ContinuousFit& fit, double maxQ,
                      std::vector<BandValues>& values);
    // After each choice every band placed so far is fitted again (a few iterations of the
    // continuous fit) before the next is chosen, so the chosen bands slide into place.
    static bool Sliding(FitModel& model, ContinuousFit& fit, const ParameterMap& map, double maxQ,
                        std::vector<BandValues>& values);
};
