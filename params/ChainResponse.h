#pragma once

#include "params/DesignGrid.h"
#include "params/EqualiserBands.h"
#include "params/ParameterSet.h"
#include "tool/ToolApi.h"

#include <vector>

class ToolLibrary;

enum class ChainStatus {
    Ok,
    LibraryMissing, // the design library or its entry point is not loaded
    BadGrid,        // the grid is not valid (DesignGrid::Valid), e.g. a sample rate of 0
};

// The small-signal response of a channel as the device shapes it, computed by the design library
// on one of its grids. Each equaliser's curve is the library's own, bit for bit; the whole chain
// is Gain1 + ten-band (when EQSwtch is on) + eight-band (when EQSwtch1 is on) + Gain2, in dB,
// summed in double. The DRC and the limiter depend on the level and are not part of it.
//
// Channel 0 is L, any other channel R. The object keeps the library's entry points, not the
// library: the library must outlive it. The library is reentrant, so one object may be used from
// any thread, and several at once.
class ChainResponse {
public:
    explicit ChainResponse(const ToolLibrary& library);
    ChainResponse(EqProductFunction tenBand, EqProductFunction eightBand)
        : tenBand_(tenBand), eightBand_(eightBand) {}

    // The curve of one equaliser with these bands, in dB, one value per grid point.
    ChainStatus Equaliser(const EqualiserBands& bands, const DesignGrid& grid,
                          std::vector<float>& curve) const;
    // The same for a design record (RecordFloats(kind) floats; its coefficient fields are
    // overwritten).
    ChainStatus Record(EqualiserKind kind, std::vector<float>& record, const DesignGrid& grid,
                       std::vector<float>& curve) const;

    ChainStatus TenBand(const ParameterSet& set, int channel, const DesignGrid& grid,
                        std::vector<float>& curve) const;
    ChainStatus EightBand(const ParameterSet& set, int channel, const DesignGrid& grid,
                          std::vector<float>& curve) const;
    // The whole chain of the channel, dB. On failure chain is left as it was.
    ChainStatus Chain(const ParameterSet& set, int channel, const DesignGrid& grid,
                      std::vector<double>& chain) const;

    // The whole chain from the two equalisers' curves (each the library's, pointCount values; a
    // null curve for an equaliser that is off), in the order the device applies them: Gain1,
    // ten-band, eight-band, Gain2, summed in double. The switches are not looked at here.
    static std::vector<double> Sum(const ParameterSet& set, int channel, const float* tenBand,
                                   const float* eightBand, std::size_t pointCount);
    // The same from curves in double (the device's response from stored sections).
    static std::vector<double> Sum(const ParameterSet& set, int channel, const double* tenBand,
                                   const double* eightBand, std::size_t pointCount);

    // Gain1 and Gain2 of the channel, dB.
    static int32_t Gain1(const ParameterSet& set, int channel);
    static int32_t Gain2(const ParameterSet& set, int channel);

private:
    EqProductFunction Function(EqualiserKind kind) const;

    EqProductFunction tenBand_ = nullptr;
    EqProductFunction eightBand_ = nullptr;
};
