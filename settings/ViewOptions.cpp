#include "settings/ViewOptions.h"

#include "base/NumberText.h"
#include "settings/CIniSettingBase.h"

#include <algorithm>
#include <string>

namespace {

struct OptionKey {
    ViewOption option;
    std::u16string_view key;
};

// The keys of [View], in the order of the View menu.
constexpr std::array<OptionKey, ViewOptions::kCount> kKeys{{
    {ViewOption::LogAxis, u"LogAxis"},
    {ViewOption::LiveCurve, u"LiveCurve"},
    {ViewOption::BothChannels, u"BothChannels"},
    {ViewOption::WholeChain, u"WholeChain"},
    {ViewOption::BandCurves, u"BandCurves"},
    {ViewOption::DeviceResponse, u"DeviceResponse"},
}};

} // namespace

const std::array<ViewOption, ViewOptions::kCount>& ViewOptions::All() {
    static const std::array<ViewOption, kCount> all = [] {
        std::array<ViewOption, kCount> options{};
        std::transform(kKeys.begin(), kKeys.end(), options.begin(),
                       [](const OptionKey& entry) { return entry.option; });
        return options;
    }();
    return all;
}

std::u16string_view ViewOptions::Key(ViewOption option) {
    return kKeys[Index(option)].key;
}

bool ViewOptions::Any() const {
    return std::find(on_.begin(), on_.end(), true) != on_.end();
}

ViewOptions ViewOptions::Load(const CIniSettingBase& settings) {
    ViewOptions options;
    for (const OptionKey& entry : kKeys) {
        // As the other switches of config.ini read: the number 1 is on.
        options.Set(entry.option,
                    NumberText::ParseInt(settings.SectionValue(kSection, entry.key)) == 1);
    }
    return options;
}

bool ViewOptions::Save(CIniSettingBase& settings, ViewOption option) const {
    return settings.SaveSectionValue(kSection, Key(option), Get(option) ? u"1" : u"0");
}
