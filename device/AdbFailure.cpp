#include "device/AdbFailure.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"

#include <vector>

namespace {

std::string_view Trim(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && blank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace

std::string AdbFailure::LastLines(std::string_view output, std::size_t count) {
    std::vector<std::string_view> lines;
    while (!output.empty()) {
        const std::size_t end = output.find('\n');
        const std::string_view line = Trim(output.substr(0, end));
        if (!line.empty()) {
            lines.push_back(line.substr(0, kLineLength));
        }
        if (end == std::string_view::npos) {
            break;
        }
        output.remove_prefix(end + 1);
    }
    std::string text;
    const std::size_t first = lines.size() > count ? lines.size() - count : 0;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!text.empty()) {
            text += '\n';
        }
        text += lines[i];
    }
    return text;
}

std::string AdbFailure::StateInOutput(std::string_view output) {
    if (output.find("unauthorized") != std::string_view::npos) {
        return "unauthorized";
    }
    if (output.find("device offline") != std::string_view::npos) {
        return "offline";
    }
    return {};
}

std::string AdbFailure::Seconds(int timeoutMs) {
    if (timeoutMs % 1000 == 0) {
        return NumberText::FormatInt(timeoutMs / 1000);
    }
    return NumberText::FormatShortest(static_cast<float>(timeoutMs) / 1000.0f);
}

std::u16string AdbFailure::Detail(const AdbRunResult& run, int timeoutMs,
                                  const TextCatalog& texts) {
    if (!run.found) {
        return texts.Text(TextId::AdbNotFound);
    }
    if (!run.started) {
        return texts.Text(TextId::AdbNotStarted);
    }
    if (run.timedOut) {
        return texts.Format(TextId::AdbNoAnswer, {NumberText::Widen(Seconds(timeoutMs))});
    }
    const std::string lines = LastLines(run.output);
    if (run.exitCode == 0) {
        return texts.Text(TextId::AdbNoFile);
    }
    if (!lines.empty()) {
        return TextCodec::FromUtf8(lines);
    }
    return texts.Format(TextId::AdbExitCode,
                        {NumberText::Widen(NumberText::FormatInt(run.exitCode))});
}
