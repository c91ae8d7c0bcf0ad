#include "measure/TextLines.h"

#include <string>

TextLines::TextLines(std::string_view text) : rest_(text) {
    if (rest_.starts_with("\xEF\xBB\xBF")) {
        rest_.remove_prefix(3);
    }
    atEnd_ = rest_.empty();
}

bool TextLines::Next(std::string_view& line) {
    if (atEnd_) {
        return false;
    }
    const std::size_t end = rest_.find_first_of("\r\n");
    ++number_;
    if (end == std::string_view::npos) {
        line = rest_;
        rest_ = {};
        atEnd_ = true;
        return true;
    }
    line = rest_.substr(0, end);
    const std::size_t breakLength = rest_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    rest_.remove_prefix(end + breakLength);
    atEnd_ = rest_.empty();
    return true;
}

std::string_view TextLines::Trim(std::string_view line) {
    constexpr std::string_view kBlanks = " \t\f\v";
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = line.find_last_not_of(kBlanks);
    return line.substr(first, last - first + 1);
}

namespace {

// The length of the valid UTF-8 sequence at the start of text, 0 when it is not one.
std::size_t SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string TextLines::Quote(std::string_view text) {
    constexpr std::size_t kLimit = 40;
    std::string quoted;
    std::size_t characters = 0;
    while (!text.empty() && characters < kLimit) {
        const std::size_t length = SequenceLength(text);
        const auto byte = static_cast<unsigned char>(text[0]);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            quoted += '?';
            text.remove_prefix(1);
        } else {
            quoted += text.substr(0, length);
            text.remove_prefix(length);
        }
        ++characters;
    }
    if (!text.empty()) {
        quoted += "...";
    }
    return quoted;
}
