#include "settings/CSettingBase.h"
#include "settings/IniDocument.h"
#include "settings/IniLists.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// The store as the settings objects use it, loading a file without meaning for any key.
class PlainStore : public CSettingBase {
public:
    bool Load(const std::u16string& path) override {
        auto document = std::make_unique<IniDocument>();
        if (!ReadIniFile(*document, path)) {
            return false;
        }
        document_ = std::move(document);
        filePath_ = path;
        return true;
    }
    bool Save(const std::u16string&) override {
        return document_ && WriteIniFile(*document_, filePath_);
    }
    void NewDocument() { document_ = std::make_unique<IniDocument>(); }
};

// Parses text and writes it back as the store would.
std::string RoundTrip(const std::string& text) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("a.ini"), text);
    IniDocument document;
    EXPECT_TRUE(ReadIniFile(document, U16(dir.File("a.ini"))));
    EXPECT_TRUE(WriteIniFile(document, U16(dir.File("b.ini"))));
    return TempDir::ReadBytes(dir.File("b.ini"));
}

TEST(IniStore, SectionHeadersAreTrimmedAndMergedWithoutRegardToCase) {
    EXPECT_EQ(RoundTrip("  [ Language ]  \r\nA=1\r\n[LANGUAGE]\nB=2\n"),
              "[Language]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(RoundTrip("[]\r\nx=1\r\n"), "[]\r\nx=1\r\n");
    EXPECT_EQ(RoundTrip("\t[S]\t\r\nk=v\r\n"), "[S]\r\nk=v\r\n");
}

TEST(IniStore, KeyLinesKeepTheirValueUnchanged) {
    EXPECT_EQ(RoundTrip("[System]\r\nLogPath = D:\\x \r\n"), "[System]\r\nLogPath= D:\\x \r\n");
    EXPECT_EQ(RoundTrip("[S]\r\nk=a=b=\r\n"), "[S]\r\nk=a=b=\r\n");
    EXPECT_EQ(RoundTrip("[S]\r\nk=\r\n"), "[S]\r\nk=\r\n");
}

TEST(IniStore, OddLinesAreIgnoredOrReadAsTheRulesSay) {
    EXPECT_EQ(RoundTrip("Key=1\r\n[S]\r\n=5\r\n# note\r\n#Key=5\r\nplain text\r\n"),
              "[S]\r\n#Key=5\r\n");
    // Not a header (the last visible character is not "]"), and no "=": ignored; the key lines
    // after it stay in the section before it.
    EXPECT_EQ(RoundTrip("[A]\r\n[Extra] ; note\r\nk=1\r\n"), "[A]\r\nk=1\r\n");
    // A line that starts with "[" but is not a header is tested as a key line.
    EXPECT_EQ(RoundTrip("[A]\r\n[x=1\r\n"), "[A]\r\n[x=1\r\n");
    EXPECT_EQ(RoundTrip("\r\n\r\n   \r\n"), "");
    EXPECT_EQ(RoundTrip(""), "");
}

TEST(IniStore, RepeatedKeysKeepTheLastValueAndTheFirstSpelling) {
    EXPECT_EQ(RoundTrip("[S]\r\nA=1\r\na=2\r\n"), "[S]\r\nA=2\r\n");
    EXPECT_EQ(RoundTrip("[S]\r\n  key  =1\r\nKEY=3\r\n"), "[S]\r\nkey=3\r\n");
}

TEST(IniStore, SectionsAndKeysAreWrittenInCaseFoldedOrder) {
    EXPECT_EQ(RoundTrip("[b]\r\nz=1\r\n[A]\r\nEQa=1\r\nEQ_X=2\r\nEQ=3\r\nE1=4\r\n"),
              "[A]\r\nE1=4\r\nEQ=3\r\nEQ_X=2\r\nEQa=1\r\n[b]\r\nz=1\r\n");
    EXPECT_EQ(RoundTrip("[system]\r\n[Language]\r\n"), "[Language]\r\n[system]\r\n");
}

TEST(IniStore, ChineseTextTravelsAsCodePage936) {
    // "语言=中文" in code page 936.
    const std::string bytes = "[LANG]\r\n\xD3\xEF\xD1\xD4=\xD6\xD0\xCE\xC4\r\n";
    EXPECT_EQ(RoundTrip(bytes), bytes);
    TempDir dir;
    TempDir::WriteBytes(dir.File("a.ini"), bytes);
    PlainStore store;
    ASSERT_TRUE(store.Load(U16(dir.File("a.ini"))));
    EXPECT_EQ(store.GetValue(u"LANG:语言"), u"中文");
}

TEST(IniStore, AByteOrderMarkIsTextOfTheFirstLine) {
    EXPECT_EQ(RoundTrip("\xEF\xBB\xBF[S]\r\nk=1\r\n[T]\r\nm=2\r\n"), "[T]\r\nm=2\r\n");
}

TEST(IniStore, BytesThatAreNotCodePage936AreKeptAndTheRestOfTheFileToo) {
    const std::string odd = "[S]\r\nk=\xFF\x80\xFE\r\nnext=1\r\n";
    EXPECT_EQ(RoundTrip(odd), odd);
}

TEST(IniStore, AddressesSelectAndRememberTheCurrentSection) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("a.ini"),
                        "[System]\r\nLogPath=D:\\log\r\nDebug=1\r\nOther=o\r\n[Language]\r\n"
                        "Selected=2\r\n");
    PlainStore store;
    ASSERT_TRUE(store.Load(U16(dir.File("a.ini"))));
    EXPECT_EQ(store.GetValue(u"Debug"), u""); // no current section yet
    EXPECT_EQ(store.GetValue(u"System:LogPath"), u"D:\\log");
    EXPECT_EQ(store.GetValue(u"Debug"), u"1");
    EXPECT_EQ(store.GetValue(u" system : debug "), u"1");
    EXPECT_EQ(store.GetValue(u"Nowhere:Key"), u"");
    EXPECT_EQ(store.GetValue(u"Other"), u""); // the failed address left no current section
    EXPECT_FALSE(store.SetValue(u"Other", u"x"));
    EXPECT_EQ(store.GetValue(u"Language:Selected"), u"2");
    EXPECT_EQ(store.GetValue(u""), u"");
    EXPECT_FALSE(store.SetValue(u"", u"x"));

    EXPECT_TRUE(store.SetValue(u"New:Key", u"v"));
    EXPECT_TRUE(store.SetValue(u"Second", u"w")); // New is current now
    EXPECT_EQ(store.GetValue(u"New:Second"), u"w");
    ASSERT_TRUE(store.Save(u""));
    EXPECT_EQ(TempDir::ReadBytes(dir.File("a.ini")),
              "[Language]\r\nSelected=2\r\n[New]\r\nKey=v\r\nSecond=w\r\n[System]\r\nDebug=1\r\n"
              "LogPath=D:\\log\r\nOther=o\r\n");
}

TEST(IniStore, NoDocumentMeansEmptyValuesAndRefusedUpdates) {
    PlainStore store;
    EXPECT_EQ(store.GetValue(u"System:Debug"), u"");
    EXPECT_FALSE(store.SetValue(u"System:Debug", u"1"));
    TempDir dir;
    EXPECT_FALSE(store.Load(U16(dir.File("missing.ini"))));
    EXPECT_FALSE(store.Load(U16(dir.Path()))); // a folder is not a file
    EXPECT_FALSE(store.HasDocument());
}

TEST(IniStore, AFailedReadLeavesTheDocumentAndAFailedWriteTheFile) {
    TempDir dir;
    IniDocument document;
    document.FindOrAddSection(u"S").FindOrAddEntry(u"k").SetValue(u"1");
    EXPECT_FALSE(ReadIniFile(document, U16(dir.File("missing.ini"))));
    ASSERT_NE(document.FindSection(u"s"), nullptr);

    const std::string path = dir.File("ro.ini");
    TempDir::WriteBytes(path, "[Old]\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(WriteIniFile(document, U16(path)));
    EXPECT_EQ(TempDir::ReadBytes(path), "[Old]\r\n");
    EXPECT_FALSE(WriteIniFile(document, U16(dir.Path())));
}

TEST(IniStore, WhatIsWrittenReadsBackTheSameOrIsRefused) {
    TempDir dir;
    // Kept bytes at the end of a name: the section's blank stays, or 0x81 and "]" would read
    // back as one character and the section under another name.
    EXPECT_EQ(RoundTrip("[Zone\x81 ]\r\nk\x81 =v\x81\r\n"), "[Zone\x81 ]\r\nk\x81=v\x81\r\n");
    TempDir::WriteBytes(dir.File("z.ini"), RoundTrip("[Zone\x81 ]\r\nk=1\r\n"));
    IniDocument back;
    ASSERT_TRUE(ReadIniFile(back, U16(dir.File("z.ini"))));
    const IniSection* zone = back.FindSection(u"Zone\xDC81");
    ASSERT_NE(zone, nullptr);
    EXPECT_NE(zone->FindEntry(u"k"), nullptr);
    EXPECT_EQ(back.AllSections().size(), 1u);

    // Texts that would split a line, fall out of code page 936 or read back as another key.
    struct Case {
        const char16_t* section;
        const char16_t* key;
        const char16_t* value;
        IniFileStatus status;
        const char* reason;
    };
    const Case cases[] = {
        {u"System", u"LogPath", u"/a\nb/Log/", IniFileStatus::LineBreak,
         "the value of LogPath in [System] holds a line break"},
        {u"System", u"LogPath", u"/a\rb/Log/", IniFileStatus::LineBreak, "line break"},
        {u"Sec\ntion", u"k", u"v", IniFileStatus::LineBreak, "the section name [Sec"},
        {u"System", u"LogPath", u"/\xD55C/Log/", IniFileStatus::NotEncodable,
         "the value of LogPath in [System] holds a character that code page 936 cannot hold"},
        {u"S", u"k",
         u"\xDC81"
         u"A",
         IniFileStatus::NotEncodable, "code page 936"},
        {u"S", u"a=b", u"v", IniFileStatus::BadKey, "the key a=b in [S] would not read back"},
        {u"S", u"[k", u"v] ", IniFileStatus::BadKey, "the key [k in [S]"},
    };
    const std::string path = dir.File("old.ini");
    for (const Case& c : cases) {
        TempDir::WriteBytes(path, "[Old]\r\n");
        IniDocument document;
        document.FindOrAddSection(u"A").FindOrAddEntry(u"fine").SetValue(u"1");
        document.FindOrAddSection(c.section).FindOrAddEntry(c.key).SetValue(c.value);
        const IniFileResult result = WriteIniFile(document, U16(path));
        EXPECT_EQ(result.status, c.status) << c.reason;
        EXPECT_EQ(TempDir::ReadBytes(path), "[Old]\r\n") << c.reason;
        const std::u16string reason = result.Describe();
        EXPECT_NE(std::string(reason.begin(), reason.end()).find(c.reason), std::string::npos)
            << c.reason;
    }
}

TEST(IniStore, FilesOverTheLimitAreRefusedUnread) {
    TempDir dir;
    const std::string path = dir.File("big.ini");
    TempDir::WriteBytes(path, "[S]\r\nk=1\r\n");
    ASSERT_EQ(truncate(path.c_str(), 4 << 20), 0); // 4 MiB: still read
    IniDocument document;
    ASSERT_TRUE(ReadIniFile(document, U16(path)));
    ASSERT_NE(document.FindSection(u"S"), nullptr);

    ASSERT_EQ(truncate(path.c_str(), (4 << 20) + 1), 0);
    document.FindOrAddSection(u"Kept");
    const IniFileResult result = ReadIniFile(document, U16(path));
    EXPECT_EQ(result.status, IniFileStatus::CannotRead);
    EXPECT_EQ(result.read, SafeReadResult::TooLarge);
    EXPECT_NE(document.FindSection(u"Kept"), nullptr);
    const std::u16string reason = result.Describe();
    EXPECT_NE(std::string(reason.begin(), reason.end()).find("larger than 4 MiB"),
              std::string::npos);
}

TEST(IniLists, ElementsFillSlotsInOrder) {
    std::array<int32_t, 10> v{};
    v.fill(9);
    ParseIntList(u"1,,3", v);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], 3);
    EXPECT_EQ(v[3], 9);
    EXPECT_EQ(v[9], 9);

    std::array<int32_t, 8> w{};
    w.fill(5);
    ParseIntList(u"7", w);
    EXPECT_EQ(w[0], 7);
    EXPECT_EQ(w[1], 5);
    ParseIntList(u"", w);
    EXPECT_EQ(w[0], 7);
    ParseIntList(u"1,", w);
    EXPECT_EQ(w[0], 1);
    EXPECT_EQ(w[1], 0);
    EXPECT_EQ(w[2], 5);
    ParseIntList(u",", w);
    EXPECT_EQ(w[0], 0);
    EXPECT_EQ(w[1], 0);

    std::array<int32_t, 10> many{};
    ParseIntList(u"1,2,3,4,5,6,7,8,9,10,11,12", many);
    EXPECT_EQ(many[9], 10);
    ParseIntList(u" -4x, +5 ,abc", many);
    EXPECT_EQ(many[0], -4);
    EXPECT_EQ(many[1], 5);
    EXPECT_EQ(many[2], 0);
    EXPECT_EQ(many[3], 4);
}

TEST(IniLists, FloatElementsAreDecimalsInSinglePrecision) {
    std::array<float, 8> v{};
    v.fill(-1.0f);
    ParseFloatList(u"0.7, 1.5e1", v);
    EXPECT_EQ(v[0], 0.7f);
    EXPECT_EQ(v[1], 15.0f);
    EXPECT_EQ(v[2], -1.0f);
    ParseFloatList(u"nan,inf,1e40,-2.5", v);
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_TRUE(std::isinf(v[2])); // beyond single precision
    EXPECT_EQ(v[3], -2.5f);
}

} // namespace
