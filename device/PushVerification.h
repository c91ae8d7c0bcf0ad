#pragma once

#include "base/TextCatalog.h"
#include "device/DeviceTransfer.h"
#include "params/ParameterDiff.h"

#include <string>
#include <string_view>
#include <vector>

// The check after a push: the device's file, pulled back into a file of its own (never over
// EQPara.bin), must equal what was sent byte for byte.
struct PushVerification {
    enum class Status {
        Identical,
        Differs,   // see differences
        CannotRun, // the pull failed or left no readable file: see detail
    };

    Status status = Status::CannotRun;
    std::vector<FieldDifference> differences;
    std::u16string detail;

    // The pull of the device file into readBackPath, addressed as the push was.
    static AdbCommand PullBack(const AdbCommand& push, const std::string& remote,
                               const std::string& readBackPath);
    // Judges the pull run and the file it left at readBackPath against sent.
    static PushVerification Judge(std::string_view sent, const AdbRunResult& pull,
                                  const std::string& readBackPath, int timeoutMs,
                                  const TextCatalog& texts = {});
    // The differences as lines "EQGAINLEFT, channel0, ten-band equaliser, band 3: sent 0,
    // read 7", at most limit of them and then "... and N more".
    static std::u16string List(const std::vector<FieldDifference>& differences, std::size_t limit,
                               const TextCatalog& texts = {},
                               std::u16string_view separator = u"\n");
};
