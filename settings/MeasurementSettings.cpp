#include "settings/MeasurementSettings.h"

#include "base/NumberText.h"
#include "settings/CIniSettingBase.h"

#include <cmath>
#include <optional>

namespace {

constexpr std::array<std::u16string_view, 2> kFileKeys{u"FileL", u"FileR"};

struct TargetWord {
    MeasurementSettings::Target target;
    std::u16string_view word;
};
constexpr std::array<TargetWord, 3> kTargetWords{{
    {MeasurementSettings::Target::Flat, u"flat"},
    {MeasurementSettings::Target::Tilt, u"tilt"},
    {MeasurementSettings::Target::File, u"file"},
}};

// A finite decimal number and nothing else but blanks around it; none for an empty text.
std::optional<double> Number(const std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) {
        return std::nullopt;
    }
    const std::size_t last = text.find_last_not_of(u" \t");
    for (std::size_t i = first; i <= last; ++i) {
        const char16_t c = text[i];
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' ||
              c == u'E')) {
            return std::nullopt;
        }
    }
    const double value = NumberText::ParseDecimal(text);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::u16string Text(double value) {
    return NumberText::Widen(NumberText::FormatShortestDouble(value));
}

} // namespace

MeasurementSettings MeasurementSettings::Load(const CIniSettingBase& settings) {
    MeasurementSettings read;
    const auto value = [&settings](std::u16string_view key) {
        return settings.SectionValue(kSection, key);
    };
    for (std::size_t channel = 0; channel < kFileKeys.size(); ++channel) {
        read.files[channel] = value(kFileKeys[channel]);
    }
    const std::u16string target = value(u"Target");
    for (const TargetWord& entry : kTargetWords) {
        if (target == entry.word) {
            read.target = entry.target;
        }
    }
    read.tilt = Number(value(u"Tilt")).value_or(0.0);
    read.targetFile = value(u"TargetFile");
    const std::optional<double> low = Number(value(u"RangeLow"));
    const std::optional<double> high = Number(value(u"RangeHigh"));
    if (low && high && *low > 0.0 && *low < *high) {
        read.rangeLow = *low;
        read.rangeHigh = *high;
    }
    return read;
}

bool MeasurementSettings::Save(CIniSettingBase& settings) const {
    std::u16string targetWord;
    for (const TargetWord& entry : kTargetWords) {
        if (entry.target == target) {
            targetWord = entry.word;
        }
    }
    const std::array<CIniSettingBase::SectionEntry, 7> entries{{
        {kFileKeys[0], files[0]},
        {kFileKeys[1], files[1]},
        {u"Target", targetWord},
        {u"Tilt", Text(tilt)},
        {u"TargetFile", targetFile},
        {u"RangeLow", Text(rangeLow)},
        {u"RangeHigh", Text(rangeHigh)},
    }};
    return settings.SaveSectionValues(kSection, entries);
}
