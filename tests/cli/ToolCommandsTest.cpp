// sonvex-cli curve and design, with the build's libTool.so in the program directory.

#include "base/NumberText.h"
#include "params/ToolLibrary.h"
#include "tests/cli/CliRun.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::u16string kBinDirectory = NumberText::Widen(SONVEX_BIN_DIR) + u"/";

CliRun RunCli(const std::vector<std::string>& args,
              const std::u16string& programDirectory = kBinDirectory) {
    return CliRun::Of(args, programDirectory);
}

float ParseFloat(const std::string& text) {
    float value = std::nanf("");
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << "\"" << text << "\"";
    return value;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Left channel: low shelf +12 dB at 1000 Hz, the rest flat; right channel flat; eight-band
// left: high shelf -6 dB at 10000 Hz.
const std::string kConfig =
    "[Language]\r\nLangPath=lang/\r\nSelected=1\r\nLang1File=English.ini\r\n"
    "Lang2File=Chinese.ini\r\n[System]\r\nSWFS=48000\r\nCHANUM=2\r\n"
    "EQGAINLEFT=12,0,0,0,0,0,0,0,0,0\r\nEQCFLEFT=1000,200,300,400,500,600,700,800,900,10000\r\n"
    "EQQLEFT=1,1,1,1,1,1,1,1.5\r\n"
    "EQGAINRIGHT=0,0,0,0,0,0,0,0,0,0\r\nEQCFRIGHT=100,200,300,400,500,600,700,800,900,10000\r\n"
    "EQQRIGHT=1,1,1,1,1,1,1,1\r\n"
    "EQGAINLEFT1=0,0,0,0,0,0,0,-6\r\nEQCFLEFT1=100,200,300,400,500,600,700,10000\r\n"
    "EQQLEFT1=2,2,2,2,2,2\r\n";

class CurveCommandTest : public ::testing::Test {
protected:
    void SetUp() override { TempDir::WriteBytes(dir_.File("config.ini"), kConfig); }
    std::string Config() const { return dir_.File("config.ini"); }
    TempDir dir_;
};

TEST_F(CurveCommandTest, PrintsTheGridAndTheLibraryCurveOfTheChannel) {
    const CliRun run = RunCli({"curve", Config(), "--eq", "10", "--channel", "0"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines[0], "frequency_hz,gain_db");

    // The same record through the library directly.
    std::vector<float> record(78, 0.0f);
    record[0] = 12.0f;
    const float frequencies[10] = {1000, 200, 300, 400, 500, 600, 700, 800, 900, 10000};
    for (int i = 0; i < 10; ++i) {
        record[10 + i] = frequencies[i];
    }
    for (int i = 0; i < 8; ++i) {
        record[20 + i] = i == 7 ? 1.5f : 1.0f;
    }
    ToolLibrary library;
    ASSERT_EQ(library.Load(kBinDirectory), ToolLoadResult::Ok);
    std::vector<float> curve(1000);
    library.Eq10()(record.data(), curve.data(), 48000, 20.0f, 1000);

    float previous = 0.0f;
    for (std::size_t i = 0; i < 1000; ++i) {
        const std::string& line = lines[i + 1];
        const std::size_t comma = line.find(',');
        ASSERT_NE(comma, std::string::npos) << line;
        const float frequency = ParseFloat(line.substr(0, comma));
        const float gain = ParseFloat(line.substr(comma + 1));
        ASSERT_GT(frequency, previous) << line;
        previous = frequency;
        ASSERT_TRUE(SameBits(gain, curve[i])) << line << " vs " << curve[i];
    }
    EXPECT_EQ(lines[1].substr(0, 3), "20,");
    EXPECT_NEAR(ParseFloat(lines[1].substr(3)), 12.0f, 0.05f);
    EXPECT_NEAR(previous, 23830.4f, 0.5f); // one step below 24000 Hz
}

TEST_F(CurveCommandTest, TakesTheChosenChannelAndEqualiser) {
    const CliRun right = RunCli({"curve", Config(), "--channel", "1", "--eq", "10"});
    ASSERT_EQ(right.code, 0) << right.err;
    const std::vector<std::string> flat = Lines(right.out);
    ASSERT_EQ(flat.size(), 1001u);
    for (std::size_t i = 1; i < flat.size(); ++i) {
        ASSERT_NEAR(ParseFloat(flat[i].substr(flat[i].find(',') + 1)), 0.0f, 0.05f) << flat[i];
    }

    const CliRun eight = RunCli({"curve", Config(), "--eq", "8", "--channel", "0"});
    ASSERT_EQ(eight.code, 0) << eight.err;
    const std::vector<std::string> lines = Lines(eight.out);
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_NEAR(ParseFloat(lines[1].substr(lines[1].find(',') + 1)), 0.0f, 0.05f);
    EXPECT_NEAR(ParseFloat(lines[1000].substr(lines[1000].find(',') + 1)), -6.0f, 0.05f);
}

TEST_F(CurveCommandTest, RefusesBadArgumentsAndReportsFailures) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"curve", Config(), "--eq", "10"},
          {"curve", Config(), "--eq", "9", "--channel", "0"},
          {"curve", Config(), "--eq", "10", "--channel", "2"},
          {"curve", "--eq", "10", "--channel", "0"},
          {"curve", Config(), Config(), "--eq", "10", "--channel", "0"},
          {"curve", Config(), "--eq", "10", "--channel", "0", "--points", "0"},
          {"curve", Config(), "--eq", "10", "--channel", "0", "--start", "abc"},
          {"curve", Config(), "--from-file", Config(), "--eq", "10", "--channel", "0"},
          {"curve", Config(), "--eq", "10", "--eq", "8", "--channel", "0"},
          {"curve", Config(), "--eq", "10", "--channel"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, 2) << args.size();
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("usage: sonvex-cli curve"), std::string::npos) << run.err;
    }

    const CliRun missing = RunCli({"curve", dir_.File("none.ini"), "--eq", "10", "--channel", "0"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("none.ini"), std::string::npos) << missing.err;

    // A program directory without libTool.so.
    const CliRun noLibrary =
        RunCli({"curve", Config(), "--eq", "10", "--channel", "0"}, dir_.Directory16());
    EXPECT_EQ(noLibrary.code, 1);
    EXPECT_EQ(noLibrary.err, "load libTool.so fail!\n");
    EXPECT_TRUE(noLibrary.out.empty());

    TempDir::WriteBytes(Config(), "[System]\r\nSWFS=0\r\n");
    const CliRun noRate = RunCli({"curve", Config(), "--eq", "10", "--channel", "0"});
    EXPECT_EQ(noRate.code, 1);
    EXPECT_NE(noRate.err.find("SWFS"), std::string::npos) << noRate.err;
}

// The gain column of a curve's CSV, each number read back as a double.
std::vector<double> Gains(const std::string& csv) {
    std::vector<double> gains;
    const std::vector<std::string> lines = Lines(csv);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string text = lines[i].substr(lines[i].find(',') + 1);
        double value = std::nan("");
        std::from_chars(text.data(), text.data() + text.size(), value);
        gains.push_back(value);
    }
    return gains;
}

// --points and --start go to the library as given; the chain is Gain1 + the equalisers that
// are on + Gain2, summed in double.
TEST_F(CurveCommandTest, ChainOnTheGridAsked) {
    TempDir::WriteBytes(Config(), kConfig + "EQSwtch=1\r\nEQSwtch1=1\r\nSCTRGAINL1=-2\r\n"
                                            "SCTRGAINL2=5\r\n");
    const std::vector<std::string> grid{"--channel", "0", "--points", "50", "--start", "100"};
    const auto run = [&](const char* eq) {
        std::vector<std::string> args{"curve", Config(), "--eq", eq};
        args.insert(args.end(), grid.begin(), grid.end());
        const CliRun result = RunCli(args);
        EXPECT_EQ(result.code, 0) << result.err;
        return result.out;
    };
    const std::string ten = run("10");
    ASSERT_EQ(Lines(ten).size(), 51u);
    EXPECT_EQ(Lines(ten)[1].substr(0, 4), "100,");
    std::vector<float> record(78, 0.0f);
    record[0] = 12.0f;
    const float frequencies[10] = {1000, 200, 300, 400, 500, 600, 700, 800, 900, 10000};
    std::copy(std::begin(frequencies), std::end(frequencies), record.begin() + 10);
    std::fill(record.begin() + 20, record.begin() + 28, 1.0f);
    record[27] = 1.5f;
    ToolLibrary library;
    ASSERT_EQ(library.Load(kBinDirectory), ToolLoadResult::Ok);
    std::vector<float> curve(50);
    library.Eq10()(record.data(), curve.data(), 48000, 100.0f, 50);
    const std::vector<double> tenGains = Gains(ten);
    const std::vector<double> eightGains = Gains(run("8"));
    const std::vector<double> chain = Gains(run("chain"));
    ASSERT_EQ(chain.size(), 50u);
    for (std::size_t i = 0; i < 50; ++i) {
        ASSERT_TRUE(SameBits(static_cast<float>(tenGains[i]), curve[i])) << i;
        EXPECT_EQ(chain[i], -2.0 + static_cast<double>(static_cast<float>(tenGains[i])) +
                                static_cast<double>(static_cast<float>(eightGains[i])) + 5.0)
            << i;
    }
    // A start at or beyond half the sample rate is no grid.
    const CliRun beyond =
        RunCli({"curve", Config(), "--eq", "chain", "--channel", "0", "--start", "24000"});
    EXPECT_EQ(beyond.code, 1);
    EXPECT_NE(beyond.err.find("--start"), std::string::npos) << beyond.err;
}

// The stored sections of a parameter file, evaluated in double: the library's curve to far
// below a hundredth of a dB; a file the reader refuses, or a channel it does not carry, exits 1.
TEST_F(CurveCommandTest, FromTheStoredSectionsOfAFile) {
    // A file is written only with every band designable: R's eight-band equaliser too.
    const std::string writable = kConfig + "EQCFRIGHT1=100,200,300,400,500,600,700,10000\r\n"
                                           "EQQRIGHT1=2,2,2,2,2,2\r\n";
    TempDir::WriteBytes(Config(), writable + "EQSwtch=1\r\nSCTRGAINL2=-3\r\n");
    const std::string file = dir_.File("p.bin");
    ASSERT_EQ(RunCli({"write", Config(), file}).code, 0);
    const std::vector<double> design =
        Gains(RunCli({"curve", Config(), "--eq", "10", "--channel", "0"}).out);
    const CliRun stored = RunCli({"curve", "--from-file", file, "--eq", "chain", "--channel", "0"});
    ASSERT_EQ(stored.code, 0) << stored.err;
    const std::vector<double> chain = Gains(stored.out);
    ASSERT_EQ(chain.size(), 1000u);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        ASSERT_NEAR(chain[i], design[i] - 3.0, 0.01) << i; // eight-band off, Gain2 -3 dB
    }

    TempDir::WriteBytes(dir_.File("short.bin"), std::string(100, '\0'));
    const CliRun refused =
        RunCli({"curve", "--from-file", dir_.File("short.bin"), "--eq", "10", "--channel", "0"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("short.bin"), std::string::npos) << refused.err;

    TempDir::WriteBytes(Config(), writable + "CHANUM=1\r\n");
    ASSERT_EQ(RunCli({"write", Config(), file}).code, 0);
    const CliRun mono = RunCli({"curve", "--from-file", file, "--eq", "8", "--channel", "1"});
    EXPECT_EQ(mono.code, 1);
    EXPECT_NE(mono.err.find("one channel"), std::string::npos) << mono.err;
}

// The number after "key": in the band object that starts with "band": index.
float BandValue(const std::string& json, int band, const std::string& key) {
    const std::string compact = [&] {
        std::string c;
        for (char ch : json) {
            if (ch != ' ' && ch != '\n') {
                c += ch;
            }
        }
        return c;
    }();
    const std::size_t object = compact.find("{\"band\":" + std::to_string(band) + ",");
    EXPECT_NE(object, std::string::npos) << band;
    const std::size_t at = compact.find("\"" + key + "\":", object);
    const std::size_t start = at + key.size() + 3;
    const std::size_t end = compact.find_first_of(",}", start);
    return ParseFloat(compact.substr(start, end - start));
}

TEST(DesignCommand, PrintsTheLatticeOfEveryBand) {
    const CliRun run = RunCli(
        {"design", "--eq", "10", "--rate", "48000", "--gains", "12,12,0,0,0,0,0,0,0,12", "--freqs",
         "1000,1000,200,300,400,500,600,700,800,10000", "--q", "2.5,1,1,1,1,1,1,+1e0"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"bands\""), std::string::npos);
    EXPECT_NE(run.out.find("\"kind\": \"low_shelf\""), std::string::npos) << run.out;
    // Low shelf +12 dB at 1000 Hz: k2 = a2, c2 = b2.
    EXPECT_NEAR(BandValue(run.out, 0, "k2"), 0.877088f, 5e-7f);
    EXPECT_NEAR(BandValue(run.out, 0, "c2"), 0.821934f, 5e-7f);
    // Peaking +12 dB at 1000 Hz, Q 2.5.
    EXPECT_NEAR(BandValue(run.out, 1, "k1"), -0.991445f, 5e-7f);
    EXPECT_NEAR(BandValue(run.out, 1, "k2"), 0.974092f, 5e-7f);
    EXPECT_NEAR(BandValue(run.out, 1, "c0"), 0.002170f, 5e-7f);
    EXPECT_NEAR(BandValue(run.out, 1, "c1"), -0.126289f, 5e-7f);
    EXPECT_NEAR(BandValue(run.out, 1, "c2"), 0.935475f, 5e-7f);
    // High shelf +12 dB at 10000 Hz.
    EXPECT_NEAR(BandValue(run.out, 9, "k2"), 0.173145f, 5e-7f);
    EXPECT_NEAR(BandValue(run.out, 9, "c2"), 0.565714f, 5e-7f);

    // Every number reads back to the library's float.
    std::vector<float> record(78, 0.0f);
    const float gains[10] = {12, 12, 0, 0, 0, 0, 0, 0, 0, 12};
    const float frequencies[10] = {1000, 1000, 200, 300, 400, 500, 600, 700, 800, 10000};
    for (int i = 0; i < 10; ++i) {
        record[i] = gains[i];
        record[10 + i] = frequencies[i];
    }
    record[20] = 2.5f;
    for (int i = 21; i < 28; ++i) {
        record[i] = 1.0f;
    }
    ToolLibrary library;
    ASSERT_EQ(library.Load(kBinDirectory), ToolLoadResult::Ok);
    library.Eq10()(record.data(), nullptr, 48000, 20.0f, 0);
    // Record positions of k1 and c0 of each band, stated by hand.
    const int kAt[10] = {28, 33, 35, 37, 39, 41, 43, 45, 47, 73};
    const int cAt[10] = {30, 49, 52, 55, 58, 61, 64, 67, 70, 75};
    for (int band = 0; band < 10; ++band) {
        EXPECT_TRUE(SameBits(BandValue(run.out, band, "k1"), record[kAt[band]])) << band;
        EXPECT_TRUE(SameBits(BandValue(run.out, band, "k2"), record[kAt[band] + 1])) << band;
        EXPECT_TRUE(SameBits(BandValue(run.out, band, "c0"), record[cAt[band]])) << band;
        EXPECT_TRUE(SameBits(BandValue(run.out, band, "c1"), record[cAt[band] + 1])) << band;
        EXPECT_TRUE(SameBits(BandValue(run.out, band, "c2"), record[cAt[band] + 2])) << band;
    }
}

TEST(DesignCommand, EightBandsEndWithTheHighShelf) {
    const CliRun run =
        RunCli({"design", "--eq", "8", "--rate", "44100", "--gains", "1,2,3,4,5,6,7,8", "--freqs",
                "100,200,300,400,500,600,700,10000", "--q", "1,1,1,1,1,1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"band\": 7,\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\"band\": 8"), std::string::npos);
    const std::size_t last = run.out.find("\"band\": 7");
    EXPECT_NE(run.out.find("\"kind\": \"high_shelf\"", last), std::string::npos);
    EXPECT_EQ(run.out.find("high_shelf"), run.out.rfind("high_shelf"));
    EXPECT_NE(run.out.find("\"kind\": \"peaking\""), std::string::npos);
}

TEST(DesignCommand, RefusesBadValuesAndReportsAMissingLibrary) {
    const std::vector<std::string> good = {"design",
                                           "--eq",
                                           "8",
                                           "--rate",
                                           "48000",
                                           "--gains",
                                           "0,0,0,0,0,0,0,0",
                                           "--freqs",
                                           "1,2,3,4,5,6,7,8",
                                           "--q",
                                           "1,1,1,1,1,1"};
    ASSERT_EQ(RunCli(good).code, 0);
    const struct {
        std::size_t at;
        const char* value;
    } bad[] = {{2, "9"},
               {4, "0"},
               {4, "-48000"},
               {4, "48k"},
               {6, "0,0,0,0,0,0,0"},
               {6, "0,0,0,0,0,0,0,0,0"},
               {6, "0,0,0,0,0,0,0,abc"},
               {6, "0,0,0,0,0,0,0,nan"},
               {6, "0,0,0,0,0,0,0,inf"},
               {6, "0,0,0,0,0,0,0,1e39"},
               {6, "0,0,0,0,0,0,0,0x10"},
               {6, "0,0,0,0,0,0,,0"},
               {6, "0,0,0,0,0,0,0,0,"},
               {6, "0,0,0,0,0,0,0, 1"},
               {10, "1,1,1,1,1,1,1"}};
    for (const auto& b : bad) {
        std::vector<std::string> args = good;
        args[b.at] = b.value;
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, 2) << b.value;
        EXPECT_TRUE(run.out.empty()) << b.value;
        EXPECT_NE(run.err.find("usage: sonvex-cli design"), std::string::npos) << run.err;
    }
    std::vector<std::string> noQ(good.begin(), good.end() - 2);
    EXPECT_EQ(RunCli(noQ).code, 2);

    TempDir empty;
    const CliRun noLibrary = RunCli(good, empty.Directory16());
    EXPECT_EQ(noLibrary.code, 1);
    EXPECT_EQ(noLibrary.err, "load libTool.so fail!\n");
    EXPECT_TRUE(noLibrary.out.empty());
}

// Qt sets the process locale from the environment; a decimal comma must not reach the CSV or
// the JSON.
TEST(ToolCommands, NumbersKeepTheDecimalPointUnderADecimalCommaLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/setup-deps generates it)";
    const std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
    const CliRun design =
        RunCli({"design", "--eq", "8", "--rate", "48000", "--gains", "1.5,0,0,0,0,0,0,0", "--freqs",
                "1000,2,3,4,5,6,7,8", "--q", "0.75,1,1,1,1,1"});
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"), kConfig);
    const CliRun curve = RunCli({"curve", dir.File("config.ini"), "--eq", "10", "--channel", "0"});
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");

    ASSERT_EQ(design.code, 0) << design.err;
    EXPECT_NE(design.out.find("\"k2\": 0.9"), std::string::npos) << design.out;
    ASSERT_EQ(curve.code, 0) << curve.err;
    const std::vector<std::string> lines = Lines(curve.out);
    ASSERT_EQ(lines.size(), 1001u);
    for (const std::string& line : lines) {
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 1) << line;
    }
    // The second point, 20 * 2^step Hz.
    EXPECT_NEAR(ParseFloat(lines[2].substr(0, lines[2].find(','))), 20.1423f, 0.0005f);
}

} // namespace
