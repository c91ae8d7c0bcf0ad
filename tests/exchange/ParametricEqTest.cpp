// The parametric EQ text format: files as other tools write them, the changes an import lists,
// the refusals, and export then import giving the same bands.

#include "exchange/ParametricEqImport.h"
#include "exchange/ParametricEqReader.h"
#include "exchange/ParametricEqWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

EqualiserBands TenBand() {
    // Peaking bands out of frequency order, as a user may set them.
    return EqualiserBands{EqualiserKind::TenBand,
                          {3, -2, 12, -12, 0, 5, 1, -7, 4, -1},
                          {45, 2000, 100, 700, 350, 5000, 11000, 1400, 180, 15000},
                          {0.7f, 2.5f, 9.9f, 1.0f, 0.6f, 3.3f, 1.4f, 6.0f}};
}

std::vector<std::string> Texts(const EqImport& imported) {
    std::vector<std::string> texts;
    for (const EqImportChange& change : imported.changes) {
        texts.push_back(change.Text());
    }
    return texts;
}

EqImport Import(const std::string& text, const EqualiserBands& current) {
    ParametricEq eq;
    const EqFileResult result = ParametricEqReader::Parse(text, eq);
    EXPECT_TRUE(result.Ok()) << "line " << result.line << ": " << result.word;
    return ParametricEqImport::Apply(eq, current, 48000);
}

TEST(ParametricEq, ExportThenImportGivesTheSameBands) {
    const EqualiserBands ten = TenBand();
    const std::string text = ParametricEqWriter::Write(ten);
    EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1) + 1),
              "Filter 1: ON LSC Fc 45 Hz Gain 3.0 dB Q 0.707\n"
              "Filter 2: ON PK Fc 2000 Hz Gain -2.0 dB Q 0.7\n");
    EXPECT_NE(text.find("Filter 10: ON HSC Fc 15000 Hz Gain -1.0 dB Q 0.707\n"), std::string::npos);
    const EqImport back = Import(text, EqualiserBands::Empty(EqualiserKind::TenBand));
    EXPECT_EQ(back.bands, ten);
    EXPECT_TRUE(back.changes.empty()) << back.changes.front().Text();
    EXPECT_FALSE(back.gain2.has_value());

    const EqualiserBands eight{EqualiserKind::EightBand,
                               {0, 1, 2, 3, 4, 5, 6, 7},
                               {20, 60, 120, 500, 3000, 9000, 16000, 23999},
                               {0.6f, 10.0f, 4.2f, 0.8f, 1.5f, 2.0f}};
    const std::string withPreamp = ParametricEqWriter::Write(eight, -4.0);
    EXPECT_EQ(withPreamp.substr(0, 19), "Preamp: -4.0 dB\nFil");
    const EqImport eightBack = Import(withPreamp, EqualiserBands::Empty(EqualiserKind::EightBand));
    EXPECT_EQ(eightBack.bands, eight);
    EXPECT_EQ(eightBack.gain2, -4);
    EXPECT_EQ(Texts(eightBack),
              std::vector<std::string>{"preamp -4.0 dB \xE2\x86\x92 Gain2 -4 dB"});
}

TEST(ParametricEq, ImportsWhatOtherToolsWriteAndListsEveryChange) {
    // A room-correction tool's filter file: a title, notes, numbered filters, OFF and None ones.
    const std::string room =
        "Filter Settings file\r\n\r\nRoom EQ V5.20\r\nDated: 01-Jan-2024 10:00:00\r\n\r\n"
        "Notes:\r\n\r\nEqualiser: Generic\r\nAverage 1\r\n"
        "Filter  1: ON  PK       Fc   63.0 Hz  Gain  -5.0 dB  Q  4.00\r\n"
        "Filter  2: ON  LS       Fc   100 Hz  Gain  13.5 dB\r\n"
        "Filter  3: OFF PK       Fc   200 Hz  Gain  -3.0 dB  Q  1.41\r\n"
        "Filter  4: ON  PK       Fc   1000.5 Hz  Gain  13.5 dB  Q  1.41\r\n"
        "Filter  5: ON  HS 6dB   Fc   8.0005 kHz  Gain  -2 dB\r\n"
        "Filter  6: ON  None\r\n"
        "Filter  7: ON  PK       Fc   30000 Hz  Gain  2 dB  Q  0.3\r\n";
    EqualiserBands current = EqualiserBands::Empty(EqualiserKind::EightBand);
    current.gains = {5, 5, 5, 5, 5, 5, 5, 5};
    current.frequencies = {30, 60, 120, 250, 500, 1000, 2000, 16000};
    current.q = {1.1f, 1.2f, 1.3f, 1.4f, 1.5f, 1.6f};
    EqImport imported = Import(room, current);
    EXPECT_EQ(imported.bands.gains, (std::vector<int32_t>{12, -5, 12, 2, 0, 0, 0, -2}));
    EXPECT_EQ(imported.bands.frequencies,
              (std::vector<int32_t>{100, 63, 1001, 23999, 500, 1000, 2000, 8001}));
    EXPECT_EQ(imported.bands.q, (std::vector<float>{4.0f, 1.4f, 0.6f, 1.4f, 1.5f, 1.6f}));
    EXPECT_EQ(Texts(imported),
              (std::vector<std::string>{
                  "filter 2: gain 13.5 dB \xE2\x86\x92 12 dB",
                  "filter 4: gain 13.5 dB \xE2\x86\x92 12 dB",
                  "filter 4: frequency 1000.5 Hz \xE2\x86\x92 1001 Hz",
                  "filter 4: Q 1.41 \xE2\x86\x92 1.4",
                  "filter 5: frequency 8000.5 Hz \xE2\x86\x92 8001 Hz",
                  "filter 5: the 6 dB/octave shelf becomes the device's 12 dB/octave shelf",
                  "filter 7: frequency 30000 Hz \xE2\x86\x92 23999 Hz",
                  "filter 7: Q 0.3 \xE2\x86\x92 0.6",
              }));

    // A headphone-correction database's file: a Preamp, unnumbered filters, shelves with their
    // Q, more peaking filters than bands, any case and units stuck to their numbers.
    const std::string database = "Preamp: -6.35 dB\n"
                                 "Filter: ON LSC Fc 105 Hz Gain 5.5 dB Q 0.71\n"
                                 "filter: on pk fc 3000hz gain -3.2db q 2\n"
                                 "Filter: ON PEQ Fc 200 Hz Gain 1 dB BW Oct 1\n"
                                 "Filter: ON HSC Fc 10000 Hz Gain -4 dB Q 0.5\n"
                                 "Filter: ON LSC Fc 40 Hz Gain 2 dB Q 0.71\n"
                                 "Filter: ON PK Fc 100 Hz Gain 1 dB Q 1\n"
                                 "Filter: ON PK Fc 150 Hz Gain 1 dB Q 1\n"
                                 "Filter: ON PK Fc 250 Hz Gain 1 dB Q 1\n"
                                 "Filter: ON PK Fc 350 Hz Gain 1 dB Q 1\n"
                                 "Filter: ON PK Fc 450 Hz Gain 1 dB Q 1\n";
    imported = Import(database, EqualiserBands::Empty(EqualiserKind::EightBand));
    EXPECT_EQ(imported.bands.gains, (std::vector<int32_t>{6, 1, 1, 1, 1, 1, -3, -4}));
    EXPECT_EQ(imported.bands.frequencies,
              (std::vector<int32_t>{105, 100, 150, 200, 250, 350, 3000, 10000}));
    EXPECT_EQ(imported.gain2, -6);
    EXPECT_EQ(Texts(imported),
              (std::vector<std::string>{
                  "preamp -6.35 dB \xE2\x86\x92 Gain2 -6 dB",
                  "filter 1: gain 5.5 dB \xE2\x86\x92 6 dB",
                  "filter 2: gain -3.2 dB \xE2\x86\x92 -3 dB",
                  "filter 3: bandwidth 1 octaves \xE2\x86\x92 Q 1.4",
                  "filter 4: Q 0.5 not kept: the device's shelves have the slope of Q 0.707",
                  "filter 5 dropped: filter 1 is the low shelf already",
                  "filter 10 dropped: no band left",
              }));
}

TEST(ParametricEq, RefusesWhatTheBandsCannotTakeByName) {
    struct Case {
        std::string text;
        EqFileError error;
        int64_t line;
        std::string word;
    };
    const Case cases[] = {
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\nFilter 2: ON LP Fc 100 Hz\n",
         EqFileError::UnknownType, 2, "LP"},
        {"Filter 1: ON NO Fc 100 Hz Q 1\n", EqFileError::UnknownType, 1, "NO"},
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB T60 3\n", EqFileError::UnknownField, 1, "T60"},
        {"Filter 1: ON PK Fc 100 Hz Gain 1 dB\n", EqFileError::MissingValue, 1, "Q"},
        {"Filter 1: ON LS Gain 1 dB\n", EqFileError::MissingValue, 1, "Fc"},
        {"Filter 1: ON PK Fc 100 Hz Gain\n", EqFileError::MissingValue, 1, "Gain"},
        {"Filter 1: ON PK Fc 1,5 Hz Gain 1 dB Q 1\n", EqFileError::NotANumber, 1, "1,5"},
        {"Filter 1: ON PK Fc 0 Hz Gain 1 dB Q 1\n", EqFileError::OutOfRange, 1, "Fc"},
        {"Preamp: loud\n", EqFileError::NotANumber, 1, "loud"},
        {"Channel: L\nFilter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\n", EqFileError::UnsupportedLine, 1,
         "Channel"},
        {"GraphicEQ: 20 -1; 40 0\n", EqFileError::UnsupportedLine, 1, "GraphicEQ"},
        {"Just a note\n", EqFileError::NoFilters, 0, ""},
    };
    for (const Case& c : cases) {
        ParametricEq eq;
        eq.preamp = 1.0;
        const EqFileResult result = ParametricEqReader::Parse(c.text, eq);
        EXPECT_EQ(result.error, c.error) << c.text;
        EXPECT_EQ(result.line, c.line) << c.text;
        EXPECT_EQ(result.word, c.word) << c.text;
        EXPECT_EQ(eq.preamp, 1.0) << c.text;
    }
    ParametricEq eq;
    EXPECT_EQ(ParametricEqReader::Message(ParametricEqReader::Parse(cases[0].text, eq), "eq.txt"),
              "\"eq.txt\", line 2: the filter type \"LP\" is not one the device has (PK, LS, LSC, "
              "HS, HSC)");
    // "Channel: all" changes nothing, and a file of OFF filters is read (as nothing).
    EXPECT_TRUE(ParametricEqReader::Parse("Channel: all\nFilter 1: OFF LP Fc 1 Hz\n", eq).Ok());
    EXPECT_TRUE(eq.filters.empty());
}

} // namespace
