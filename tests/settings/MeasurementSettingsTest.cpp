#include "settings/MeasurementSettings.h"

#include "settings/CIniSettingBase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// Without [Measurement], or with values that make no sense, the defaults: no measurement, flat,
// 20 Hz to 20 kHz; nothing is written by reading.
TEST(MeasurementSettings, AbsentOrBadValuesGiveTheDefaults) {
    TempDir dir;
    const std::string plain = "[System]\r\nSWFS=48000\r\n";
    TempDir::WriteBytes(dir.File("config.ini"), plain);
    CIniSettingBase config;
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    EXPECT_EQ(MeasurementSettings::Load(config), MeasurementSettings{});
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")), plain);

    TempDir::WriteBytes(dir.File("config.ini"), "[Measurement]\r\nTarget=pink\r\nTilt=-1x\r\n"
                                                "RangeLow=500\r\nRangeHigh=100\r\n");
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    const MeasurementSettings bad = MeasurementSettings::Load(config);
    EXPECT_EQ(bad.target, MeasurementSettings::Target::Flat);
    EXPECT_EQ(bad.tilt, 0.0);
    EXPECT_EQ(bad.rangeLow, 20.0);
    EXPECT_EQ(bad.rangeHigh, 20000.0);
}

// Save writes the whole section at once, and only it; Load reads back what was saved.
TEST(MeasurementSettings, SaveWritesTheSectionAloneAndLoadReadsItBack) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"),
                        "[Language]\r\nSelected=1\r\n[System]\r\nSWFS=48000\r\n");
    CIniSettingBase config;
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    config.Params.SWFS = 44100; // not committed: stays out of the file
    MeasurementSettings saved;
    saved.files[1] = u"/m/right speaker.txt";
    saved.target = MeasurementSettings::Target::Tilt;
    saved.tilt = -0.75;
    saved.rangeLow = 31.5;
    saved.rangeHigh = 16000.0;
    ASSERT_TRUE(saved.Save(config));
    // The store keeps sections and keys in name order.
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")),
              "[Language]\r\nSelected=1\r\n[Measurement]\r\nFileL=\r\n"
              "FileR=/m/right speaker.txt\r\nRangeHigh=16000\r\nRangeLow=31.5\r\n"
              "Target=tilt\r\nTargetFile=\r\nTilt=-0.75\r\n[System]\r\nSWFS=48000\r\n");
    CIniSettingBase again;
    ASSERT_TRUE(again.Load(U16(dir.File("config.ini"))));
    EXPECT_EQ(MeasurementSettings::Load(again), saved);
}

} // namespace
