#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The line settings of a serial port and their text form "115200,n,8,1": baud rate, parity,
// data bits and stop bits, separated by commas.
//
// Baud rate: decimal digits, 1 or more (a rate the port cannot run at is refused when the port
// applies it). Parity: one letter, n (none), e (even), o (odd), m (mark) or s (space), in either
// case. Data bits: 5, 6, 7 or 8. Stop bits: 1, 1.5 or 2. Blanks around a field are allowed;
// anything else makes the text malformed.
struct SerialLineSettings {
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    int32_t baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    // The settings the text gives, or nothing when the text is malformed.
    static std::optional<SerialLineSettings> Parse(std::u16string_view text);

    bool operator==(const SerialLineSettings&) const = default;
};
