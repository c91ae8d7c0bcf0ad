#pragma once

#include "measure/AlignedResponse.h"
#include "params/ParameterSet.h"

// Which equalisers of the channel a fit chooses the bands of.
enum class FitEqualisers { TenBand, EightBand, Both };

// What a fit works from: the configuration (sample rate, switches, gains and the current bands of
// both equalisers), the channel (0 is L, any other R), the equalisers to fit, and the measurement
// with its target on the fit range. The request is a value, so it can be handed to a worker
// thread as it is.
struct FitRequest {
    ParameterSet parameters;
    int channel = 0;
    FitEqualisers equalisers = FitEqualisers::TenBand;
    AlignedResponse response;
};
