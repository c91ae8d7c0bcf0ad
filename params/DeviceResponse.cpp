#include "params/DeviceResponse.h"

#include "base/NumberText.h"
#include "params/ChainResponse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

bool AllFinite(std::span<const float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

} // namespace

DirectSection DeviceResponse::StepUp(const LatticeSection& s) {
    const double k1 = s.k1;
    const double k2 = s.k2;
    const double c0 = s.c0;
    const double c1 = s.c1;
    const double c2 = s.c2;
    DirectSection d;
    d.a2 = k2;
    d.a1 = k1 * (1.0 + k2);
    d.b2 = c2;
    d.b1 = c1 + c2 * d.a1;
    d.b0 = c0 + c2 * d.a2 + c1 * k1;
    return d;
}

namespace {

double MagnitudeDbAt(const DirectSection& s, double cos1, double sin1, double cos2, double sin2) {
    // Numerator and denominator at z = e^(j w): the coefficients times e^(-j k w).
    const double nr = s.b0 + s.b1 * cos1 + s.b2 * cos2;
    const double ni = -(s.b1 * sin1 + s.b2 * sin2);
    const double dr = 1.0 + s.a1 * cos1 + s.a2 * cos2;
    const double di = -(s.a1 * sin1 + s.a2 * sin2);
    return 10.0 * std::log10((nr * nr + ni * ni) / (dr * dr + di * di));
}

double Omega(double frequency, double sampleRate) {
    return 2.0 * std::numbers::pi * frequency / sampleRate;
}

} // namespace

double DeviceResponse::MagnitudeDb(const DirectSection& s, double frequency, double sampleRate) {
    const double omega = Omega(frequency, sampleRate);
    return MagnitudeDbAt(s, std::cos(omega), std::sin(omega), std::cos(2.0 * omega),
                         std::sin(2.0 * omega));
}

DeviceResponse::Phasors DeviceResponse::GridPhasors(const DesignGrid& grid) {
    Phasors phasors;
    const std::vector<double> frequencies = grid.Frequencies();
    for (const double frequency : frequencies) {
        const double omega = Omega(frequency, grid.sampleRate);
        phasors.cos1.push_back(std::cos(omega));
        phasors.sin1.push_back(std::sin(omega));
        phasors.cos2.push_back(std::cos(2.0 * omega));
        phasors.sin2.push_back(std::sin(2.0 * omega));
    }
    return phasors;
}

std::vector<double> DeviceResponse::SectionCurve(const DirectSection& section,
                                                 const Phasors& phasors) {
    std::vector<double> db(phasors.cos1.size());
    for (std::size_t i = 0; i < db.size(); ++i) {
        db[i] = MagnitudeDbAt(section, phasors.cos1[i], phasors.sin1[i], phasors.cos2[i],
                              phasors.sin2[i]);
    }
    return db;
}

std::vector<LatticeSection> DeviceResponse::Sections(EqualiserKind kind,
                                                     std::span<const float> coefficients) {
    // The coefficient area starts where the record's inputs end.
    const RecordLayout& layout = EqualiserBands::Layout(kind);
    std::vector<LatticeSection> sections;
    const auto at = [&](std::size_t index) {
        return index >= layout.inputs && index - layout.inputs < coefficients.size()
                   ? coefficients[index - layout.inputs]
                   : 0.0f;
    };
    for (int band = 0; band < layout.bands; ++band) {
        const SectionPlace place = layout.SectionOf(band);
        sections.push_back(LatticeSection{at(place.k), at(place.k + 1), at(place.c),
                                          at(place.c + 1), at(place.c + 2)});
    }
    return sections;
}

std::vector<LatticeSection> DeviceResponse::RecordSections(EqualiserKind kind,
                                                           std::span<const float> record) {
    const std::size_t inputs = EqualiserBands::Layout(kind).inputs;
    return Sections(kind,
                    record.size() > inputs ? record.subspan(inputs) : std::span<const float>());
}

DeviceCurveStatus DeviceResponse::Curve(std::span<const LatticeSection> sections,
                                        const DesignGrid& grid, std::vector<double>& db) {
    if (!grid.Valid()) {
        return DeviceCurveStatus::BadGrid;
    }
    const Phasors phasors = GridPhasors(grid);
    std::vector<double> result(phasors.cos1.size(), 0.0);
    for (const LatticeSection& section : sections) {
        const std::vector<double> curve = SectionCurve(StepUp(section), phasors);
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] += curve[i];
        }
    }
    db = std::move(result);
    return DeviceCurveStatus::Ok;
}

int32_t DeviceResponse::FileSampleRate(const ParameterArray& file) {
    return NumberText::TruncateToInt32(static_cast<double>(file[1]));
}

DeviceCurveStatus DeviceResponse::FileEqualiser(const ParameterArray& file, EqualiserKind kind,
                                                int channel, const DesignGrid& grid,
                                                std::vector<double>& db) {
    const int side = channel != 0 ? 1 : 0;
    // A one-channel file carries no R block: its zeros are no equaliser.
    if (side == 1 && NumberText::TruncateToInt32(static_cast<double>(file[0])) != 2) {
        return DeviceCurveStatus::NoChannel;
    }
    const std::span<const float> coefficients =
        kind == EqualiserKind::TenBand ? ParameterFile::TenBandCoefficients(file, side)
                                       : ParameterFile::EightBandCoefficients(file, side);
    if (!AllFinite(coefficients)) {
        return DeviceCurveStatus::NotFiniteStored;
    }
    return Curve(Sections(kind, coefficients), grid, db);
}

DeviceCurveStatus DeviceResponse::FileChain(const ParameterArray& file, int channel,
                                            const DesignGrid& grid, std::vector<double>& db) {
    ParameterSet set;
    ParameterFile::ArrayToFields(file, set);
    const int side = channel != 0 ? 1 : 0;
    if (side == 1 && set.CHANUM != 2) {
        return DeviceCurveStatus::NoChannel;
    }
    if (!grid.Valid()) {
        return DeviceCurveStatus::BadGrid;
    }
    std::vector<double> curves[2];
    const std::pair<bool, EqualiserKind> equalisers[2] = {{set.EQSwtch, EqualiserKind::TenBand},
                                                          {set.EQSwtch1, EqualiserKind::EightBand}};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto [on, kind] = equalisers[i];
        if (!on) {
            continue;
        }
        const DeviceCurveStatus status = FileEqualiser(file, kind, side, grid, curves[i]);
        if (status != DeviceCurveStatus::Ok) {
            return status;
        }
    }
    const auto pointer = [](const std::vector<double>& curve) {
        return curve.empty() ? nullptr : curve.data();
    };
    std::vector<double> sum = ChainResponse::Sum(set, side, pointer(curves[0]), pointer(curves[1]),
                                                 static_cast<std::size_t>(grid.pointCount));
    db = std::move(sum);
    return DeviceCurveStatus::Ok;
}
