#pragma once

#include "params/ParameterSet.h"
#include "tool/ToolApi.h"

// The band settings of one channel as the design functions take them: the gains and frequencies
// (whole numbers in the parameter set) converted to float, the Q values copied; the coefficient
// fields zero. Channel 0 is L, any other channel R.
class EqualiserRecord {
public:
    static EQ10Record TenBand(const ParameterSet& set, int channel);
    static EQ8Record EightBand(const ParameterSet& set, int channel);
};
