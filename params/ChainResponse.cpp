#include "params/ChainResponse.h"

#include "params/ChannelFields.h"
#include "params/ToolLibrary.h"

#include <utility>

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

ChainStatus ChainResponse::Chain(const ParameterSet& set, int channel, const DesignGrid& grid,
                                 std::vector<double>& chain) const {
    if (!grid.Valid()) {
        return ChainStatus::BadGrid;
    }
    // In the order the device applies them: Gain1, ten-band, eight-band, Gain2.
    std::vector<double> sum(static_cast<std::size_t>(grid.pointCount),
                            static_cast<double>(Gain1(set, channel)));
    std::vector<float> curve;
    const auto add = [&](bool on, EqualiserKind kind) {
        if (!on) {
            return ChainStatus::Ok;
        }
        const ChainStatus status = Equaliser(EqualiserBands::Of(set, kind, channel), grid, curve);
        if (status == ChainStatus::Ok) {
            for (std::size_t i = 0; i < sum.size(); ++i) {
                sum[i] += static_cast<double>(curve[i]);
            }
        }
        return status;
    };
    for (const auto& [on, kind] : {std::pair{set.EQSwtch, EqualiserKind::TenBand},
                                   std::pair{set.EQSwtch1, EqualiserKind::EightBand}}) {
        if (const ChainStatus status = add(on, kind); status != ChainStatus::Ok) {
            return status;
        }
    }
    const double gain2 = Gain2(set, channel);
    for (double& value : sum) {
        value += gain2;
    }
    chain = std::move(sum);
    return ChainStatus::Ok;
}
