#include "params/ParameterFile.h"

#include "base/NativePath.h"
#include "base/NumberText.h"
#include "params/ParameterFields.h"
#include "params/ToolLibrary.h"
#include "tool/RecordLayout.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace {

using Member = ParameterField::AnyMember;

constexpr std::size_t kHeaderFloats = 6;
constexpr std::size_t kBlockFloats = 299;
constexpr std::size_t kBlockStart[2] = {6, 305}; // channel L, channel R
constexpr std::size_t kTrailerStart = kBlockStart[1] + kBlockFloats;

// Block positions of the two equaliser records (inputs followed by coefficients).
constexpr std::size_t kEq10Position = 21;
constexpr std::size_t kEq8Position = 196;

// Scratch curve of the designs; its content is discarded.
constexpr int32_t kCurvePoints = 1000;
constexpr float kCurveStart = 20.0f;

// The header: float index and field.
struct HeaderSlot {
    std::size_t index;
    Member member;
};
const HeaderSlot kHeader[] = {
    {0, &ParameterSet::CHANUM},   {1, &ParameterSet::SWFS},       {2, &ParameterSet::EQSwtch},
    {3, &ParameterSet::DrcSwtch}, {4, &ParameterSet::LimitSwtch}, {5, &ParameterSet::EQSwtch1},
};

using A = ParameterArea;

// A channel block: the block position of a per-channel field's first value. This one table
// drives the writer, the reader and the description of positions; the pairing of the two
// channels, the block and the bands come from the field's row.
struct BlockSlot {
    std::size_t position;
    const ChannelField* field;
};
consteval BlockSlot Slot(std::size_t position, std::string_view stem) {
    return {position, &ChannelFields::Get(stem)};
}
// The equaliser fields lie where their record lies, as the record's layout places them.
consteval BlockSlot RecordSlot(std::size_t recordPosition, std::size_t inRecord,
                               std::string_view stem) {
    return Slot(recordPosition + inRecord, stem);
}
constexpr const RecordLayout& k10 = kTenBandLayout;
constexpr const RecordLayout& k8 = kEightBandLayout;
constexpr BlockSlot kBlock[] = {
    Slot(10, "SCTRGAIN*1"),
    RecordSlot(kEq10Position, k10.gain, "EQGAIN*"),
    RecordSlot(kEq10Position, k10.frequency, "EQCF*"),
    RecordSlot(kEq10Position, k10.q, "EQQ*"),
    Slot(139, "DIVFREQ_*"),
    // The static time comes first in the file, ahead of the makeup gain.
    Slot(140, "ECALTIME_*L"),
    Slot(141, "OFFSET_*L"),
    Slot(142, "THREL_*L"),
    Slot(143, "THREH_*L"),
    Slot(144, "RATLNOM_*L"),
    Slot(145, "RATLDEN_*L"),
    Slot(146, "RATHNOM_*L"),
    Slot(147, "RATHDEN_*L"),
    Slot(148, "RSLTIME_*L"),
    Slot(149, "SMTHTIME_*L"),
    Slot(150, "ATTATIME_*L"),
    Slot(151, "ECALTIME_*H"),
    Slot(152, "OFFSET_*H"),
    Slot(153, "THREL_*H"),
    Slot(154, "THREH_*H"),
    Slot(155, "RATLNOM_*H"),
    Slot(156, "RATLDEN_*H"),
    Slot(157, "RATHNOM_*H"),
    Slot(158, "RATHDEN_*H"),
    Slot(159, "RSLTIME_*H"),
    Slot(160, "SMTHTIME_*H"),
    Slot(161, "ATTATIME_*H"),
    Slot(182, "*LMT_ECALTIME"),
    Slot(183, "*LMT_THRESHOLD"),
    Slot(184, "*LMT_ATTACKTIME"),
    Slot(185, "*LMT_SMOOTHTIME"),
    RecordSlot(kEq8Position, k8.gain, "EQGAIN*1"),
    RecordSlot(kEq8Position, k8.frequency, "EQCF*1"),
    RecordSlot(kEq8Position, k8.q, "EQQ*1"),
    Slot(298, "SCTRGAIN*2"),
};

template <class V>
struct Elements {
    static constexpr std::size_t kCount = 1;
};
template <class E, std::size_t N>
struct Elements<std::array<E, N>> {
    static constexpr std::size_t kCount = N;
};

constexpr std::size_t CountOf(const Member& member) {
    return std::visit(
        [](auto m) {
            using V = std::remove_cvref_t<decltype(std::declval<ParameterSet&>().*m)>;
            return Elements<V>::kCount;
        },
        member);
}

// Every per-channel field has one place in a channel block, inside the block and clear of the
// others and of the equaliser coefficients that follow the inputs of each record.
constexpr bool BlockLayoutHolds() {
    for (const ChannelField& row : ChannelFields::All()) {
        int slots = 0;
        for (const BlockSlot& slot : kBlock) {
            slots += slot.field == &row ? 1 : 0;
        }
        if (slots != 1) {
            return false;
        }
    }
    const auto end = [](const BlockSlot& slot) {
        return slot.position +
               std::max(CountOf(slot.field->left.member), CountOf(slot.field->right.member));
    };
    const std::size_t coefficients[][2] = {{kEq10Position + k10.inputs, kEq10Position + k10.floats},
                                           {kEq8Position + k8.inputs, kEq8Position + k8.floats}};
    for (const BlockSlot& slot : kBlock) {
        if (end(slot) > kBlockFloats) {
            return false;
        }
        for (const BlockSlot& other : kBlock) {
            if (&other != &slot && slot.position < end(other) && other.position < end(slot)) {
                return false;
            }
        }
        for (const auto& area : coefficients) {
            if (slot.position < area[1] && area[0] < end(slot)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(BlockLayoutHolds(), "a per-channel field without one free place in the block");

// Calls fn(value, i) for every value of the field, element 0 first.
template <class Set, class Fn>
void ForEachValue(const Member& member, Set& set, Fn&& fn) {
    std::visit(
        [&](auto m) {
            auto& value = set.*m;
            using V = std::remove_cvref_t<decltype(value)>;
            if constexpr (Elements<V>::kCount > 1) {
                for (std::size_t i = 0; i < value.size(); ++i) {
                    fn(value[i], i);
                }
            } else {
                fn(value, std::size_t{0});
            }
        },
        member);
}

float ToFileFloat(bool value) {
    return value ? 1.0f : 0.0f;
}
float ToFileFloat(int32_t value) {
    return static_cast<float>(value);
}
float ToFileFloat(float value) {
    return value;
}

void FromFileFloat(float f, bool& value) {
    value = f != 0.0f; // a NaN counts as on, -0.0 as off
}
void FromFileFloat(float f, int32_t& value) {
    value = NumberText::TruncateToInt32(static_cast<double>(f));
}
void FromFileFloat(float f, float& value) {
    value = f;
}

void StoreField(const Member& member, const ParameterSet& set, float* dest) {
    ForEachValue(member, set,
                 [dest](const auto& value, std::size_t i) { dest[i] = ToFileFloat(value); });
}

void LoadField(const Member& member, const float* src, ParameterSet& set) {
    ForEachValue(member, set, [src](auto& value, std::size_t i) { FromFileFloat(src[i], value); });
}

std::string_view KeyOf(const Member& member) {
    for (const ParameterField& field : ParameterFields::All()) {
        if (field.member == member) {
            return field.key;
        }
    }
    return {};
}

// The coefficient area of an equaliser record: where it starts in the block, how long it is,
// and the record's layout.
struct CoefficientArea {
    std::size_t position;
    std::size_t count;
    ParameterArea area;
    std::size_t recordPosition;
    const RecordLayout* layout;
};
constexpr CoefficientArea kCoefficients[] = {
    {kEq10Position + k10.inputs, k10.floats - k10.inputs, A::TenBandEq, kEq10Position, &k10},
    {kEq8Position + k8.inputs, k8.floats - k8.inputs, A::EightBandEq, kEq8Position, &k8},
};

TextId AreaText(ParameterArea area) {
    switch (area) {
    case A::Header:
        return TextId::AreaHeader;
    case A::Gain1:
        return TextId::AreaGain1;
    case A::TenBandEq:
        return TextId::AreaTenBand;
    case A::Drc:
        return TextId::AreaDrc;
    case A::Limiter:
        return TextId::AreaLimiter;
    case A::EightBandEq:
        return TextId::AreaEightBand;
    case A::Gain2:
        return TextId::AreaGain2;
    case A::Unused:
        break;
    }
    return TextId::AreaUnused;
}

TextId BandKindText(ParameterArea area, int band) {
    switch ((area == A::TenBandEq ? k10 : k8).KindOf(band)) {
    case BandKind::LowShelf:
        return TextId::BandLowShelf;
    case BandKind::HighShelf:
        return TextId::BandHighShelf;
    case BandKind::Peaking:
        break;
    }
    return TextId::BandPeaking;
}

// "channel L (channel0), ten-band equaliser, band 3 (peaking)".
std::u16string DescribePlace(const ParameterPosition& where, const TextCatalog& texts) {
    std::u16string text = texts.Text(AreaText(where.area));
    if (where.band >= 0) {
        text = texts.Format(TextId::WhereBand,
                            {text, NumberText::Widen(NumberText::FormatInt(where.band)),
                             texts.Text(BandKindText(where.area, where.band))});
    }
    if (where.channel >= 0) {
        text = texts.Format(ChannelField::Index(where.channel) == 0 ? TextId::WhereChannelL
                                                                    : TextId::WhereChannelR,
                            {text});
    }
    return text;
}

// "channel L (channel0), ten-band equaliser, band 3 (peaking), EQGAINLEFT is not a finite
// number", or the same for a coefficient.
std::u16string DescribePosition(const ParameterPosition& where, const TextCatalog& texts) {
    const std::u16string place = DescribePlace(where, texts);
    if (!where.key.empty()) {
        return texts.Format(TextId::FieldNotFinite, {place, NumberText::Widen(where.key)});
    }
    return texts.Format(TextId::CoefficientNotFinite, {place});
}

// Why a float of the file cannot go into a field of the type of value unchanged, or Ok.
template <class V>
ParameterFileStatus Judge(float f, const V&) {
    if (!std::isfinite(f)) {
        return ParameterFileStatus::NotFiniteValue;
    }
    if constexpr (std::is_same_v<V, int32_t>) {
        if (f < -2147483648.0f || f >= 2147483648.0f) {
            return ParameterFileStatus::OutOfRange;
        }
    }
    return ParameterFileStatus::Ok;
}

// Judges the file floats of a field that starts at index; false, with result filled in, at the
// first that is refused.
bool CheckField(const Member& member, const ParameterArray& values, std::size_t index,
                ParameterFileResult& result) {
    const ParameterSet probe;
    bool ok = true;
    ForEachValue(member, probe, [&](const auto& value, std::size_t i) {
        const ParameterFileStatus status =
            ok ? Judge(values[index + i], value) : ParameterFileStatus::Ok;
        if (status != ParameterFileStatus::Ok) {
            ok = false;
            result = ParameterFileResult{status};
            result.where = ParameterFile::Locate(index + i);
            result.value = values[index + i];
        }
    });
    return ok;
}

} // namespace

ParameterArray ParameterFile::FieldsToArray(const ParameterSet& set) {
    ParameterArray values{};
    for (const HeaderSlot& slot : kHeader) {
        StoreField(slot.member, set, &values[slot.index]);
    }
    const int channels = set.CHANUM == 2 ? 2 : 1;
    for (int channel = 0; channel < channels; ++channel) {
        float* block = &values[kBlockStart[channel]];
        for (const BlockSlot& slot : kBlock) {
            StoreField(slot.field->Of(channel).member, set, block + slot.position);
        }
    }
    return values;
}

void ParameterFile::ArrayToFields(const ParameterArray& values, ParameterSet& set) {
    for (const HeaderSlot& slot : kHeader) {
        LoadField(slot.member, &values[slot.index], set);
    }
    for (int channel = 0; channel < 2; ++channel) {
        const float* block = &values[kBlockStart[channel]];
        for (const BlockSlot& slot : kBlock) {
            LoadField(slot.field->Of(channel).member, block + slot.position, set);
        }
    }
}

ParameterFileResult ParameterFile::BuildArray(const ParameterSet& set, EqProductFunction eq10,
                                              EqProductFunction eq8, ParameterArray& out) {
    if (eq10 == nullptr || eq8 == nullptr) {
        return ParameterFileResult{ParameterFileStatus::ToolIncomplete};
    }
    ParameterArray values = FieldsToArray(set);
    // With one channel the R block stays all zero: designing it would put NaN there.
    const int channels = set.CHANUM == 2 ? 2 : 1;
    std::array<float, kCurvePoints> curve{};
    for (int channel = 0; channel < channels; ++channel) {
        eq10(&values[kBlockStart[channel] + kEq10Position], curve.data(), set.SWFS, kCurveStart,
             kCurvePoints);
    }
    for (int channel = 0; channel < channels; ++channel) {
        eq8(&values[kBlockStart[channel] + kEq8Position], curve.data(), set.SWFS, kCurveStart,
            kCurvePoints);
    }
    const ParameterFileResult check = CheckFinite(values);
    if (check.Ok()) {
        out = values;
    }
    return check;
}

ParameterFileResult ParameterFile::CheckFinite(const ParameterArray& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i])) {
            ParameterFileResult result{ParameterFileStatus::NonFinite};
            result.where = Locate(i);
            return result;
        }
    }
    return {};
}

std::string ParameterFile::Encode(const ParameterArray& values) {
    std::string bytes(kParameterFileBytes, '\0');
    for (std::size_t i = 0; i < values.size(); ++i) {
        const uint32_t bits = std::bit_cast<uint32_t>(values[i]);
        for (std::size_t b = 0; b < 4; ++b) {
            bytes[4 * i + b] = static_cast<char>((bits >> (8 * b)) & 0xFFu);
        }
    }
    return bytes;
}

ParameterArray ParameterFile::Decode(std::string_view bytes) {
    ParameterArray values{};
    const std::size_t whole = std::min(bytes.size() / 4, values.size());
    for (std::size_t i = 0; i < whole; ++i) {
        uint32_t bits = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[4 * i + b])) << (8 * b);
        }
        values[i] = std::bit_cast<float>(bits);
    }
    return values;
}

ParameterPosition ParameterFile::Locate(std::size_t index) {
    ParameterPosition where;
    where.index = index;
    if (index < kHeaderFloats) {
        where.area = A::Header;
        for (const HeaderSlot& slot : kHeader) {
            if (slot.index == index) {
                where.key = KeyOf(slot.member);
            }
        }
        return where;
    }
    if (index >= kTrailerStart) {
        return where;
    }
    where.channel = index < kBlockStart[1] ? 0 : 1;
    const std::size_t position = index - kBlockStart[where.channel];
    for (const BlockSlot& slot : kBlock) {
        const ParameterField& field = slot.field->Of(where.channel);
        if (position >= slot.position && position < slot.position + CountOf(field.member)) {
            where.area = slot.field->area;
            where.key = field.key;
            if (slot.field->firstBand >= 0) {
                where.band = slot.field->firstBand + static_cast<int>(position - slot.position);
            }
            return where;
        }
    }
    for (const CoefficientArea& area : kCoefficients) {
        if (position >= area.position && position < area.position + area.count) {
            where.area = area.area;
            where.band = area.layout->BandOfCoefficient(position - area.recordPosition);
            return where;
        }
    }
    return where;
}

ParameterFileResult ParameterFile::WriteParameterFile(const std::u16string& path,
                                                      const ParameterSet& set,
                                                      const ToolLibrary& tool) {
    if (!tool.Loaded()) {
        return ParameterFileResult{ParameterFileStatus::ToolNotLoaded};
    }
    ParameterArray values{};
    const ParameterFileResult built = BuildArray(set, tool.Eq10(), tool.Eq8(), values);
    if (!built.Ok()) {
        return built;
    }
    const SafeFileResult written = SafeFile::Write(NativePath::Narrow(path), Encode(values));
    if (written != SafeFileResult::Ok) {
        ParameterFileResult result{ParameterFileStatus::CannotWrite};
        result.writeError = written;
        return result;
    }
    return {};
}

ParameterFileResult ParameterFile::Check(const ParameterArray& values, std::uint64_t fileLength,
                                         FileLength length) {
    ParameterFileResult result;
    if (length == FileLength::Exact && fileLength != kParameterFileBytes) {
        result.status = ParameterFileStatus::WrongLength;
        result.length = fileLength;
        return result;
    }
    for (const HeaderSlot& slot : kHeader) {
        if (!CheckField(slot.member, values, slot.index, result)) {
            return result;
        }
    }
    for (int channel = 0; channel < 2; ++channel) {
        for (const BlockSlot& slot : kBlock) {
            if (!CheckField(slot.field->Of(channel).member, values,
                            kBlockStart[channel] + slot.position, result)) {
                return result;
            }
        }
    }
    return result;
}

ParameterFileResult ParameterFile::ReadArray(const std::u16string& path, ParameterArray& values,
                                             FileLength length) {
    std::string bytes;
    std::uint64_t fileLength = 0;
    // One byte more than a parameter file tells a longer file from one of the right length.
    if (SafeFile::ReadUpTo(NativePath::Narrow(path), bytes, kParameterFileBytes + 1, &fileLength) !=
        SafeReadResult::Ok) {
        return ParameterFileResult{ParameterFileStatus::CannotRead};
    }
    const ParameterArray decoded = Decode(bytes);
    const ParameterFileResult checked = Check(decoded, fileLength, length);
    if (checked.Ok()) {
        values = decoded;
    }
    return checked;
}

ParameterFileResult ParameterFile::ReadParameterFile(const std::u16string& path, ParameterSet& set,
                                                     FileLength length) {
    ParameterArray values{};
    const ParameterFileResult result = ReadArray(path, values, length);
    if (result.Ok()) {
        ArrayToFields(values, set);
    }
    return result;
}

std::span<const float> ParameterFile::TenBandCoefficients(const ParameterArray& values,
                                                          int channel) {
    const CoefficientArea& area = kCoefficients[0];
    return std::span<const float>(values).subspan(
        kBlockStart[ChannelField::Index(channel)] + area.position, area.count);
}

std::span<const float> ParameterFile::EightBandCoefficients(const ParameterArray& values,
                                                            int channel) {
    const CoefficientArea& area = kCoefficients[1];
    return std::span<const float>(values).subspan(
        kBlockStart[ChannelField::Index(channel)] + area.position, area.count);
}

std::u16string ParameterFile::Message(const ParameterFileResult& result, const std::u16string& path,
                                      const TextCatalog& texts) {
    const std::u16string library = NumberText::Widen(ToolLibrary::FileName());
    switch (result.status) {
    case ParameterFileStatus::Ok:
        return u"OK";
    case ParameterFileStatus::ToolNotLoaded:
        return texts.Format(TextId::FileToolNotLoaded, {path, library});
    case ParameterFileStatus::ToolIncomplete:
        return texts.Format(TextId::FileToolIncomplete, {path, library});
    case ParameterFileStatus::NonFinite:
        return texts.Format(TextId::FileNonFinite, {path, DescribePosition(result.where, texts)});
    case ParameterFileStatus::CannotWrite:
        return texts.Format(SafeFile::OldFileIntact(result.writeError)
                                ? TextId::FileCannotWrite
                                : TextId::FileCannotWriteDamaged,
                            {path, SafeFile::Describe(result.writeError, texts)});
    case ParameterFileStatus::CannotRead:
        return texts.Format(TextId::FileCannotRead, {path});
    case ParameterFileStatus::WrongLength:
        return texts.Format(
            TextId::FileWrongLength,
            {path, NumberText::Widen(NumberText::FormatInt(static_cast<int64_t>(result.length))),
             NumberText::Widen(NumberText::FormatInt(kParameterFileBytes))});
    case ParameterFileStatus::NotFiniteValue:
        return texts.Format(TextId::FileNotRead, {path, DescribePosition(result.where, texts)});
    case ParameterFileStatus::OutOfRange:
        return texts.Format(TextId::FileOutOfRange,
                            {path, DescribePlace(result.where, texts),
                             NumberText::Widen(result.where.key),
                             NumberText::Widen(NumberText::FormatShortest(result.value))});
    }
    return u"Unknown parameter file result.";
}
