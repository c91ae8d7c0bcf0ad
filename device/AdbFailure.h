#pragma once

#include "base/TextCatalog.h"
#include "device/DeviceTransfer.h"

#include <string>
#include <string_view>

// Why a run of adb failed, in words a user can act on: adb's own last lines ("adb: error: failed
// to get feature set: no devices/emulators found", "device unauthorized", "more than one
// device/emulator", "failed to stat remote object ..."), or that adb was not found, could not be
// started or gave no answer within the time-out.
class AdbFailure {
public:
    // Lines of adb's output that Detail shows at most, and the characters of each.
    static constexpr std::size_t kShownLines = 3;
    static constexpr std::size_t kLineLength = 300;

    // The detail of a failed run, in this order: adb not found, not started, killed at the
    // time-out, adb's last lines (or its exit code when it printed nothing); a run that ended with
    // exit code 0 and still failed is a pull that left no readable file.
    static std::u16string Detail(const AdbRunResult& run, int timeoutMs,
                                 const TextCatalog& texts = {});
    // The last count non-blank lines of output, each trimmed and cut to kLineLength characters,
    // joined by newlines.
    static std::string LastLines(std::string_view output, std::size_t count = kShownLines);
    // "unauthorized" or "offline" when adb's words say the device is in that state, else empty.
    static std::string StateInOutput(std::string_view output);
    // A time-out in seconds as text: "25", "0.3".
    static std::string Seconds(int timeoutMs);
};
