#include "settings/CIniLocalLan.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(Language, GetTextReturnsTheKeyUntilALanguageHasLoaded) {
    CIniLocalLan language;
    EXPECT_EQ(language.GetText(u"LANG:IDS_TEXT_APPNAME"), u"LANG:IDS_TEXT_APPNAME");
    TempDir dir;
    EXPECT_FALSE(language.Load(U16(dir.File("missing.ini"))));
    EXPECT_FALSE(language.Loaded());
    EXPECT_EQ(language.GetText(u"LANG:IDS_TEXT_APPNAME"), u"LANG:IDS_TEXT_APPNAME");
}

TEST(Language, GetTextHasItsOwnCurrentSection) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("en.ini"),
                        "[DIALOG_102]\r\nDIALOG_TITLE=Main\r\nMENU_0=File\r\n"
                        "[LANG]\r\nIDS_TEXT_APPNAME=Tuner\r\nMENU_0=Elsewhere\r\n");
    CIniLocalLan language;
    ASSERT_TRUE(language.Load(U16(dir.File("en.ini"))));
    EXPECT_TRUE(language.Loaded());
    EXPECT_EQ(language.GetValue(u"DIALOG_102:DIALOG_TITLE"), u"Main");
    EXPECT_EQ(language.GetText(u"LANG:IDS_TEXT_APPNAME"), u"Tuner");
    // GetValue still looks in DIALOG_102, GetText in LANG.
    EXPECT_EQ(language.GetValue(u"MENU_0"), u"File");
    EXPECT_EQ(language.GetText(u"MENU_0"), u"Elsewhere");
    EXPECT_EQ(language.GetText(u"Nowhere:X"), u"");
    EXPECT_EQ(language.GetText(u"MENU_0"), u"");
    EXPECT_EQ(language.GetValue(u"MENU_0"), u"File");
}

TEST(Language, GetValueOrFallsBackOnlyWithoutDocumentSectionOrKey) {
    CIniLocalLan none;
    EXPECT_EQ(none.GetValueOr(u"S:K", u"fb"), u"fb");
    TempDir dir;
    TempDir::WriteBytes(dir.File("l.ini"), "[S]\r\nK=v\r\n");
    CIniLocalLan language;
    ASSERT_TRUE(language.Load(U16(dir.File("l.ini"))));
    EXPECT_EQ(language.GetValueOr(u"K", u"fb"), u"fb"); // no current section yet
    EXPECT_EQ(language.GetValueOr(u"S:K", u"fb"), u"v");
    EXPECT_EQ(language.GetValueOr(u"Missing", u"fb"), u""); // section exists, key does not
    EXPECT_EQ(language.GetValueOr(u"", u"fb"), u"fb");
    EXPECT_EQ(language.GetValueOr(u"T:K", u"fb"), u"fb");
}

TEST(Language, SaveWithoutADocumentMakesTheFoldersAndAnEmptyFile) {
    TempDir dir;
    CIniLocalLan language;
    EXPECT_FALSE(language.Save(u""));
    const std::string path = dir.File("a/b/c/lang.ini");
    ASSERT_TRUE(language.Save(U16(path)));
    EXPECT_TRUE(IsDirectory(dir.File("a/b/c")));
    EXPECT_EQ(TempDir::ReadBytes(path), "");
    EXPECT_TRUE(language.SetValue(u"DIALOG_131:DIALOG_TITLE", u"DRC"));
    EXPECT_TRUE(language.Save(u""));
    EXPECT_EQ(TempDir::ReadBytes(path), "[DIALOG_131]\r\nDIALOG_TITLE=DRC\r\n");
}

TEST(Language, AFileThatExistsButCannotBeReadIsNeverWrittenOver) {
    TempDir dir;
    // A folder where the language file should be: it exists, and it cannot be read as a file.
    ASSERT_EQ(mkdir(dir.File("English.ini").c_str(), 0755), 0);
    CIniLocalLan language;
    EXPECT_FALSE(language.Load(U16(dir.File("English.ini"))));
    EXPECT_FALSE(language.Save(u""));
    // Collected texts stay in memory.
    EXPECT_TRUE(language.SetValue(u"DIALOG_132:DIALOG_TITLE", u"EQ"));
    EXPECT_EQ(language.GetValue(u"DIALOG_132:DIALOG_TITLE"), u"EQ");
    EXPECT_FALSE(language.Save(u""));
    EXPECT_TRUE(IsDirectory(dir.File("English.ini")));
}

TEST(Language, LocaleComesFromTheFileElseItsNameElseItsSlot) {
    TempDir dir;
    const auto locale = [&dir](const std::string& name, const std::string& bytes, int selected) {
        TempDir::WriteBytes(dir.File(name), bytes);
        CIniLocalLan language;
        EXPECT_TRUE(language.Load(U16(dir.File(name))));
        return language.LocaleName(selected);
    };
    EXPECT_EQ(locale("Custom.ini", "[LANG]\r\nIDS_LOCALE=zh_CN\r\n", 1), "zh_CN");
    EXPECT_EQ(locale("Chinese.ini", "[LANG]\r\nIDS_LOCALE=en\r\n", 2), "en");
    // Older files without the key, and a key that could reach outside the translations folder.
    EXPECT_EQ(locale("Chinese.ini", "[LANG]\r\nIDS_TEXT_APPNAME=x\r\n", 1), "zh_CN");
    EXPECT_EQ(locale("zh_TW.ini", "", 1), "zh_TW");
    EXPECT_EQ(locale("English.ini", "[LANG]\r\nIDS_LOCALE=../../x\r\n", 2), "en");
    EXPECT_EQ(locale("Mine.ini", "", 2), "zh_CN");
    EXPECT_EQ(locale("Mine.ini", "", 1), "en");
}

TEST(Language, CollectKeepsACopyBeforeItsFirstWriteOverAFile) {
    TempDir dir;
    const std::string path = dir.File("Chinese.ini");
    const std::string translated = "[LANG]\r\nIDS_TEXT_APPNAME=\xB5\xF7\xD2\xF4\r\n";
    TempDir::WriteBytes(path, translated);
    TempDir::WriteBytes(path + ".bak", "older copy");
    CIniLocalLan language;
    ASSERT_TRUE(language.Load(U16(path)));
    language.KeepCopyBeforeWriting();
    EXPECT_TRUE(language.SetValue(u"DIALOG_102:DIALOG_TITLE", u"Main"));
    EXPECT_TRUE(language.Save(u""));
    EXPECT_EQ(language.Copy(), CIniLocalLan::CopyState::Kept);
    EXPECT_EQ(TempDir::ReadBytes(path + ".bak"), translated);
    // Later writes of the same run keep the copy of the translation, not of the first pass.
    EXPECT_TRUE(language.Save(u""));
    EXPECT_EQ(TempDir::ReadBytes(path + ".bak"), translated);

    // An empty file needs no copy.
    TempDir::WriteBytes(dir.File("empty.ini"), "");
    CIniLocalLan empty;
    ASSERT_TRUE(empty.Load(U16(dir.File("empty.ini"))));
    empty.KeepCopyBeforeWriting();
    EXPECT_TRUE(empty.Save(u""));
    EXPECT_EQ(empty.Copy(), CIniLocalLan::CopyState::NotNeeded);
    EXPECT_FALSE(Exists(dir.File("empty.ini.bak")));

    // No copy, no overwrite: the translation stays as it was.
    ASSERT_EQ(mkdir(dir.File("English.ini.bak").c_str(), 0755), 0);
    TempDir::WriteBytes(dir.File("English.ini"), "[LANG]\r\nIDS_TEXT_APPNAME=Tuner\r\n");
    CIniLocalLan blocked;
    ASSERT_TRUE(blocked.Load(U16(dir.File("English.ini"))));
    blocked.KeepCopyBeforeWriting();
    EXPECT_TRUE(blocked.SetValue(u"DIALOG_102:DIALOG_TITLE", u"Main"));
    EXPECT_FALSE(blocked.Save(u""));
    EXPECT_FALSE(blocked.Save(u""));
    EXPECT_EQ(blocked.Copy(), CIniLocalLan::CopyState::Failed);
    EXPECT_EQ(TempDir::ReadBytes(dir.File("English.ini")), "[LANG]\r\nIDS_TEXT_APPNAME=Tuner\r\n");
}

TEST(Language, CreateDirectoryChainMakesOnlyWhatIsMissing) {
    TempDir dir;
    EXPECT_TRUE(CIniLocalLan::CreateDirectoryChain(U16(dir.File("x/y/z/"))));
    EXPECT_TRUE(IsDirectory(dir.File("x/y/z")));
    EXPECT_TRUE(CIniLocalLan::CreateDirectoryChain(U16(dir.File("x/y"))));
    TempDir::WriteBytes(dir.File("file"), "");
    EXPECT_FALSE(CIniLocalLan::CreateDirectoryChain(U16(dir.File("file/sub"))));
}

} // namespace
