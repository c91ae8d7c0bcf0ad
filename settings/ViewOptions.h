#pragma once

#include <array>
#include <cstddef>
#include <string_view>

class CIniSettingBase;

// The display options of the equaliser pages' chart (the View menu), kept in config.ini's
// section [View], one key each, "1" for on. With the section or a key absent (a config.ini of an
// older version) the option is off, and with every option off the chart is the classic one.
enum class ViewOption {
    LogAxis,        // logarithmic frequency axis from 20 Hz
    LiveCurve,      // redraw while the boxes are being edited
    BothChannels,   // the other channel too
    WholeChain,     // the channel's whole small-signal chain
    BandCurves,     // each band's own curve, with a handle to drag
    DeviceResponse, // the equaliser from its stored single-precision sections
};

class ViewOptions {
public:
    static constexpr std::size_t kCount = 6;
    static constexpr std::u16string_view kSection = u"View";

    // Every option, in the order of the View menu.
    static const std::array<ViewOption, kCount>& All();
    // The option's key in [View].
    static std::u16string_view Key(ViewOption option);

    bool Get(ViewOption option) const { return on_[Index(option)]; }
    void Set(ViewOption option, bool on) { on_[Index(option)] = on; }
    // Whether any option is on: the chart is then the tuning view.
    bool Any() const;

    // The options in the loaded configuration (all off without one).
    static ViewOptions Load(const CIniSettingBase& settings);
    // Writes the option's key into [View] at once, nothing else of config.ini with it
    // (CIniSettingBase::SaveSectionValue); false when config.ini could not be written.
    bool Save(CIniSettingBase& settings, ViewOption option) const;

    friend bool operator==(const ViewOptions&, const ViewOptions&) = default;

private:
    static std::size_t Index(ViewOption option) { return static_cast<std::size_t>(option); }

    std::array<bool, kCount> on_{};
};
