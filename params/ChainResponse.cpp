#include "params/ChainResponse.h"

#include "params/ChannelFields.h"
#include "params/ToolLibrary.h"

#include <utility>
#include <vector>

ChainResponse::ChainResponse(const ToolLibrary& library)
    : tenBand_(library.Eq10()), eightBand_(library.Eq8()) {}

EqProductFunction ChainResponse::Function(EqualiserKind kind) const {
    return kind == EqualiserKind::TenBand ? tenBand_ : eightBand_;
}

ChainStatus ChainResponse::Record(EqualiserKind kind, std::vector<float>& record,
                                  const DesignGrid& grid, std::vector<float>& curve) const {
    const EqProductFunction function = Function(kind);
    if (function == nullptr) {
        return ChainStatus::LibraryMissing;
    }
    if (!grid.Valid()) {
        return ChainStatus::BadGrid;
    }
    record.resize(static_cast<std::size_t>(EqualiserBands::RecordFloats(kind)), 0.0f);
    curve.resize(static_cast<std::size_t>(grid.pointCount));
    function(record.data(), curve.data(), grid.sampleRate, grid.startFrequency, grid.pointCount);
    return ChainStatus::Ok;
}

ChainStatus ChainResponse::Equaliser(const EqualiserBands& bands, const DesignGrid& grid,
                                     std::vector<float>& curve) const {
    std::vector<float> record = bands.Record();
    return Record(bands.kind, record, grid, curve);
}

ChainStatus ChainResponse::TenBand(const ParameterSet& set, int channel, const DesignGrid& grid,
                                   std::vector<float>& curve) const {
    return Equaliser(EqualiserBands::Of(set, EqualiserKind::TenBand, channel), grid, curve);
}

ChainStatus ChainResponse::EightBand(const ParameterSet& set, int channel, const DesignGrid& grid,
                                     std::vector<float>& curve) const {
    return Equaliser(EqualiserBands::Of(set, EqualiserKind::EightBand, channel), grid, curve);
}

int32_t ChainResponse::Gain1(const ParameterSet& set, int channel) {
    return ChannelFields::Get("SCTRGAIN*1").Of(channel).Ints(set)[0];
}

int32_t ChainResponse::Gain2(const ParameterSet& set, int channel) {
    return ChannelFields::Get("SCTRGAIN*2").Of(channel).Ints(set)[0];
}

namespace {

template <class Value>
std::vector<double> SumChain(int32_t gain1, int32_t gain2, const Value* tenBand,
                             const Value* eightBand, std::size_t pointCount) {
    std::vector<double> sum(pointCount, static_cast<double>(gain1));
    for (const Value* curve : {tenBand, eightBand}) {
        if (curve != nullptr) {
            for (std::size_t i = 0; i < pointCount; ++i) {
                sum[i] += static_cast<double>(curve[i]);
            }
        }
    }
    for (double& value : sum) {
        value += static_cast<double>(gain2);
    }
    return sum;
}

} // namespace

std::vector<double> ChainResponse::Sum(const ParameterSet& set, int channel, const float* tenBand,
                                       const float* eightBand, std::size_t pointCount) {
    return SumChain(Gain1(set, channel), Gain2(set, channel), tenBand, eightBand, pointCount);
}

std::vector<double> ChainResponse::Sum(const ParameterSet& set, int channel, const double* tenBand,
                                       const double* eightBand, std::size_t pointCount) {
    return SumChain(Gain1(set, channel), Gain2(set, channel), tenBand, eightBand, pointCount);
}

ChainStatus ChainResponse::Chain(const ParameterSet& set, int channel, const DesignGrid& grid,
                                 std::vector<double>& chain) const {
    if (!grid.Valid()) {
        return ChainStatus::BadGrid;
    }
    std::vector<float> curves[2];
    const std::pair<bool, EqualiserKind> equalisers[2] = {{set.EQSwtch, EqualiserKind::TenBand},
                                                          {set.EQSwtch1, EqualiserKind::EightBand}};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto [on, kind] = equalisers[i];
        if (!on) {
            continue;
        }
        const ChainStatus status =
            Equaliser(EqualiserBands::Of(set, kind, channel), grid, curves[i]);
        if (status != ChainStatus::Ok) {
            return status;
        }
    }
    const auto pointer = [](const std::vector<float>& curve) {
        return curve.empty() ? nullptr : curve.data();
    };
    chain = Sum(set, channel, pointer(curves[0]), pointer(curves[1]),
                static_cast<std::size_t>(grid.pointCount));
    return ChainStatus::Ok;
}
