#include "settings/ViewOptions.h"

#include "settings/CIniSettingBase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

TEST(ViewOptions, ReadFromViewAndAllOffWithoutIt) {
    TempDir dir;
    CIniSettingBase config;
    EXPECT_FALSE(ViewOptions::Load(config).Any()); // no config.ini at all
    TempDir::WriteBytes(dir.File("config.ini"), "[System]\r\nSWFS=48000\r\n");
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    EXPECT_FALSE(ViewOptions::Load(config).Any());

    TempDir::WriteBytes(dir.File("config.ini"),
                        "[View]\r\nLogAxis=1\r\nLiveCurve=0\r\nBothChannels=yes\r\n"
                        "WholeChain= 1\r\nBandCurves=2\r\n");
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    const ViewOptions read = ViewOptions::Load(config);
    EXPECT_TRUE(read.Get(ViewOption::LogAxis));
    EXPECT_FALSE(read.Get(ViewOption::LiveCurve));
    EXPECT_FALSE(read.Get(ViewOption::BothChannels));
    EXPECT_TRUE(read.Get(ViewOption::WholeChain));
    EXPECT_FALSE(read.Get(ViewOption::BandCurves));
    EXPECT_FALSE(read.Get(ViewOption::DeviceResponse)); // absent
}

// Saving an option writes its key into [View] at once and nothing else: values of the parameter
// set changed since (not yet committed to config.ini) stay out of it; a later full save keeps
// [View].
TEST(ViewOptions, SaveWritesTheOptionAloneAndAtOnce) {
    TempDir dir;
    // In the store's order (keys sorted), so that only [View] can differ.
    const std::string original = "[Language]\r\nSelected=1\r\n[System]\r\nSCTRGAINL1=3\r\n"
                                 "SWFS=48000\r\nUnknown=kept\r\n";
    TempDir::WriteBytes(dir.File("config.ini"), original);
    CIniSettingBase config;
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    config.Params.SCTRGAINL1 = -9;
    ViewOptions options;
    options.Set(ViewOption::LogAxis, true);
    options.Set(ViewOption::DeviceResponse, true);
    ASSERT_TRUE(options.Save(config, ViewOption::DeviceResponse));
    ASSERT_TRUE(options.Save(config, ViewOption::LiveCurve));
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")),
              original + "[View]\r\nDeviceResponse=1\r\nLiveCurve=0\r\n");
    ASSERT_TRUE(options.Save(config, ViewOption::LogAxis));

    ASSERT_TRUE(config.Save(u""));
    CIniSettingBase again;
    ASSERT_TRUE(again.Load(U16(dir.File("config.ini"))));
    EXPECT_EQ(ViewOptions::Load(again), options);
    EXPECT_EQ(again.Params.SCTRGAINL1, -9);

    // Without a loaded file there is nowhere to write.
    CIniSettingBase none;
    EXPECT_FALSE(options.Save(none, ViewOption::LogAxis));
}

} // namespace
