// Reading measurements and targets: the shapes the measurement tools write, and every refusal
// naming its line with nothing read.

#include "measure/ResponseFileReader.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

TEST(ResponseFile, ReadsTheToolsTextExportsAndCsv) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<double> frequencies;
        std::vector<double> levels;
    };
    const Case cases[] = {
        {"text export with comments, commas and a phase column",
         "\xEF\xBB\xBF* Measurement data\r\n* Freq(Hz) SPL(dB) Phase(degrees)\r\n"
         "20.0, 78.5, -12\r\n# a comment\r\n\r\n  31.5\t80.25\t3.0\r\n1e3 ; 85 ; 0\r\n",
         {20.0, 31.5, 1000.0},
         {78.5, 80.25, 85.0}},
        {"blanks, no phase, a sign and a lone CR",
         "+20 -3.5\r40 -1e-1\n",
         {20.0, 40.0},
         {-3.5, -0.1}},
        {"semicolons with decimal commas", "20;75,5\n40,5;76\n", {20.0, 40.5}, {75.5, 76.0}},
        {"CSV naming its columns, in any order, quoted, with more columns",
         "\"Phase (deg)\",\"Frequency (Hz)\",\"SPL (dB)\",Coherence\n"
         "1,20,70,0.9\n2,\"25\",71.5,0.8\n",
         {20.0, 25.0},
         {70.0, 71.5}},
        {"CSV of a headphone database",
         "frequency,raw,error\n20,1.5,0\n21.5,1.25,0\n",
         {20.0, 21.5},
         {1.5, 1.25}},
        {"semicolon CSV with decimal commas",
         "Hz;Magnitude\n100,5;-3,25\n200;-2\n",
         {100.5, 200.0},
         {-3.25, -2.0}},
        {"blank-separated header",
         "Freq(Hz)  Gain(dB)\n100 1\n200 2\n",
         {100.0, 200.0},
         {1.0, 2.0}},
    };
    for (const Case& c : cases) {
        MeasuredResponse response;
        const ResponseFileResult result = ResponseFileReader::Parse(c.text, response);
        EXPECT_TRUE(result.Ok()) << c.name << ": line " << result.line << " " << result.word;
        EXPECT_EQ(response.frequencies, c.frequencies) << c.name;
        EXPECT_EQ(response.levels, c.levels) << c.name;
    }
}

TEST(ResponseFile, RefusesNamingTheLineAndReadsNothing) {
    struct Case {
        std::string text;
        ResponseFileError error;
        int64_t line;
        std::string word;
    };
    const Case cases[] = {
        {"* only a comment\n\n# and another\n", ResponseFileError::NoData, 0, ""},
        {"Frequency,Level\n", ResponseFileError::NoData, 0, ""},
        {"20 70\n30 abc\n", ResponseFileError::NotANumber, 2, "abc"},
        {"20 70\n30 70 x\n", ResponseFileError::NotANumber, 2, "x"},
        {"20 70\n30 nan\n", ResponseFileError::NotANumber, 2, "nan"},
        {"20 70\n30 1e999\n", ResponseFileError::NotANumber, 2, "1e999"},
        {"20 70\n0x10 70\n", ResponseFileError::NotANumber, 2, "0x10"},
        {"20 70\n30\n", ResponseFileError::MissingValue, 2, ""},
        {"f,dB\n20,1\n30\n", ResponseFileError::MissingValue, 3, ""},
        {"* x\n0 70\n", ResponseFileError::NotPositive, 2, "0"},
        {"-20 70\n", ResponseFileError::NotPositive, 1, "-20"},
        {"20 70\n40 70\n40 71\n", ResponseFileError::NotIncreasing, 3, "40"},
        {"20 70\n40 70\n30 71\n", ResponseFileError::NotIncreasing, 3, "30"},
        {"Title of the file\n20 70\n", ResponseFileError::NoColumns, 1, "Title of the file"},
        {"Frequency,Phase\n20,1\n", ResponseFileError::NoColumns, 1, "Frequency,Phase"},
    };
    for (const Case& c : cases) {
        MeasuredResponse response;
        response.frequencies = {1.0};
        response.levels = {2.0};
        const ResponseFileResult result = ResponseFileReader::Parse(c.text, response);
        EXPECT_EQ(result.error, c.error) << c.text;
        EXPECT_EQ(result.line, c.line) << c.text;
        EXPECT_EQ(result.word, c.word) << c.text;
        EXPECT_EQ(response.frequencies, std::vector<double>{1.0}) << c.text;
    }

    // More than 1,000,000 points: refused at the line of the one too many.
    std::string many;
    for (int i = 1; i <= 1'000'001; ++i) {
        many += std::to_string(i) + " 0\n";
    }
    MeasuredResponse response;
    ResponseFileResult result = ResponseFileReader::Parse(many, response);
    EXPECT_EQ(result.error, ResponseFileError::TooManyPoints);
    EXPECT_EQ(result.line, 1'000'001);
    EXPECT_TRUE(response.Empty());

    // Files: missing, over 64 MB, and the message of a refusal.
    TempDir dir;
    result = ResponseFileReader::Read(dir.File("missing.txt"), response);
    EXPECT_EQ(result.error, ResponseFileError::CannotRead);
    EXPECT_EQ(ResponseFileReader::Message(result, "missing.txt"), "cannot read \"missing.txt\"");
    const std::string large = dir.File("large.txt");
    TempDir::WriteBytes(large, "20 70\n");
    ASSERT_EQ(truncate(large.c_str(), 64 * 1024 * 1024 + 1), 0);
    result = ResponseFileReader::Read(large, response);
    EXPECT_EQ(result.error, ResponseFileError::TooLarge);
    EXPECT_EQ(ResponseFileReader::Message(result, "large.txt"),
              "\"large.txt\" is larger than 64 MB");
    TempDir::WriteBytes(dir.File("m.txt"), "* REW\n20 70\n25 sev\xE2\x82\xAC"
                                           "nty\n");
    result = ResponseFileReader::Read(dir.File("m.txt"), response);
    EXPECT_EQ(ResponseFileReader::Message(result, "m.txt"), "\"m.txt\", line 3: \"sev\xE2\x82\xAC"
                                                            "nty\" is not a number");
    EXPECT_TRUE(response.Empty());
}

} // namespace
