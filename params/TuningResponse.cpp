#include "params/TuningResponse.h"

#include "params/DeviceSteps.h"

#include <algorithm>
#include <cmath>

namespace {

// The bands with every band but `band` flat: at 0 dB, and at one frequency and Q the library
// takes whatever those bands hold, so that a band's own curve depends on that band alone.
EqualiserBands Alone(const EqualiserBands& bands, int band, int32_t sampleRate) {
    constexpr double kFlatFrequency = 1000.0;
    constexpr float kFlatQ = 1.0f;
    EqualiserBands alone = bands;
    const int32_t flatFrequency = DeviceSteps::Frequency(kFlatFrequency, sampleRate);
    for (int i = 0; i < alone.Bands(); ++i) {
        if (i == band) {
            continue;
        }
        const auto index = static_cast<std::size_t>(i);
        alone.gains[index] = 0;
        alone.frequencies[index] = flatFrequency;
        if (i >= 1 && i <= static_cast<int>(alone.q.size())) {
            alone.q[index - 1] = kFlatQ;
        }
    }
    return alone;
}

EqualiserKind OtherKind(EqualiserKind kind) {
    return kind == EqualiserKind::TenBand ? EqualiserKind::EightBand : EqualiserKind::TenBand;
}

} // namespace

CurvePeak TuningResponse::Peak(const std::vector<double>& db,
                               const std::vector<double>& frequencies) {
    CurvePeak peak;
    for (std::size_t i = 0; i < db.size() && i < frequencies.size(); ++i) {
        if (std::isfinite(db[i]) && (!peak.found || db[i] > peak.db)) {
            peak = CurvePeak{true, db[i], frequencies[i]};
        }
    }
    return peak;
}

TuningResponse::Designed& TuningResponse::Slot(EqualiserKind kind, int channel) {
    return designed_[kind == EqualiserKind::TenBand ? 0 : 1][channel != 0 ? 1 : 0];
}

ChainStatus TuningResponse::Design(Designed& slot, const EqualiserBands& bands,
                                   const DesignGrid& grid) {
    if (slot.valid && slot.grid == grid && slot.bands == bands) {
        return ChainStatus::Ok;
    }
    slot.valid = false;
    slot.record = bands.Record();
    const ChainStatus status = design_.Record(bands.kind, slot.record, grid, slot.curve);
    if (status != ChainStatus::Ok) {
        return status;
    }
    ++libraryCalls_;
    slot.bands = bands;
    slot.grid = grid;
    slot.valid = true;
    return ChainStatus::Ok;
}

ChainStatus TuningResponse::Channel(const ParameterSet& set, const TuningRequest& request,
                                    int channel, const DesignGrid& grid, TuningChannel& out) {
    Designed& own = Slot(request.kind, channel);
    if (const ChainStatus status =
            Design(own, EqualiserBands::Of(set, request.kind, channel), grid);
        status != ChainStatus::Ok) {
        return status;
    }
    out.equaliser = own.curve;
    out.chain.clear();
    out.device.clear();
    out.chainPeak = CurvePeak{};
    if (request.wholeChain) {
        const EqualiserKind otherKind = OtherKind(request.kind);
        const bool otherOn = otherKind == EqualiserKind::TenBand ? set.EQSwtch : set.EQSwtch1;
        const bool ownOn = request.kind == EqualiserKind::TenBand ? set.EQSwtch : set.EQSwtch1;
        const float* otherCurve = nullptr;
        if (otherOn) {
            Designed& other = Slot(otherKind, channel);
            if (const ChainStatus status =
                    Design(other, EqualiserBands::Of(set, otherKind, channel), grid);
                status != ChainStatus::Ok) {
                return status;
            }
            otherCurve = other.curve.data();
        }
        const float* ownCurve = ownOn ? own.curve.data() : nullptr;
        const bool tenIsOwn = request.kind == EqualiserKind::TenBand;
        out.chain = ChainResponse::Sum(set, channel, tenIsOwn ? ownCurve : otherCurve,
                                       tenIsOwn ? otherCurve : ownCurve, own.curve.size());
    }
    if (request.deviceResponse) {
        out.device.assign(own.curve.size(), 0.0);
        for (const LatticeSection& section :
             DeviceResponse::RecordSections(request.kind, own.record)) {
            const std::vector<double> db =
                DeviceResponse::SectionCurve(DeviceResponse::StepUp(section), phasors_);
            for (std::size_t i = 0; i < out.device.size() && i < db.size(); ++i) {
                out.device[i] += db[i];
            }
        }
    }
    return ChainStatus::Ok;
}

ChainStatus TuningResponse::BandCurves(const EqualiserBands& bands, const TuningRequest& request,
                                       const DesignGrid& grid, TuningCurves& curves) {
    const int channel = request.channel != 0 ? 1 : 0;
    if (bandsKind_ != request.kind || bandsChannel_ != channel ||
        bands_.size() != static_cast<std::size_t>(bands.Bands())) {
        bands_.assign(static_cast<std::size_t>(bands.Bands()), Band{});
        bandsKind_ = request.kind;
        bandsChannel_ = channel;
    }
    for (int band = 0; band < bands.Bands(); ++band) {
        Band& cache = bands_[static_cast<std::size_t>(band)];
        const long calls = libraryCalls_;
        if (const ChainStatus status =
                Design(cache.alone, Alone(bands, band, grid.sampleRate), grid);
            status != ChainStatus::Ok) {
            return status;
        }
        if (calls != libraryCalls_) {
            cache.hasDevice = false;
        }
        if (request.bandCurves) {
            curves.bands.push_back(cache.alone.curve);
        }
        if (!request.deviceResponse) {
            continue;
        }
        if (!cache.hasDevice) {
            // The band's own section, as it stands in the equaliser's record.
            const std::vector<LatticeSection> sections =
                DeviceResponse::RecordSections(request.kind, cache.alone.record);
            cache.device = DeviceResponse::SectionCurve(
                DeviceResponse::StepUp(sections[static_cast<std::size_t>(band)]), phasors_);
            cache.hasDevice = true;
        }
        double worst = 0.0;
        for (std::size_t i = 0; i < cache.device.size(); ++i) {
            const double difference =
                std::abs(cache.device[i] - static_cast<double>(cache.alone.curve[i]));
            // A NaN difference (a band the library cannot take) counts as a departure too.
            worst = std::isnan(difference) ? difference : std::max(worst, difference);
            if (std::isnan(worst)) {
                break;
            }
        }
        if (!(worst <= kDepartureLimitDb)) {
            curves.departures.push_back(BandDeparture{band, worst});
        }
    }
    return ChainStatus::Ok;
}

ChainStatus TuningResponse::Compute(const ParameterSet& set, const TuningRequest& request,
                                    const DesignGrid& grid, TuningCurves& curves) {
    curves = TuningCurves{};
    if (!grid.Valid()) {
        return ChainStatus::BadGrid;
    }
    curves.frequencies = grid.Frequencies();
    if (request.deviceResponse && !(phasorGrid_ == grid)) {
        phasors_ = DeviceResponse::GridPhasors(grid);
        phasorGrid_ = grid;
    }
    const int channel = request.channel != 0 ? 1 : 0;
    if (const ChainStatus status = Channel(set, request, channel, grid, curves.own);
        status != ChainStatus::Ok) {
        return status;
    }
    curves.own.chainPeak = Peak(curves.own.chain, curves.frequencies);
    if (request.bothChannels) {
        if (const ChainStatus status = Channel(set, request, 1 - channel, grid, curves.other);
            status != ChainStatus::Ok) {
            return status;
        }
        curves.other.chainPeak = Peak(curves.other.chain, curves.frequencies);
    }
    if (request.bandCurves || request.deviceResponse) {
        return BandCurves(EqualiserBands::Of(set, request.kind, channel), request, grid, curves);
    }
    return ChainStatus::Ok;
}
