#include "device/PushVerification.h"

#include "base/NumberText.h"
#include "base/SafeFile.h"
#include "device/AdbFailure.h"
#include "params/ParameterFile.h"

namespace {

// A device file longer than this is read only this far: its length alone tells it differs.
constexpr std::size_t kReadBackLimit = 1u << 20;

} // namespace

AdbCommand PushVerification::PullBack(const AdbCommand& push, const std::string& remote,
                                      const std::string& readBackPath) {
    AdbCommand pull;
    pull.timeoutMs = push.timeoutMs;
    // The push is adb [-s SERIAL] push LOCAL REMOTE: the same start, then the pull.
    if (push.argv.size() >= 4) {
        pull.argv.assign(push.argv.begin(), push.argv.end() - 3);
        pull.argv.insert(pull.argv.end(), {"pull", remote, readBackPath});
    }
    return pull;
}

PushVerification PushVerification::Judge(std::string_view sent, const AdbRunResult& pull,
                                         const std::string& readBackPath, int timeoutMs,
                                         const TextCatalog& texts) {
    PushVerification result;
    if (!pull.started || pull.exitCode != 0) {
        result.detail = AdbFailure::Detail(pull, timeoutMs, texts);
        return result;
    }
    std::string read;
    std::uint64_t length = 0;
    if (SafeFile::ReadUpTo(readBackPath, read, kReadBackLimit, &length) != SafeReadResult::Ok) {
        result.detail = texts.Text(TextId::AdbNoFile);
        return result;
    }
    if (length == sent.size() && read == sent) {
        result.status = Status::Identical;
        return result;
    }
    result.status = Status::Differs;
    result.differences = ParameterDiff::Compare(ParameterFile::Decode(sent), sent.size(),
                                                ParameterFile::Decode(read), length);
    return result;
}

std::u16string PushVerification::List(const std::vector<FieldDifference>& differences,
                                      std::size_t limit, const TextCatalog& texts,
                                      std::u16string_view separator) {
    std::u16string text;
    for (std::size_t i = 0; i < differences.size() && i < limit; ++i) {
        if (i > 0) {
            text += separator;
        }
        text += ParameterDiff::DescribeSentRead(differences[i], texts);
    }
    if (differences.size() > limit) {
        text += separator;
        text += texts.Format(TextId::VerifyMore,
                             {NumberText::Widen(NumberText::FormatInt(
                                 static_cast<int64_t>(differences.size() - limit)))});
    }
    return text;
}
