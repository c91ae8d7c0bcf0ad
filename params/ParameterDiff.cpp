#include "params/ParameterDiff.h"

#include "base/NumberText.h"

#include <bit>
#include <map>
#include <tuple>

namespace {

DiffBlock BlockOf(ParameterArea area) {
    switch (area) {
    case ParameterArea::Header:
        return DiffBlock::Header;
    case ParameterArea::Gain1:
        return DiffBlock::Gain1;
    case ParameterArea::TenBandEq:
        return DiffBlock::TenBand;
    case ParameterArea::Drc:
        return DiffBlock::Drc;
    case ParameterArea::Limiter:
        return DiffBlock::Limiter;
    case ParameterArea::EightBandEq:
        return DiffBlock::EightBand;
    case ParameterArea::Gain2:
        return DiffBlock::Gain2;
    case ParameterArea::Unused:
        break;
    }
    return DiffBlock::Unused;
}

bool SameBits(float a, float b) {
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

// The entry for the float at index, before grouping.
FieldDifference Single(std::size_t index, float a, float b) {
    const ParameterPosition where = ParameterFile::Locate(index);
    FieldDifference difference;
    difference.key = std::string(where.key);
    difference.channel = where.channel;
    difference.block = BlockOf(where.area);
    difference.band = where.band;
    difference.index = index;
    difference.a = DiffValue::OfFloat(a);
    difference.b = DiffValue::OfFloat(b);
    difference.coefficients = where.key.empty() && where.area != ParameterArea::Unused;
    return difference;
}

// Whether next continues the run of zero-area floats that ends with last at lastIndex: the same
// zero area, with no field between them.
bool ContinuesRun(const FieldDifference& last, std::size_t lastIndex, const FieldDifference& next) {
    if (last.block != DiffBlock::Unused || next.block != DiffBlock::Unused ||
        last.channel != next.channel) {
        return false;
    }
    for (std::size_t i = lastIndex + 1; i < next.index; ++i) {
        if (!ParameterFile::Locate(i).key.empty()) {
            return false;
        }
    }
    return true;
}

struct KeyPlace {
    int channel;
    ParameterArea area;
    int firstBand;
};

// Where each key the file carries starts, from the file's own description of its positions.
const std::map<std::string, KeyPlace, std::less<>>& KeyPlaces() {
    static const std::map<std::string, KeyPlace, std::less<>> places = [] {
        std::map<std::string, KeyPlace, std::less<>> found;
        for (std::size_t i = 0; i < kParameterFileFloats; ++i) {
            const ParameterPosition where = ParameterFile::Locate(i);
            if (!where.key.empty()) {
                found.emplace(std::string(where.key),
                              KeyPlace{where.channel, where.area, where.band});
            }
        }
        return found;
    }();
    return places;
}

} // namespace

DiffValue DiffValue::OfFloat(float value) {
    DiffValue v;
    v.kind = Kind::Float;
    v.floatValue = value;
    return v;
}

DiffValue DiffValue::OfInteger(int64_t value) {
    DiffValue v;
    v.kind = Kind::Integer;
    v.integer = value;
    return v;
}

DiffValue DiffValue::OfText(std::u16string value) {
    DiffValue v;
    v.kind = Kind::Text;
    v.text = std::move(value);
    return v;
}

std::u16string DiffValue::Format() const {
    switch (kind) {
    case Kind::Missing:
        break;
    case Kind::Float:
        return NumberText::Widen(NumberText::FormatShortest(floatValue));
    case Kind::Integer:
        return NumberText::Widen(NumberText::FormatInt(integer));
    case Kind::Text:
        return text;
    }
    return {};
}

std::vector<FieldDifference> ParameterDiff::Compare(const ParameterArray& a, std::uint64_t lengthA,
                                                    const ParameterArray& b, std::uint64_t lengthB,
                                                    bool withCoefficients) {
    std::vector<FieldDifference> differences;
    if (lengthA != lengthB) {
        FieldDifference length;
        length.block = DiffBlock::File;
        length.a = DiffValue::OfInteger(static_cast<int64_t>(lengthA));
        length.b = DiffValue::OfInteger(static_cast<int64_t>(lengthB));
        differences.push_back(length);
    }
    // A band's coefficients are not contiguous (the shelves' sections, then the peaking bands'
    // k and c values): one entry per channel, equaliser and band, where its first one differs.
    std::map<std::tuple<int, DiffBlock, int>, std::size_t> bandEntries;
    std::size_t lastIndex = FieldDifference::kNoIndex;
    for (std::size_t i = 0; i < kParameterFileFloats; ++i) {
        if (SameBits(a[i], b[i])) {
            continue;
        }
        FieldDifference next = Single(i, a[i], b[i]);
        if (next.coefficients) {
            if (!withCoefficients) {
                continue;
            }
            const auto [entry, added] = bandEntries.try_emplace(
                std::make_tuple(next.channel, next.block, next.band), differences.size());
            if (!added) {
                ++differences[entry->second].count;
                continue;
            }
        } else if (lastIndex != FieldDifference::kNoIndex &&
                   ContinuesRun(differences.back(), lastIndex, next)) {
            ++differences.back().count;
            lastIndex = i;
            continue;
        }
        differences.push_back(next);
        lastIndex = i;
    }
    return differences;
}

std::vector<FieldDifference> ParameterDiff::CompareBytes(std::string_view a, std::string_view b) {
    return Compare(ParameterFile::Decode(a), a.size(), ParameterFile::Decode(b), b.size());
}

bool ParameterDiff::LocateKey(std::string_view key, std::size_t element, FieldDifference& where) {
    const auto& places = KeyPlaces();
    const auto found = places.find(key);
    if (found == places.end()) {
        return false;
    }
    where.channel = found->second.channel;
    where.block = BlockOf(found->second.area);
    where.band =
        found->second.firstBand >= 0 ? found->second.firstBand + static_cast<int>(element) : -1;
    return true;
}

std::u16string ParameterDiff::FieldName(const FieldDifference& difference,
                                        const TextCatalog& texts) {
    if (!difference.key.empty()) {
        return NumberText::Widen(difference.key);
    }
    if (difference.coefficients) {
        const TextId id = difference.block == DiffBlock::TenBand
                              ? TextId::DiffTenBandCoefficients
                              : TextId::DiffEightBandCoefficients;
        return texts.Format(id, {NumberText::Widen(NumberText::FormatInt(difference.band))});
    }
    if (difference.block == DiffBlock::File) {
        return texts.Text(TextId::DiffFileLength);
    }
    return texts.Text(TextId::AreaUnused);
}

const char* ParameterDiff::BlockName(DiffBlock block) {
    switch (block) {
    case DiffBlock::Header:
        return "header";
    case DiffBlock::Gain1:
        return "gain1";
    case DiffBlock::TenBand:
        return "ten-band";
    case DiffBlock::Drc:
        return "drc";
    case DiffBlock::Limiter:
        return "limiter";
    case DiffBlock::EightBand:
        return "eight-band";
    case DiffBlock::Gain2:
        return "gain2";
    case DiffBlock::Unused:
        return "unused";
    case DiffBlock::File:
        return "file";
    case DiffBlock::Editor:
        return "editor";
    case DiffBlock::Settings:
        break;
    }
    return "settings";
}

std::u16string ParameterDiff::BlockText(DiffBlock block, const TextCatalog& texts) {
    switch (block) {
    case DiffBlock::Header:
        return texts.Text(TextId::AreaHeader);
    case DiffBlock::Gain1:
        return texts.Text(TextId::AreaGain1);
    case DiffBlock::TenBand:
        return texts.Text(TextId::AreaTenBand);
    case DiffBlock::Drc:
        return texts.Text(TextId::AreaDrc);
    case DiffBlock::Limiter:
        return texts.Text(TextId::AreaLimiter);
    case DiffBlock::EightBand:
        return texts.Text(TextId::AreaEightBand);
    case DiffBlock::Gain2:
        return texts.Text(TextId::AreaGain2);
    case DiffBlock::Unused:
        return texts.Text(TextId::AreaUnused);
    case DiffBlock::File:
        return texts.Text(TextId::DiffBlockFile);
    case DiffBlock::Editor:
        return texts.Text(TextId::DiffBlockEditor);
    case DiffBlock::Settings:
        break;
    }
    return texts.Text(TextId::DiffBlockSettings);
}

std::u16string ParameterDiff::Place(const FieldDifference& difference, const TextCatalog& texts) {
    std::u16string text = FieldName(difference, texts);
    if (difference.channel >= 0) {
        text += u", channel" + NumberText::Widen(NumberText::FormatInt(difference.channel));
    }
    if (difference.block != DiffBlock::File && difference.block != DiffBlock::Unused) {
        text += u", " + BlockText(difference.block, texts);
    }
    if (difference.band >= 0 && !difference.coefficients) {
        text += u", " + texts.Format(TextId::DiffBand,
                                     {NumberText::Widen(NumberText::FormatInt(difference.band))});
    }
    return text;
}

std::u16string ParameterDiff::DescribeSentRead(const FieldDifference& difference,
                                               const TextCatalog& texts) {
    return texts.Format(TextId::DiffSentRead,
                        {Place(difference, texts), difference.a.Format(), difference.b.Format()});
}
