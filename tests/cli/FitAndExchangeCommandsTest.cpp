// sonvex-cli fit, export-eq and import-eq. The fit runs the optimised copy of the design library
// (bit-identical, without the sanitizers), which stands in the program directory here.

#include "base/NumberText.h"
#include "tests/cli/CliRun.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

namespace {

const std::u16string kProgramDirectory = NumberText::Widen(SONVEX_OPTIMISED_TOOL_DIR);

const std::string kConfig =
    "[Language]\r\nSelected=1\r\n[System]\r\nSWFS=48000\r\nCHANUM=2\r\nEQSwtch=1\r\nEQSwtch1=1\r\n"
    "SCTRGAINL2=1\r\n"
    "EQGAINLEFT=1,2,3,4,5,6,7,8,9,10\r\nEQCFLEFT=50,90,170,350,700,1410,2870,5820,11820,23500\r\n"
    "EQQLEFT=2.5,2.5,2.5,2.5,2.5,2.5,2.5,2.5\r\n"
    "EQGAINLEFT1=0,0,0,0,0,0,0,0\r\nEQCFLEFT1=50,120,290,700,1690,4080,9900,23000\r\n"
    "EQQLEFT1=2.5,2.5,2.5,2.5,2.5,2.5\r\n";

// The value of key in an INI text.
std::string Key(const std::string& ini, const std::string& key) {
    const std::size_t at = ini.find("\n" + key + "=");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + key.size() + 2;
    return ini.substr(start, ini.find_first_of("\r\n", start) - start);
}

// The numbers of a compact JSON array after "key":[.
std::string Array(const std::string& compact, const std::string& key) {
    const std::size_t at = compact.find("\"" + key + "\":[");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + key.size() + 4;
    return compact.substr(start, compact.find(']', start) - start);
}

class CliFit : public ::testing::Test {
protected:
    void SetUp() override {
        TempDir::WriteBytes(Config(), kConfig);
        // A bass roll-off and a dip at 2 kHz, in the text export of a measurement tool.
        std::string text = "* Freq(Hz) SPL(dB) Phase(degrees)\n";
        for (int i = 0; i < 300; ++i) {
            const double f = 20.0 * std::pow(1000.0, i / 299.0);
            const double level = 85.0 - 10.0 * std::log10(1.0 + std::pow(60.0 / f, 4.0)) -
                                 5.0 * std::exp(-std::pow(std::log2(f / 2000.0) / 0.4, 2.0));
            text +=
                NumberText::FormatFixed(f, 3) + ", " + NumberText::FormatFixed(level, 3) + ", 0\n";
        }
        TempDir::WriteBytes(dir_.File("m.txt"), text);
    }
    std::string Config() const { return dir_.File("config.ini"); }
    CliRun Run(const std::vector<std::string>& args) const {
        return CliRun::Of(args, kProgramDirectory);
    }
    TempDir dir_;
};

TEST_F(CliFit, PrintsTheErrorsAndTheBandsAndWritesThemIntoACopy) {
    const std::string out = dir_.File("fitted.ini");
    const CliRun run = Run({"fit", Config(), "--channel", "0", "--measurement", dir_.File("m.txt"),
                            "--eq", "8", "--range", "30-16000", "--out", out});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string json = run.Compact();
    EXPECT_EQ(json.rfind("{\"rms_before_db\":", 0), 0u) << json;
    EXPECT_NE(json.find(",\"rms_after_db\":"), std::string::npos);
    EXPECT_NE(json.find(",\"eq8\":{\"gains\":["), std::string::npos);
    EXPECT_NE(json.find("]},\"seconds\":"), std::string::npos);
    EXPECT_EQ(json.find("\"eq10\""), std::string::npos);
    const double before = std::stod(json.substr(json.find(':') + 1));
    const double after = std::stod(json.substr(json.find("\"rms_after_db\":") + 15));
    EXPECT_LT(after, 0.5 * before);

    // The copy holds the fitted bands in channel L's eight-band fields, the rest as it was.
    const std::string fitted = TempDir::ReadBytes(out);
    EXPECT_EQ(Key(fitted, "EQGAINLEFT1"), Array(json, "gains"));
    EXPECT_EQ(Key(fitted, "EQCFLEFT1"), Array(json, "freqs"));
    EXPECT_EQ(Key(fitted, "EQGAINLEFT"), "1,2,3,4,5,6,7,8,9,10");
    EXPECT_EQ(Key(fitted, "SCTRGAINL2"), "1");
    EXPECT_EQ(TempDir::ReadBytes(Config()), kConfig);
}

TEST_F(CliFit, RefusesBadFilesAndArgumentsWithExitTwo) {
    TempDir::WriteBytes(dir_.File("bad.txt"), "20 70\n10 71\n");
    const std::string out = dir_.File("never.ini");
    CliRun run = Run(
        {"fit", Config(), "--channel", "0", "--measurement", dir_.File("bad.txt"), "--out", out});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "sonvex-cli: \"" + dir_.File("bad.txt") +
                           "\", line 2: the frequency 10 Hz is not above the one before\n");
    EXPECT_TRUE(run.out.empty());
    run = Run({"fit", Config(), "--channel", "0", "--measurement", dir_.File("m.txt"), "--target",
               dir_.File("missing.txt")});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("cannot read"), std::string::npos);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"fit", Config(), "--channel", "2", "--measurement", dir_.File("m.txt")},
             {"fit", Config(), "--channel", "0"},
             {"fit", Config(), "--channel", "0", "--measurement", dir_.File("m.txt"), "--tilt",
              "-1", "--target", dir_.File("m.txt")},
             {"fit", Config(), "--channel", "0", "--measurement", dir_.File("m.txt"), "--range",
              "200-100"},
             {"fit", Config(), "--channel", "0", "--measurement", dir_.File("m.txt"), "--eq",
              "9"}}) {
        run = Run(args);
        EXPECT_EQ(run.code, 2) << args.back();
        EXPECT_NE(run.err.find("usage: sonvex-cli fit CONFIG"), std::string::npos);
    }
    EXPECT_FALSE(std::ifstream(out).good());
}

TEST_F(CliFit, ExportThenImportGivesTheSameConfiguration) {
    const CliRun exported = Run({"export-eq", Config(), "--eq", "10", "--channel", "0"});
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_EQ(exported.out.substr(0, exported.out.find('\n')),
              "Filter 1: ON LSC Fc 50 Hz Gain 1.0 dB Q 0.707");
    TempDir::WriteBytes(dir_.File("eq.txt"), exported.out);
    const std::string back = dir_.File("back.ini");
    CliRun run = Run({"import-eq", Config(), dir_.File("eq.txt"), "--eq", "10", "--channel", "0",
                      "--out", back});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_NE(run.Compact().find("\"changes\":[]"), std::string::npos);
    CliRun shown = Run({"show", back});
    EXPECT_EQ(shown.out, Run({"show", Config()}).out);

    // Into channel R's eight-band equaliser, with a Preamp for Gain2 and a change to list.
    TempDir::WriteBytes(dir_.File("peer.txt"),
                        "Preamp: -3.5 dB\nFilter 1: ON PK Fc 1000 Hz Gain 13.5 dB Q 1.41\n");
    run = Run({"import-eq", Config(), dir_.File("peer.txt"), "--eq", "8", "--channel", "1", "--out",
               back});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "sonvex-cli: preamp -3.5 dB \xE2\x86\x92 Gain2 -4 dB\n"
                       "sonvex-cli: filter 1: gain 13.5 dB \xE2\x86\x92 12 dB\n"
                       "sonvex-cli: filter 1: Q 1.41 \xE2\x86\x92 1.4\n");
    const std::string imported = TempDir::ReadBytes(back);
    EXPECT_EQ(Key(imported, "SCTRGAINR2"), "-4");
    EXPECT_EQ(Key(imported, "EQGAINRIGHT1"), "0,12,0,0,0,0,0,0");
    EXPECT_NE(run.Compact().find("\"gain2\":-4"), std::string::npos);

    TempDir::WriteBytes(dir_.File("lp.txt"), "Filter 1: ON LPQ Fc 1000 Hz Q 0.7\n");
    run = Run({"import-eq", Config(), dir_.File("lp.txt"), "--eq", "8", "--channel", "1"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("\"LPQ\""), std::string::npos);
}

} // namespace
