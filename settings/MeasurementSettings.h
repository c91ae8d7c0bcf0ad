#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

class CIniSettingBase;

// What config.ini keeps of the measurements, in its section [Measurement]: the measurement file
// of each channel, the target (flat, a tilt in dB per octave through 0 dB at 1 kHz, or a target
// file) and the fit range. With the section or a key absent (a config.ini of an older version):
// no measurement, a flat target and 20 Hz to 20 kHz.
//
//   [Measurement]
//   FileL=/home/me/speaker-left.txt     the measurement of channel L (channel0)
//   FileR=                              none for R
//   Target=tilt                         flat, tilt or file
//   Tilt=-1                             dB per octave
//   TargetFile=/home/me/house-curve.txt
//   RangeLow=20                         Hz
//   RangeHigh=20000                     Hz
struct MeasurementSettings {
    enum class Target { Flat, Tilt, File };

    static constexpr std::u16string_view kSection = u"Measurement";
    static constexpr double kDefaultLow = 20.0;
    static constexpr double kDefaultHigh = 20000.0;

    std::array<std::u16string, 2> files; // channel L, channel R; empty for none
    Target target = Target::Flat;
    double tilt = 0.0; // dB per octave
    std::u16string targetFile;
    double rangeLow = kDefaultLow;
    double rangeHigh = kDefaultHigh;

    // From the loaded configuration. A range that is not 0 < low < high (or not numbers) gives
    // the default range; a tilt that is not a finite number gives 0; an unknown target, flat.
    static MeasurementSettings Load(const CIniSettingBase& settings);
    // Writes every key of [Measurement] into config.ini at once, nothing else of it
    // (CIniSettingBase::SaveSectionValues); false when config.ini could not be written (no file
    // was loaded, or a path holds a character that code page 936 cannot hold).
    bool Save(CIniSettingBase& settings) const;

    friend bool operator==(const MeasurementSettings&, const MeasurementSettings&) = default;
};
