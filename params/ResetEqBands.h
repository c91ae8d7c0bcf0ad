#pragma once

#include "params/ParameterSet.h"

// Sets the bands of both equalisers to the default layout for the set's SWFS and CHANUM: the
// frequencies of the low shelf and the peaking bands spaced evenly in octaves from 20 Hz to half
// the sample rate, their gains 0 dB and their Q 2.5, and the high shelves just below half the
// sample rate. The ten-band R gains and Q, the high-shelf gains and everything else keep their
// values; with one channel no R field is touched.
//
// A sample rate of 40 Hz or less leaves no octave above 20 Hz: nothing changes and the result
// is false.
bool ResetEqBands(ParameterSet& set);
