#include "cli/CliArguments.h"

#include "base/TextCodec.h"
#include "settings/CIniSettingBase.h"

#include <algorithm>
#include <charconv>

std::optional<int32_t> CliArguments::StrictInt(std::string_view word) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
        if (!word.empty() && word.front() == '-') {
            return std::nullopt;
        }
    }
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || ec != std::errc() || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

bool CliArguments::PositiveInt(std::string_view word, int& ms) {
    const std::optional<int32_t> value = StrictInt(word);
    if (!value || *value < 1) {
        return false;
    }
    ms = *value;
    return true;
}

std::u16string CliArguments::Path(const std::string& word) {
    return TextCodec::FromUtf8(word);
}

bool CliArguments::LoadConfiguration(const std::string& path, CIniSettingBase& config,
                                     std::ostream& err) {
    if (config.Load(Path(path))) {
        return true;
    }
    err << "sonvex-cli: cannot read the configuration \"" << path
        << "\": " << TextCodec::ToUtf8(config.LastFileResult().Describe()) << "\n";
    return false;
}

bool CliArguments::SaveConfiguration(const std::string& path, CIniSettingBase& config,
                                     std::ostream& err) {
    if (config.Save(u"")) {
        return true;
    }
    err << "sonvex-cli: cannot write the configuration \"" << path
        << "\": " << TextCodec::ToUtf8(config.LastFileResult().Describe()) << "\n";
    return false;
}

bool CliArguments::TakeForce(std::vector<std::string>& args) {
    const auto end = std::remove(args.begin(), args.end(), std::string("--force"));
    const bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}
