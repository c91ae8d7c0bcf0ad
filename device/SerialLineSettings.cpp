#include "device/SerialLineSettings.h"

#include <array>
#include <limits>

namespace {

std::u16string_view Trim(std::u16string_view field) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!field.empty() && blank(field.front())) {
        field.remove_prefix(1);
    }
    while (!field.empty() && blank(field.back())) {
        field.remove_suffix(1);
    }
    return field;
}

// Splits "a,b,c,d" into exactly four fields; false for any other count.
bool SplitFields(std::u16string_view text, std::array<std::u16string_view, 4>& fields) {
    std::size_t count = 0;
    while (true) {
        const std::size_t comma = text.find(u',');
        if (count == fields.size()) {
            return false;
        }
        fields[count++] = Trim(text.substr(0, comma));
        if (comma == std::u16string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    return count == fields.size();
}

std::optional<int32_t> ParseBaudRate(std::u16string_view field) {
    if (field.empty()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char16_t c : field) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
    }
    if (value < 1) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

struct ParityLetter {
    char16_t letter;
    SerialLineSettings::Parity value;
};

constexpr std::array<ParityLetter, 5> kParityLetters{{
    {u'n', SerialLineSettings::Parity::None},
    {u'e', SerialLineSettings::Parity::Even},
    {u'o', SerialLineSettings::Parity::Odd},
    {u'm', SerialLineSettings::Parity::Mark},
    {u's', SerialLineSettings::Parity::Space},
}};

std::optional<SerialLineSettings::Parity> ParseParity(std::u16string_view field) {
    if (field.size() != 1) {
        return std::nullopt;
    }
    char16_t letter = field.front();
    if (letter >= u'A' && letter <= u'Z') {
        letter = static_cast<char16_t>(letter - u'A' + u'a');
    }
    for (const ParityLetter& entry : kParityLetters) {
        if (entry.letter == letter) {
            return entry.value;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseDataBits(std::u16string_view field) {
    if (field.size() != 1 || field.front() < u'5' || field.front() > u'8') {
        return std::nullopt;
    }
    return field.front() - u'0';
}

std::optional<SerialLineSettings::StopBits> ParseStopBits(std::u16string_view field) {
    if (field == u"1") {
        return SerialLineSettings::StopBits::One;
    }
    if (field == u"1.5") {
        return SerialLineSettings::StopBits::OneAndHalf;
    }
    if (field == u"2") {
        return SerialLineSettings::StopBits::Two;
    }
    return std::nullopt;
}

} // namespace

std::optional<SerialLineSettings> SerialLineSettings::Parse(std::u16string_view text) {
    std::array<std::u16string_view, 4> fields;
    if (!SplitFields(text, fields)) {
        return std::nullopt;
    }
    const auto baud = ParseBaudRate(fields[0]);
    const auto parity = ParseParity(fields[1]);
    const auto dataBits = ParseDataBits(fields[2]);
    const auto stop = ParseStopBits(fields[3]);
    if (!baud || !parity || !dataBits || !stop) {
        return std::nullopt;
    }
    SerialLineSettings settings;
    settings.baudRate = *baud;
    settings.parity = *parity;
    settings.dataBits = *dataBits;
    settings.stopBits = *stop;
    return settings;
}
