#include "exchange/ParametricEqImport.h"

#include "base/NumberText.h"
#include "exchange/ParametricEqWriter.h"
#include "measure/MessageText.h"
#include "params/DeviceSteps.h"

#include <algorithm>
#include <cmath>

namespace {

struct ChangeText {
    const char* key;
    const char* pattern;
};

constexpr ChangeText kGain{"IDS_EQIMPORT_GAIN", "filter %1: gain %2 dB \xE2\x86\x92 %3 dB"};
constexpr ChangeText kFrequency{"IDS_EQIMPORT_FREQUENCY",
                                "filter %1: frequency %2 Hz \xE2\x86\x92 %3 Hz"};
constexpr ChangeText kQ{"IDS_EQIMPORT_Q", "filter %1: Q %2 \xE2\x86\x92 %3"};
constexpr ChangeText kBandwidth{"IDS_EQIMPORT_BANDWIDTH",
                                "filter %1: bandwidth %2 octaves \xE2\x86\x92 Q %3"};
constexpr ChangeText kShelfQ{"IDS_EQIMPORT_SHELF_Q",
                             "filter %1: Q %2 not kept: the device's shelves have the slope of "
                             "Q %3"};
constexpr ChangeText kShelfSlope{"IDS_EQIMPORT_SHELF_SLOPE",
                                 "filter %1: the %2 dB/octave shelf becomes the device's "
                                 "12 dB/octave shelf"};
constexpr ChangeText kNoBand{"IDS_EQIMPORT_NO_BAND", "filter %1 dropped: no band left"};
constexpr ChangeText kLowShelfTaken{"IDS_EQIMPORT_LOW_SHELF_TAKEN",
                                    "filter %1 dropped: filter %2 is the low shelf already"};
constexpr ChangeText kHighShelfTaken{"IDS_EQIMPORT_HIGH_SHELF_TAKEN",
                                     "filter %1 dropped: filter %2 is the high shelf already"};
constexpr ChangeText kPreamp{"IDS_EQIMPORT_PREAMP", "preamp %1 dB \xE2\x86\x92 Gain2 %2 dB"};

// A shelf Q that stands for the device's own slope (the writer's 0.707, or 1/sqrt(2) written
// with two or more decimals).
constexpr double kShelfQTolerance = 0.0075;

void Note(std::vector<EqImportChange>& changes, int64_t line, const ChangeText& text,
          std::vector<std::string> arguments) {
    changes.push_back({line, text.key, text.pattern, std::move(arguments)});
}

// The Q of a peaking band whose half-gain points lie `octaves` apart.
double QForOctaves(double octaves) {
    const double ratio = std::exp2(octaves);
    return std::sqrt(ratio) / (ratio - 1.0);
}

class Importer {
public:
    Importer(const EqualiserBands& current, int32_t sampleRate) : sampleRate_(sampleRate) {
        result_.bands = current;
        std::fill(result_.bands.gains.begin(), result_.bands.gains.end(), 0);
    }

    // The filter's values into band.
    void Place(const ParametricFilter& filter, int band) {
        const auto b = static_cast<std::size_t>(band);
        const std::string number = NumberText::FormatInt(filter.number);
        const int32_t gain = DeviceSteps::Gain(filter.gain);
        if (gain != filter.gain) {
            Note(result_.changes, filter.line, kGain,
                 {number, filter.gainWord, NumberText::FormatInt(gain)});
        }
        const int32_t frequency = DeviceSteps::Frequency(filter.frequency, sampleRate_);
        if (frequency != filter.frequency) {
            Note(result_.changes, filter.line, kFrequency,
                 {number, filter.frequencyWord, NumberText::FormatInt(frequency)});
        }
        result_.bands.gains[b] = gain;
        result_.bands.frequencies[b] = frequency;
        if (filter.IsShelf()) {
            PlaceShelf(filter, number);
        } else {
            result_.bands.q[b - 1] = PeakQ(filter, number);
        }
    }

    EqImport& Result() { return result_; }
    std::vector<EqImportChange>& Changes() { return result_.changes; }

private:
    void PlaceShelf(const ParametricFilter& filter, const std::string& number) {
        if (filter.q && std::abs(*filter.q - 1.0 / std::sqrt(2.0)) > kShelfQTolerance) {
            Note(result_.changes, filter.line, kShelfQ,
                 {number, filter.qWord, NumberText::FormatFixed(ParametricEqWriter::kShelfQ, 3)});
        }
        if (filter.slope != 0.0 && filter.slope != 12.0) {
            Note(result_.changes, filter.line, kShelfSlope,
                 {number, NumberText::FormatShortest(static_cast<float>(filter.slope))});
        }
    }

    float PeakQ(const ParametricFilter& filter, const std::string& number) {
        if (!filter.q && filter.bandwidth) {
            const float q = DeviceSteps::Q(QForOctaves(*filter.bandwidth));
            Note(result_.changes, filter.line, kBandwidth,
                 {number, filter.bandwidthWord, NumberText::FormatShortest(q)});
            return q;
        }
        const double wanted = filter.q.value_or(0.0);
        const int32_t tenths = DeviceSteps::QTenths(wanted);
        const float q = DeviceSteps::QFromTenths(tenths);
        if (static_cast<double>(tenths) / 10.0 != wanted) {
            Note(result_.changes, filter.line, kQ,
                 {number, filter.qWord, NumberText::FormatShortest(q)});
        }
        return q;
    }

    int32_t sampleRate_;
    EqImport result_;
};

// Whether the filters stand band for band: one per band, numbered 1 to n, shelves at the ends.
bool BandForBand(const std::vector<ParametricFilter>& filters, const RecordLayout& layout) {
    const int bands = layout.bands;
    if (static_cast<int>(filters.size()) != bands) {
        return false;
    }
    for (int i = 0; i < bands; ++i) {
        const ParametricFilter& filter = filters[static_cast<std::size_t>(i)];
        ParametricFilter::Type wanted = ParametricFilter::Type::Peaking;
        if (layout.KindOf(i) == BandKind::LowShelf) {
            wanted = ParametricFilter::Type::LowShelf;
        } else if (layout.KindOf(i) == BandKind::HighShelf) {
            wanted = ParametricFilter::Type::HighShelf;
        }
        if (filter.number != i + 1 || filter.type != wanted) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string EqImportChange::Text() const {
    std::vector<std::string_view> views(arguments.begin(), arguments.end());
    // MessageText takes an initializer list; the arguments here number at most three.
    views.resize(3);
    return MessageText::Format(pattern, {views[0], views[1], views[2]});
}

EqImport ParametricEqImport::Apply(const ParametricEq& eq, const EqualiserBands& current,
                                   int32_t sampleRate) {
    Importer importer(current, sampleRate);
    const int bands = current.Bands();
    const int peaks = bands - 2;
    if (BandForBand(eq.filters, EqualiserBands::Layout(current.kind))) {
        for (int i = 0; i < bands; ++i) {
            importer.Place(eq.filters[static_cast<std::size_t>(i)], i);
        }
    } else {
        const ParametricFilter* lowShelf = nullptr;
        const ParametricFilter* highShelf = nullptr;
        std::vector<const ParametricFilter*> kept;
        for (const ParametricFilter& filter : eq.filters) {
            const std::string number = NumberText::FormatInt(filter.number);
            if (filter.type == ParametricFilter::Type::Peaking) {
                if (static_cast<int>(kept.size()) < peaks) {
                    kept.push_back(&filter);
                } else {
                    Note(importer.Changes(), filter.line, kNoBand, {number});
                }
                continue;
            }
            const bool low = filter.type == ParametricFilter::Type::LowShelf;
            const ParametricFilter*& shelf = low ? lowShelf : highShelf;
            if (shelf == nullptr) {
                shelf = &filter;
                importer.Place(filter, low ? 0 : bands - 1);
            } else {
                Note(importer.Changes(), filter.line, low ? kLowShelfTaken : kHighShelfTaken,
                     {number, NumberText::FormatInt(shelf->number)});
            }
        }
        std::stable_sort(kept.begin(), kept.end(),
                         [](const ParametricFilter* a, const ParametricFilter* b) {
                             return a->frequency < b->frequency;
                         });
        for (std::size_t i = 0; i < kept.size(); ++i) {
            importer.Place(*kept[i], static_cast<int>(i) + 1);
        }
    }
    EqImport& result = importer.Result();
    if (eq.preamp) {
        result.gain2 = DeviceSteps::Gain(*eq.preamp);
        Note(result.changes, 0, kPreamp, {eq.preampWord, NumberText::FormatInt(*result.gain2)});
    }
    std::stable_sort(
        result.changes.begin(), result.changes.end(),
        [](const EqImportChange& a, const EqImportChange& b) { return a.line < b.line; });
    return result;
}
