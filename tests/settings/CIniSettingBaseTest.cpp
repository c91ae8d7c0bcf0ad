#include "settings/CIniSettingBase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <sys/stat.h>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// Loads the given config.ini text from a temporary file.
struct LoadedConfig {
    TempDir dir;
    CIniSettingBase config;
    bool loaded = false;
    explicit LoadedConfig(const std::string& text) {
        TempDir::WriteBytes(dir.File("config.ini"), text);
        loaded = config.Load(U16(dir.File("config.ini")));
    }
    std::string Saved() {
        EXPECT_TRUE(config.Save(u""));
        return TempDir::ReadBytes(dir.File("config.ini"));
    }
};

TEST(Configuration, SelectedOtherThanOneOrTwoIsOneAndIsWrittenBack) {
    for (const std::string language :
         {"[Language]\r\nSelected=0\r\n", "[Language]\r\nSelected=3\r\n",
          "[Language]\r\nSelected=\r\n", "[Language]\r\nSelected=-2\r\n", ""}) {
        LoadedConfig c(language + "[System]\r\nSWFS=8000\r\n");
        ASSERT_TRUE(c.loaded);
        EXPECT_EQ(c.config.Selected, 1) << language;
        EXPECT_NE(c.Saved().find("[Language]\r\nSelected=1\r\n"), std::string::npos) << language;
    }
    LoadedConfig two("[Language]\r\nSelected= 2abc\r\n");
    EXPECT_EQ(two.config.Selected, 2);
}

TEST(Configuration, FlagsAreTrueOnlyForOne) {
    LoadedConfig c("[System]\r\nDebug=2\r\nLink=1\r\nEQLink=01\r\nEQLink1=yes\r\n"
                   "LimitLink=1\r\nLimitSwtch=0\r\nDrcSwtch= 1\r\nEQSwtch=-1\r\n");
    ASSERT_TRUE(c.loaded);
    EXPECT_FALSE(c.config.Debug);
    EXPECT_TRUE(c.config.Params.Link);
    EXPECT_TRUE(c.config.Params.EQLink);
    EXPECT_FALSE(c.config.Params.EQLink1);
    EXPECT_TRUE(c.config.Params.LimitLink);
    EXPECT_FALSE(c.config.Params.LimitSwtch);
    EXPECT_TRUE(c.config.Params.DrcSwtch);
    EXPECT_FALSE(c.config.Params.EQSwtch);
    const std::string saved = c.Saved();
    EXPECT_NE(saved.find("\r\nDebug=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nEQLink=1\r\n"), std::string::npos);
}

TEST(Configuration, LeftGainsAreDecimalsTruncatedRightGainsIntegers) {
    LoadedConfig c("[System]\r\nSCTRGAINL1=2.9\r\nSCTRGAINL2=-2.9\r\nSCTRGAINR1=2.9\r\n"
                   "SCTRGAINR2=1e1\r\n");
    EXPECT_EQ(c.config.Params.SCTRGAINL1, 2);
    EXPECT_EQ(c.config.Params.SCTRGAINL2, -2);
    EXPECT_EQ(c.config.Params.SCTRGAINR1, 2);
    EXPECT_EQ(c.config.Params.SCTRGAINR2, 1);
    LoadedConfig e("[System]\r\nSCTRGAINL1=1e1\r\nSCTRGAINL2=3e10\r\n");
    EXPECT_EQ(e.config.Params.SCTRGAINL1, 10);
    EXPECT_EQ(e.config.Params.SCTRGAINL2, -2147483647 - 1); // out of range, as the file rule
    LoadedConfig odd("[System]\r\nSCTRGAINL1=nan\r\nSCTRGAINL2=0x10\r\nSWFS=inf\r\n"
                     "CHANUM=99999999999\r\n");
    EXPECT_EQ(odd.config.Params.SCTRGAINL1, 0);
    EXPECT_EQ(odd.config.Params.SCTRGAINL2, 0);
    EXPECT_EQ(odd.config.Params.SWFS, 0);
    EXPECT_EQ(odd.config.Params.CHANUM, 2147483647);
}

TEST(Configuration, ListsFillOnlyTheSlotsTheyHold) {
    LoadedConfig c("[System]\r\nEQGAINLEFT=3,4\r\nEQQLEFT=0.7, 1.5e1,,x\r\n"
                   "EQCFRIGHT1=1,2,3,4,5,6,7,8,9,10\r\nEQQRIGHT1=\r\n");
    ParameterSet& p = c.config.Params;
    EXPECT_EQ(p.EQGAINLEFT[0], 3);
    EXPECT_EQ(p.EQGAINLEFT[1], 4);
    EXPECT_EQ(p.EQGAINLEFT[2], 0);
    EXPECT_EQ(p.EQQLEFT[0], 0.7f);
    EXPECT_EQ(p.EQQLEFT[1], 15.0f);
    EXPECT_EQ(p.EQQLEFT[2], 0.0f);
    EXPECT_EQ(p.EQQLEFT[3], 0.0f);
    EXPECT_EQ(p.EQCFRIGHT1[7], 8);

    // Slots that a list leaves alone keep what they held before the load.
    CIniSettingBase config;
    config.Params.EQGAINLEFT.fill(9);
    config.Params.EQQRIGHT1.fill(1.25f);
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"), "[System]\r\nEQGAINLEFT=3,4\r\nEQQRIGHT1=\r\n");
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    EXPECT_EQ(config.Params.EQGAINLEFT[1], 4);
    EXPECT_EQ(config.Params.EQGAINLEFT[2], 9);
    EXPECT_EQ(config.Params.EQGAINLEFT[9], 9);
    EXPECT_EQ(config.Params.EQQRIGHT1[5], 1.25f);
}

TEST(Configuration, HeadersOnlyGiveZerosAndLeaveListsAlone) {
    CIniSettingBase config;
    config.Params.SWFS = 44100;
    config.Params.Link = true;
    config.Params.EQCFLEFT.fill(77);
    config.Params.LLMT_THRESHOLD = 3.0f;
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"), "[Language]\r\n[System]\r\n");
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    EXPECT_EQ(config.Params.SWFS, 0);
    EXPECT_FALSE(config.Params.Link);
    EXPECT_EQ(config.Params.LLMT_THRESHOLD, 0.0f);
    EXPECT_EQ(config.Params.EQCFLEFT[4], 77);
    EXPECT_EQ(config.Selected, 1);
    EXPECT_TRUE(config.LogPath.empty());
}

TEST(Configuration, SaveWritesEveryKeyInOrderAndKeepsUnknownOnes) {
    const std::string input = "[System]\r\n"
                              "# note\r\n"
                              "LogPath=/tmp/x/Log/\r\n"
                              "Debug=2\r\n"
                              "Link=1\r\n"
                              "LimitLink=1\r\n"
                              "EQSwtch1=1\r\n"
                              "EQChannel=1\r\n"
                              "SWFS=48000\r\n"
                              "CHANUM=2\r\n"
                              "SCTRGAINL1=-3.9\r\n"
                              "SCTRGAINR1=12\r\n"
                              "EQGAINLEFT=1,2,3,4,5,6,7,8,9,10,11,12\r\n"
                              "EQQLEFT=2.5,2.5,2.5,2.5,2.5,2.5,2.5,2.5\r\n"
                              "EQCFRIGHT=50,90,170,350,700,1410,2870,5820,11820,23000\r\n"
                              "EQQRIGHT=0.7\r\n"
                              "DIVFREQ_L=-5\r\n"
                              "THREL_RH=-90\r\n"
                              "LLMT_THRESHOLD=-0.1234567\r\n"
                              "EQGAINRIGHT1=-1,-1,-1,-1,-1,-1,-1,-1\r\n"
                              "Comment=x\r\n"
                              "Note=\xC9\xE8\xD6\xC3\xB3\xC9\xB9\xA6\r\n"
                              "[Language]\r\n"
                              "LangPath=lang/\r\n"
                              "Selected=2\r\n"
                              "Lang1File=English.ini\r\n"
                              "Lang2File=Chinese.ini\r\n"
                              "Lang1FontName=Arial\r\n";
    const std::string expected =
        "[Language]\r\n"
        "Lang1File=English.ini\r\n"
        "Lang1FontName=Arial\r\n"
        "Lang2File=Chinese.ini\r\n"
        "LangPath=lang/\r\n"
        "Selected=2\r\n"
        "[System]\r\n"
        "ATTATIME_LH=0\r\n"
        "ATTATIME_LL=0\r\n"
        "ATTATIME_RH=0\r\n"
        "ATTATIME_RL=0\r\n"
        "Channel=0\r\n"
        "CHANUM=2\r\n"
        "Comment=x\r\n"
        "Debug=0\r\n"
        "DIVFREQ_L=-5\r\n"
        "DIVFREQ_R=0\r\n"
        "DrcChannel=0\r\n"
        "DRCLink=0\r\n"
        "DrcSwtch=0\r\n"
        "ECALTIME_LH=0\r\n"
        "ECALTIME_LL=0\r\n"
        "ECALTIME_RH=0\r\n"
        "ECALTIME_RL=0\r\n"
        "EQ1Channel=0\r\n"
        "EQCFLEFT=0,0,0,0,0,0,0,0,0,0\r\n"
        "EQCFLEFT1=0,0,0,0,0,0,0,0\r\n"
        "EQCFRIGHT=50,90,170,350,700,1410,2870,5820,11820,23000\r\n"
        "EQCFRIGHT1=0,0,0,0,0,0,0,0\r\n"
        "EQChannel=1\r\n"
        "EQGAINLEFT=1,2,3,4,5,6,7,8,9,10\r\n"
        "EQGAINLEFT1=0,0,0,0,0,0,0,0\r\n"
        "EQGAINRIGHT=0,0,0,0,0,0,0,0,0,0\r\n"
        "EQGAINRIGHT1=-1,-1,-1,-1,-1,-1,-1,-1\r\n"
        "EQLink=0\r\n"
        "EQLink1=0\r\n"
        "EQQLEFT=2.500000,2.500000,2.500000,2.500000,2.500000,2.500000,2.500000,2.500000\r\n"
        "EQQLEFT1=0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n"
        "EQQRIGHT=0.700000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n"
        "EQQRIGHT1=0.000000,0.000000,0.000000,0.000000,0.000000,0.000000\r\n"
        "EQSwtch=0\r\n"
        "EQSwtch1=1\r\n"
        "LimitChannel=0\r\n"
        "LimitLink=1\r\n"
        "LimitSwtch=0\r\n"
        "Link=1\r\n"
        "LLMT_ATTACKTIME=0.000000\r\n"
        "LLMT_ECALTIME=0.000000\r\n"
        "LLMT_SMOOTHTIME=0.000000\r\n"
        "LLMT_THRESHOLD=-0.123457\r\n"
        "LogPath=/tmp/x/Log/\r\n"
        "Note=\xC9\xE8\xD6\xC3\xB3\xC9\xB9\xA6"
        "\r\n"
        "OFFSET_LH=0\r\n"
        "OFFSET_LL=0\r\n"
        "OFFSET_RH=0\r\n"
        "OFFSET_RL=0\r\n"
        "RATHDEN_LH=0\r\n"
        "RATHDEN_LL=0\r\n"
        "RATHDEN_RH=0\r\n"
        "RATHDEN_RL=0\r\n"
        "RATHNOM_LH=0\r\n"
        "RATHNOM_LL=0\r\n"
        "RATHNOM_RH=0\r\n"
        "RATHNOM_RL=0\r\n"
        "RATLDEN_LH=0\r\n"
        "RATLDEN_LL=0\r\n"
        "RATLDEN_RH=0\r\n"
        "RATLDEN_RL=0\r\n"
        "RATLNOM_LH=0\r\n"
        "RATLNOM_LL=0\r\n"
        "RATLNOM_RH=0\r\n"
        "RATLNOM_RL=0\r\n"
        "RLMT_ATTACKTIME=0.000000\r\n"
        "RLMT_ECALTIME=0.000000\r\n"
        "RLMT_SMOOTHTIME=0.000000\r\n"
        "RLMT_THRESHOLD=0.000000\r\n"
        "RSLTIME_LH=0\r\n"
        "RSLTIME_LL=0\r\n"
        "RSLTIME_RH=0\r\n"
        "RSLTIME_RL=0\r\n"
        "SCTRGAINL1=-3\r\n"
        "SCTRGAINL2=0\r\n"
        "SCTRGAINR1=12\r\n"
        "SCTRGAINR2=0\r\n"
        "SMTHTIME_LH=0\r\n"
        "SMTHTIME_LL=0\r\n"
        "SMTHTIME_RH=0\r\n"
        "SMTHTIME_RL=0\r\n"
        "SWFS=48000\r\n"
        "THREH_LH=0\r\n"
        "THREH_LL=0\r\n"
        "THREH_RH=0\r\n"
        "THREH_RL=0\r\n"
        "THREL_LH=0\r\n"
        "THREL_LL=0\r\n"
        "THREL_RH=-90\r\n"
        "THREL_RL=0\r\n";
    LoadedConfig c(input);
    ASSERT_TRUE(c.loaded);
    EXPECT_EQ(c.Saved(), expected);
}

TEST(Configuration, NumbersAreWrittenAndReadTheSameUnderADecimalCommaLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/setup-deps generates it)";
    LoadedConfig c("[System]\r\nEQQLEFT=2.5,0.75\r\nRLMT_ATTACKTIME=1.5\r\n");
    EXPECT_EQ(c.config.Params.EQQLEFT[1], 0.75f);
    EXPECT_EQ(c.config.Params.RLMT_ATTACKTIME, 1.5f);
    const std::string saved = c.Saved();
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(saved.find("EQQLEFT=2.500000,0.750000,0.000000,"), std::string::npos);
    EXPECT_NE(saved.find("RLMT_ATTACKTIME=1.500000\r\n"), std::string::npos);
}

TEST(Configuration, AFailedSaveLeavesTheOldFileAsItWas) {
    LoadedConfig c("[System]\r\nSWFS=48000\r\n");
    ASSERT_TRUE(c.loaded);
    const std::string path = c.dir.File("config.ini");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    c.config.Params.SWFS = 8000;
    EXPECT_FALSE(c.config.Save(u""));
    EXPECT_EQ(TempDir::ReadBytes(path), "[System]\r\nSWFS=48000\r\n");
    EXPECT_EQ(c.config.LastFileResult().write, SafeFileResult::ReadOnly);

    // A log folder whose path would split its line or cannot be held by code page 936 is
    // reported, and nothing is written.
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    for (const std::u16string& logPath :
         {std::u16string(u"/x\nSWFS=1/Log/"), std::u16string(u"/\xD55C\xAD6D/Log/")}) {
        c.config.LogPath = logPath;
        EXPECT_FALSE(c.config.Save(u""));
        EXPECT_EQ(TempDir::ReadBytes(path), "[System]\r\nSWFS=48000\r\n");
        EXPECT_EQ(c.config.LastFileResult().key, u"LogPath");
    }
}

TEST(Configuration, SaveKeepsPermissionsAndWritesThroughALink) {
    TempDir dir;
    const std::string real = dir.File("real.ini");
    TempDir::WriteBytes(real, "[System]\r\nSWFS=48000\r\n");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.ini", dir.File("config.ini").c_str()), 0);
    CIniSettingBase config;
    ASSERT_TRUE(config.Load(U16(dir.File("config.ini"))));
    config.Params.SWFS = 16000;
    ASSERT_TRUE(config.Save(u""));
    struct stat st {};
    ASSERT_EQ(lstat(dir.File("config.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_NE(TempDir::ReadBytes(real).find("\r\nSWFS=16000\r\n"), std::string::npos);
}

TEST(Configuration, WithoutASuccessfulLoadNothingIsWritten) {
    TempDir dir;
    CIniSettingBase never;
    EXPECT_FALSE(never.Save(u""));
    CIniSettingBase failed;
    EXPECT_FALSE(failed.Load(U16(dir.File("missing.ini"))));
    EXPECT_EQ(failed.GetValue(u"System:SWFS"), u"");
    EXPECT_FALSE(failed.SetValue(u"System:SWFS", u"1"));
    EXPECT_FALSE(failed.Save(u""));
    EXPECT_FALSE(failed.LoadFromProgramDirectory(dir.Directory16()));
    EXPECT_FALSE(failed.Save(u""));
}

TEST(Configuration, StartUpLoadsOnlyAnExistingConfigAndMakesTheLogFolder) {
    TempDir dir;
    CIniSettingBase config;
    EXPECT_FALSE(config.LoadFromProgramDirectory(dir.Directory16()));
    TempDir::WriteBytes(dir.File("config.ini"),
                        "[Language]\r\nLangPath=lang/\r\nSelected=2\r\nLang1File=English.ini\r\n"
                        "Lang2File=Chinese.ini\r\n[System]\r\nLogPath=\r\n");
    ASSERT_TRUE(config.LoadFromProgramDirectory(dir.Directory16()));
    EXPECT_EQ(config.LanguageFilePath(dir.Directory16()), dir.Directory16() + u"lang/Chinese.ini");
    config.PrepareLogDirectory(dir.Directory16());
    EXPECT_EQ(config.LogPath, dir.Directory16() + u"Log/");
    struct stat st {};
    ASSERT_EQ(stat(dir.File("Log").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    ASSERT_TRUE(config.Save(u""));
    EXPECT_NE(
        TempDir::ReadBytes(dir.File("config.ini")).find("LogPath=" + dir.Path() + "/Log/\r\n"),
        std::string::npos);
}

} // namespace
