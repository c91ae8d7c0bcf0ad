#pragma once

#include "params/ChannelFields.h"
#include "params/ParameterSet.h"
#include "tool/ToolApi.h"

// The three per-channel fields of an equaliser: the band gains, the band frequencies and the Q
// of the peaking bands (element i of the Q list belongs to band i + 1).
struct EqualiserFields {
    const ChannelField& gain;
    const ChannelField& frequency;
    const ChannelField& q;
};

// The band settings of one channel as the design functions take them: the gains and frequencies
// (whole numbers in the parameter set) converted to float, the Q values copied; the coefficient
// fields zero. The channel index follows ChannelField::Index.
class EqualiserRecord {
public:
    static constexpr EqualiserFields kTenBandFields{
        ChannelFields::Get("EQGAIN*"), ChannelFields::Get("EQCF*"), ChannelFields::Get("EQQ*")};
    static constexpr EqualiserFields kEightBandFields{
        ChannelFields::Get("EQGAIN*1"), ChannelFields::Get("EQCF*1"), ChannelFields::Get("EQQ*1")};

    static EQ10Record TenBand(const ParameterSet& set, int channel);
    static EQ8Record EightBand(const ParameterSet& set, int channel);
};
