#include "base/TextCatalog.h"
#include "base/TextCodec.h"
#include "exchange/ParametricEqImport.h"
#include "exchange/ParametricEqReader.h"
#include "measure/ResponseFileReader.h"
#include "params/ParameterFile.h"
#include "settings/CIniLocalLan.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A language file in code page 936 with the given LANG lines (UTF-8 here).
CIniLocalLan& Loaded(CIniLocalLan& language, const TempDir& dir, const std::string& lines) {
    const std::string path = dir.File("lang.ini");
    TempDir::WriteBytes(path, "[DIALOG_102]\r\nMENU_0=File\r\n[LANG]\r\n" +
                                  TextCodec::ToCp936(TextCodec::FromUtf8(lines)));
    EXPECT_TRUE(language.Load(TextCodec::FromUtf8(path)));
    return language;
}

TEST(TextCatalog, TranslationsReplaceTheBuiltInEnglishOnlyWhenUsable) {
    EXPECT_EQ(TextCatalog().Text(TextId::BusyElapsed), u"%1 s elapsed");
    CIniLocalLan notLoaded;
    EXPECT_EQ(TextCatalog(notLoaded).Text(TextId::LoadAnyway), u"Load it anyway?");

    TempDir dir;
    CIniLocalLan language;
    const TextCatalog texts(Loaded(language, dir,
                                   "IDS_BUSY_ELAPSED=已用时 %1 秒\r\n"
                                   "IDS_LOAD_ANYWAY=\r\n"
                                   "IDS_LOAD_LENGTH=文件长 %2 字节\r\n"
                                   "IDS_SERIAL_NOT_FOUND=无法打开串口 %1 %2\r\n"));
    EXPECT_EQ(language.GetValue(u"DIALOG_102:MENU_0"), u"File");
    EXPECT_EQ(texts.Format(TextId::BusyElapsed, {u"3"}), u"已用时 3 秒");
    EXPECT_EQ(texts.Text(TextId::LoadAnyway), u"Load it anyway?");              // empty
    EXPECT_EQ(texts.Text(TextId::SaveFailed).substr(0, 14), u"Saving failed:"); // missing
    // A translation that would drop the path, or asks for an argument there is not.
    EXPECT_EQ(texts.Text(TextId::LoadLength),
              u"The file \"%1\" is %2 bytes long; a parameter file is %3 bytes.");
    EXPECT_EQ(texts.Text(TextId::SerialNotFound),
              u"Cannot open serial port %1: the port does not exist.");
    // The lookups leave the current section of GetValue alone.
    EXPECT_EQ(language.GetValue(u"MENU_0"), u"File");
}

TEST(TextCatalog, ArgumentsAreInsertedOnceAndAsTheyAre) {
    EXPECT_EQ(TextCatalog::Substitute(u"%2 then %1, %3%", {u"a%2", u"b"}), u"b then a%2, %3%");
    EXPECT_EQ(TextCatalog::Substitute(u"100%", {}), u"100%");

    TempDir dir;
    CIniLocalLan language;
    const TextCatalog texts(Loaded(language, dir,
                                   "IDS_FILE_NON_FINITE=参数文件“%1”未写入：%2。\r\n"
                                   "IDS_WHERE_CHANNEL_R=右声道，%1\r\n"
                                   "IDS_WHERE_BAND=%1，第 %2 段（%3）\r\n"
                                   "IDS_AREA_TEN_BAND=十段均衡\r\n"
                                   "IDS_BAND_PEAKING=峰值\r\n"
                                   "IDS_FIELD_NOT_FINITE=%1，%2 不是有限数值\r\n"));
    ParameterFileResult result(ParameterFileStatus::NonFinite);
    result.where = ParameterFile::Locate(305 + 21 + 3);
    ASSERT_EQ(result.where.band, 3);
    const std::u16string message = ParameterFile::Message(result, u"/x/%1.bin", texts);
    EXPECT_EQ(TextCodec::ToUtf8(message),
              "参数文件“/x/%1.bin”未写入：右声道，十段均衡，第 3 段（峰值），" +
                  std::string(result.where.key) + " 不是有限数值。");
    EXPECT_EQ(TextCodec::ToUtf8(ParameterFile::Message(result, u"/x/a.bin")),
              "The parameter file \"/x/a.bin\" was not written: channel R (channel1), ten-band "
              "equaliser, band 3 (peaking), " +
                  std::string(result.where.key) + " is not a finite number.");
}

} // namespace

TEST(TextCatalog, CoreMessagesTakeTheirTranslationByKeyAndKeepTheirEnglishOtherwise) {
    TempDir dir;
    CIniLocalLan language;
    const TextCatalog texts(
        Loaded(language, dir, "IDS_MEASURE_NOT_A_NUMBER=“%1”第 %2 行：“%3”\r\n"));
    const std::vector<std::string> args{"/m/a.txt", "7", "x%1"};
    EXPECT_EQ(texts.FormatKey("IDS_MEASURE_NOT_A_NUMBER", "unused", args),
              u"“/m/a.txt”第 7 行：“x%1”");
    // A key the catalog has, untranslated: its English; a key it has not: the core's template.
    EXPECT_EQ(TextCatalog().FormatKey("IDS_EQIMPORT_NO_BAND", "unused", {args.data() + 1, 1}),
              u"filter 7 dropped: no band left");
    EXPECT_EQ(texts.FormatKey("IDS_NOT_IN_THE_CATALOG", "%2 → %1", {args.data(), 2}),
              u"7 → /m/a.txt");
}

// The readers' templates and the catalog's rows for their keys say the same in English, so the
// command line and the program without a language file print the same message.
TEST(TextCatalog, CoreTemplatesMatchTheirCatalogRows) {
    const auto check = [](const char* key, const char* pattern) {
        const std::u16string wide = TextCodec::FromUtf8(key);
        bool found = false;
        for (const TextEntry& entry : TextCatalog::Entries()) {
            if (entry.key == wide) {
                found = true;
                EXPECT_EQ(entry.english, TextCodec::FromUtf8(pattern)) << key;
            }
        }
        EXPECT_TRUE(found) << key;
    };
    for (int error = 1; error <= 9; ++error) {
        const auto measure = static_cast<ResponseFileError>(error);
        check(ResponseFileReader::Key(measure), ResponseFileReader::Template(measure));
        const auto eq = static_cast<EqFileError>(error);
        check(ParametricEqReader::Key(eq), ParametricEqReader::Template(eq));
    }
    ParametricEq eq;
    ASSERT_TRUE(ParametricEqReader::Parse("Preamp: -1.4 dB\nFilter 1: ON PK Fc 10.5 Hz Gain 20 dB "
                                          "BW Oct 1\nFilter 2: ON LS 6dB Fc 80 Hz Gain 1 dB Q 2\n"
                                          "Filter 3: ON LS Fc 90 Hz Gain 1 dB\n",
                                          eq)
                    .Ok());
    const EqImport imported =
        ParametricEqImport::Apply(eq, EqualiserBands::Empty(EqualiserKind::EightBand), 48000);
    EXPECT_GE(imported.changes.size(), std::size_t{5});
    for (const EqImportChange& change : imported.changes) {
        check(change.key, change.pattern);
    }
}
