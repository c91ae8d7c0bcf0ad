#include "params/ParameterFile.h"

#include "base/TextCodec.h"
#include "params/ToolLibrary.h"
#include "tests/support/FloatBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

// --- Stand-ins for the design functions: they mark the coefficient area of each record with
// values derived from the record's band-0 frequency and log their calls.
struct DesignCall {
    int bands;
    int32_t rate;
    float start;
    int32_t points;
};
std::vector<DesignCall> gCalls;
int gPoison8 = -1; // record index that FakeEq8 sets to infinity in R's record, -1 for none

void FakeEq10(float* record, float* curve, int32_t rate, float start, int32_t points) {
    gCalls.push_back({10, rate, start, points});
    for (int j = 0; j < 50; ++j) {
        record[28 + j] = record[10] * 100.0f + static_cast<float>(j);
    }
    curve[0] = 1.0f;
}

void FakeEq8(float* record, float* curve, int32_t rate, float start, int32_t points) {
    gCalls.push_back({8, rate, start, points});
    for (int j = 0; j < 40; ++j) {
        record[22 + j] = -(record[8] * 100.0f + static_cast<float>(j));
    }
    const bool right = gCalls.size() == 4;
    if (gPoison8 >= 0 && right) {
        record[gPoison8] = kInf;
    }
    curve[999] = 1.0f;
}

class FakeDesign : public ::testing::Test {
protected:
    void SetUp() override {
        gCalls.clear();
        gPoison8 = -1;
    }
};

// Every carried field with a value of its own, and editor state that the file must not carry.
ParameterSet StereoSet() {
    ParameterSet s;
    s.Link = true;
    s.EQLink = true;
    s.DRCLink = true;
    s.Channel = 1;
    s.EQChannel = 1;
    s.DrcChannel = 1;
    s.LimitChannel = 1;
    s.EQ1Channel = 1;
    s.CHANUM = 2;
    s.SWFS = 48000;
    s.EQSwtch = true;
    s.LimitSwtch = true;
    s.SCTRGAINL1 = -3;
    s.SCTRGAINL2 = 4;
    s.EQGAINLEFT = {-12, -9, -6, -3, 0, 3, 6, 9, 12, 5};
    s.EQCFLEFT = {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500};
    s.EQQLEFT = {0.7f, 1.0f, 1.5f, 2.5f, 3.25f, 4.0f, 6.0f, 8.5f};
    s.DIVFREQ_L = 2000;
    s.OFFSET_LL = 12;
    s.THREL_LL = -40;
    s.THREH_LL = -10;
    s.ECALTIME_LL = 11;
    s.RATLNOM_LL = 1;
    s.RATLDEN_LL = 2;
    s.RATHNOM_LL = 3;
    s.RATHDEN_LL = 4;
    s.RSLTIME_LL = 500;
    s.SMTHTIME_LL = 20;
    s.ATTATIME_LL = 5;
    s.OFFSET_LH = 22;
    s.THREL_LH = -50;
    s.THREH_LH = -20;
    s.ECALTIME_LH = 21;
    s.RATLNOM_LH = 5;
    s.RATLDEN_LH = 6;
    s.RATHNOM_LH = 7;
    s.RATHDEN_LH = 8;
    s.RSLTIME_LH = 600;
    s.SMTHTIME_LH = 30;
    s.ATTATIME_LH = 6;
    s.SCTRGAINR1 = 7;
    s.SCTRGAINR2 = -8;
    s.EQGAINRIGHT = {11, 10, 8, 7, -1, -2, -4, -7, -11, 2};
    s.EQCFRIGHT = {60, 100, 180, 360, 710, 1420, 2880, 5830, 11830, 23000};
    s.EQQRIGHT = {0.9f, 1.1f, 1.6f, 2.6f, 3.3f, 4.1f, 6.1f, 8.6f};
    s.DIVFREQ_R = 3000;
    s.OFFSET_RL = 32;
    s.THREL_RL = -41;
    s.THREH_RL = -11;
    s.ECALTIME_RL = 31;
    s.RATLNOM_RL = 9;
    s.RATLDEN_RL = 10;
    s.RATHNOM_RL = 11;
    s.RATHDEN_RL = 12;
    s.RSLTIME_RL = 700;
    s.SMTHTIME_RL = 40;
    s.ATTATIME_RL = 7;
    s.OFFSET_RH = 42;
    s.THREL_RH = -51;
    s.THREH_RH = -21;
    s.ECALTIME_RH = 41;
    s.RATLNOM_RH = 13;
    s.RATLDEN_RH = 14;
    s.RATHNOM_RH = 15;
    s.RATHDEN_RH = 16;
    s.RSLTIME_RH = 800;
    s.SMTHTIME_RH = 50;
    s.ATTATIME_RH = 8;
    s.LLMT_ECALTIME = 1.5f;
    s.LLMT_THRESHOLD = -3.25f;
    s.LLMT_ATTACKTIME = 0.75f;
    s.LLMT_SMOOTHTIME = 12.5f;
    s.RLMT_ECALTIME = 2.5f;
    s.RLMT_THRESHOLD = -6.5f;
    s.RLMT_ATTACKTIME = 1.25f;
    s.RLMT_SMOOTHTIME = 25.0f;
    s.EQGAINLEFT1 = {-2, -1, 0, 1, 2, 3, 4, -5};
    s.EQCFLEFT1 = {50, 120, 290, 700, 1690, 4080, 9900, 23000};
    s.EQQLEFT1 = {0.8f, 1.2f, 2.5f, 3.5f, 5.0f, 7.25f};
    s.EQGAINRIGHT1 = {3, 2, 1, 0, -1, -2, -3, 6};
    s.EQCFRIGHT1 = {60, 130, 300, 710, 1700, 4090, 9910, 22000};
    s.EQQRIGHT1 = {0.9f, 1.3f, 2.6f, 3.6f, 5.1f, 7.5f};
    return s;
}

// Runs of values at float indices of the file, written out by hand.
struct ValueRun {
    std::size_t index;
    std::vector<float> values;
};

const std::vector<ValueRun> kLeftBlock = {
    {16, {-3}},                                                    // Gain1
    {27, {-12, -9, -6, -3, 0, 3, 6, 9, 12, 5}},                    // ten-band gains
    {37, {50, 90, 170, 350, 700, 1410, 2870, 5820, 11820, 23500}}, // frequencies
    {47, {0.7f, 1.0f, 1.5f, 2.5f, 3.25f, 4.0f, 6.0f, 8.5f}},       // Q
    {145, {2000, 11, 12, -40, -10, 1, 2, 3, 4, 500, 20, 5}},       // DIVFREQ, low band
    {157, {21, 22, -50, -20, 5, 6, 7, 8, 600, 30, 6}},             // high band
    {188, {1.5f, -3.25f, 0.75f, 12.5f}},                           // limiter
    {202, {-2, -1, 0, 1, 2, 3, 4, -5}},                            // eight-band gains
    {210, {50, 120, 290, 700, 1690, 4080, 9900, 23000}},           // frequencies
    {218, {0.8f, 1.2f, 2.5f, 3.5f, 5.0f, 7.25f}},                  // Q
    {304, {4}},                                                    // Gain2
};
const std::vector<ValueRun> kRightBlock = {
    {315, {7}},
    {326, {11, 10, 8, 7, -1, -2, -4, -7, -11, 2}},
    {336, {60, 100, 180, 360, 710, 1420, 2880, 5830, 11830, 23000}},
    {346, {0.9f, 1.1f, 1.6f, 2.6f, 3.3f, 4.1f, 6.1f, 8.6f}},
    {444, {3000, 31, 32, -41, -11, 9, 10, 11, 12, 700, 40, 7}},
    {456, {41, 42, -51, -21, 13, 14, 15, 16, 800, 50, 8}},
    {487, {2.5f, -6.5f, 1.25f, 25.0f}},
    {501, {3, 2, 1, 0, -1, -2, -3, 6}},
    {509, {60, 130, 300, 710, 1700, 4090, 9910, 22000}},
    {517, {0.9f, 1.3f, 2.6f, 3.6f, 5.1f, 7.5f}},
    {603, {-8}},
};

ParameterArray Expected(const std::vector<ValueRun>& runs) {
    ParameterArray a{};
    for (const ValueRun& run : runs) {
        for (std::size_t i = 0; i < run.values.size(); ++i) {
            a[run.index + i] = run.values[i];
        }
    }
    return a;
}

// The fake coefficients: ten-band area of 50 floats, eight-band area of 40.
void AddFakeCoefficients(ParameterArray& a, std::size_t tenAt, float tenFirst, std::size_t eightAt,
                         float eightFirst) {
    for (std::size_t j = 0; j < 50; ++j) {
        a[tenAt + j] = tenFirst + static_cast<float>(j);
    }
    for (std::size_t j = 0; j < 40; ++j) {
        a[eightAt + j] = -(eightFirst + static_cast<float>(j));
    }
}

void ExpectSameArray(const ParameterArray& actual, const ParameterArray& expected) {
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(std::bit_cast<uint32_t>(actual[i]), std::bit_cast<uint32_t>(expected[i]))
            << "index " << i << ": " << actual[i] << " instead of " << expected[i];
    }
}

std::vector<float> FileFloats(std::size_t count) {
    return std::vector<float>(count, 0.0f);
}

std::u16string U16(const std::string& path) {
    return TextCodec::FromUtf8(path);
}

std::string Utf8(const std::u16string& text) {
    return TextCodec::ToUtf8(text);
}

// A set whose carried fields are all zero and whose editor state is that of from.
ParameterSet OnlyEditorState(const ParameterSet& from) {
    ParameterSet s;
    s.Link = from.Link;
    s.EQLink = from.EQLink;
    s.EQLink1 = from.EQLink1;
    s.DRCLink = from.DRCLink;
    s.LimitLink = from.LimitLink;
    s.Channel = from.Channel;
    s.EQChannel = from.EQChannel;
    s.EQ1Channel = from.EQ1Channel;
    s.DrcChannel = from.DrcChannel;
    s.LimitChannel = from.LimitChannel;
    return s;
}

// --- Positions ------------------------------------------------------------------------------

TEST_F(FakeDesign, StereoFilePutsEveryValueAtItsPosition) {
    ParameterArray file{};
    ASSERT_TRUE(ParameterFile::BuildArray(StereoSet(), &FakeEq10, &FakeEq8, file).Ok());

    std::vector<ValueRun> runs = kLeftBlock;
    runs.insert(runs.end(), kRightBlock.begin(), kRightBlock.end());
    runs.push_back({0, {2, 48000, 1, 0, 1, 0}});
    ParameterArray expected = Expected(runs);
    // Record of L at 27 (coefficients 55 to 104, eight-band 224 to 263); R at 326 and 501.
    AddFakeCoefficients(expected, 55, 5000, 224, 5000);
    AddFakeCoefficients(expected, 354, 6000, 523, 6000);
    ExpectSameArray(file, expected);

    ASSERT_EQ(gCalls.size(), 4u);
    const int order[] = {10, 10, 8, 8};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(gCalls[i].bands, order[i]);
        EXPECT_EQ(gCalls[i].rate, 48000);
        EXPECT_EQ(gCalls[i].start, 20.0f);
        EXPECT_EQ(gCalls[i].points, 1000);
    }
}

TEST_F(FakeDesign, MonoFileKeepsTheWholeRightBlockZero) {
    ParameterSet set = StereoSet(); // R fields hold values; the file must not carry them
    set.CHANUM = 1;
    set.SWFS = 16000;
    set.EQSwtch = false;
    set.LimitSwtch = false;
    set.DrcSwtch = true;
    set.EQSwtch1 = true;
    set.EQQRIGHT[0] = kNaN; // not carried, so no refusal either
    ParameterArray file{};
    ASSERT_TRUE(ParameterFile::BuildArray(set, &FakeEq10, &FakeEq8, file).Ok());

    std::vector<ValueRun> runs = kLeftBlock;
    runs.push_back({0, {1, 16000, 0, 1, 0, 1}});
    ParameterArray expected = Expected(runs);
    AddFakeCoefficients(expected, 55, 5000, 224, 5000);
    ExpectSameArray(file, expected);

    ASSERT_EQ(gCalls.size(), 2u); // no design on the empty R records
    EXPECT_EQ(gCalls[0].bands, 10);
    EXPECT_EQ(gCalls[1].bands, 8);
    EXPECT_EQ(gCalls[0].rate, 16000);
}

TEST(ParameterFileBytes, LittleEndianWholeFloatsOnly) {
    ParameterArray a{};
    a[0] = 2.0f;     // 0x40000000
    a[1] = 48000.0f; // 0x473B8000
    a[2] = 1.0f;     // 0x3F800000
    a[613] = -2.5f;  // 0xC0200000
    const std::string bytes = ParameterFile::Encode(a);
    ASSERT_EQ(bytes.size(), 2456u);
    EXPECT_EQ(bytes.substr(0, 12),
              std::string("\x00\x00\x00\x40\x00\x80\x3B\x47\x00\x00\x80\x3F", 12));
    EXPECT_EQ(bytes.substr(2452), std::string("\x00\x00\x20\xC0", 4));
    EXPECT_EQ(bytes.substr(12, 2440), std::string(2440, '\0'));

    ExpectSameArray(ParameterFile::Decode(bytes), a);
    // Seven bytes: one whole float; the three bytes of the next are not a float.
    const ParameterArray partial = ParameterFile::Decode(bytes.substr(0, 7));
    EXPECT_EQ(partial[0], 2.0f);
    EXPECT_EQ(partial[1], 0.0f);
}

// --- The reader's rules -----------------------------------------------------------------------

class ReadFile : public FakeDesign {
protected:
    // Reads bytes as a file into a set that starts as start, taking any length as Load does
    // once the user agreed.
    ParameterSet ReadBytes(const std::string& bytes, const ParameterSet& start = StereoSet()) {
        const std::string path = dir_.File("in.bin");
        TempDir::WriteBytes(path, bytes);
        ParameterSet set = start;
        EXPECT_TRUE(ParameterFile::ReadParameterFile(U16(path), set, FileLength::Any).Ok());
        return set;
    }
    TempDir dir_;
};

TEST_F(ReadFile, TwentyFourBytesSetTheHeaderAndZeroEverythingElse) {
    const ParameterSet set = ReadBytes(FloatBytes::LittleEndian({2, 44100, 1, 1, 0, 1}));
    ParameterSet expected = OnlyEditorState(StereoSet());
    expected.CHANUM = 2;
    expected.SWFS = 44100;
    expected.EQSwtch = true;
    expected.DrcSwtch = true;
    expected.EQSwtch1 = true;
    EXPECT_EQ(set, expected);

    EXPECT_EQ(ReadBytes(""), OnlyEditorState(StereoSet()));
}

TEST(ParameterFileFields, IntegersTruncateAndOddValuesBecomeIntMin) {
    std::vector<float> f = FileFloats(614);
    f[0] = 2.9f;           // CHANUM
    f[1] = 1e10f;          // SWFS, out of range
    f[2] = -0.0f;          // EQSwtch: off
    f[3] = kNaN;           // DrcSwtch: on
    f[4] = 1e-30f;         // LimitSwtch: on
    f[5] = -1.0f;          // EQSwtch1: on
    f[16] = -2.9f;         // SCTRGAINL1
    f[27] = kNaN;          // EQGAINLEFT[0]
    f[28] = 2147483520.0f; // EQGAINLEFT[1], the largest float below 2^31
    f[29] = 2147483648.0f; // EQGAINLEFT[2], 2^31: out of range
    f[30] = -2147483648.0f;
    f[31] = -kInf;
    f[47] = kNaN;   // EQQLEFT[0], a float field: copied
    f[188] = -0.0f; // LLMT_ECALTIME
    f[189] = kInf;  // LLMT_THRESHOLD
    f[315] = 2.9f;  // SCTRGAINR1
    f[603] = -1e30f;
    ParameterArray values{};
    std::copy(f.begin(), f.end(), values.begin());
    ParameterSet set = StereoSet();
    ParameterFile::ArrayToFields(values, set);

    EXPECT_EQ(set.CHANUM, 2);
    EXPECT_EQ(set.SWFS, kIntMin);
    EXPECT_FALSE(set.EQSwtch);
    EXPECT_TRUE(set.DrcSwtch);
    EXPECT_TRUE(set.LimitSwtch);
    EXPECT_TRUE(set.EQSwtch1);
    EXPECT_EQ(set.SCTRGAINL1, -2);
    EXPECT_EQ(set.SCTRGAINR1, 2);
    EXPECT_EQ(set.SCTRGAINR2, kIntMin);
    EXPECT_EQ(set.EQGAINLEFT[0], kIntMin);
    EXPECT_EQ(set.EQGAINLEFT[1], 2147483520);
    EXPECT_EQ(set.EQGAINLEFT[2], kIntMin);
    EXPECT_EQ(set.EQGAINLEFT[3], kIntMin);
    EXPECT_EQ(set.EQGAINLEFT[4], kIntMin);
    EXPECT_EQ(set.EQGAINLEFT[5], 0);
    EXPECT_TRUE(std::isnan(set.EQQLEFT[0]));
    EXPECT_TRUE(std::signbit(set.LLMT_ECALTIME));
    EXPECT_EQ(set.LLMT_THRESHOLD, kInf);
}

TEST_F(ReadFile, FilesThatCannotBeTrustedAreRefusedAndChangeNothing) {
    struct Case {
        const char* what;
        std::size_t floats; // length of the file in floats
        std::size_t index;  // where value goes
        float value;
        FileLength length;
        ParameterFileStatus status;
        const char* message;
    };
    const Case cases[] = {
        {"empty", 0, 0, 0, FileLength::Exact, ParameterFileStatus::WrongLength,
         "was not read: it is 0 bytes long, and a parameter file has exactly 2456 bytes"},
        {"short", 6, 0, 2, FileLength::Exact, ParameterFileStatus::WrongLength,
         "it is 24 bytes long"},
        {"long", 615, 0, 2, FileLength::Exact, ParameterFileStatus::WrongLength,
         "it is 2460 bytes long"},
        {"NaN sample rate", 614, 1, kNaN, FileLength::Exact, ParameterFileStatus::NotFiniteValue,
         "was not read: header, SWFS is not a finite number"},
        {"NaN switch", 614, 3, kNaN, FileLength::Exact, ParameterFileStatus::NotFiniteValue,
         "header, DrcSwtch is not a finite number"},
        {"infinite R gain", 614, 328, kInf, FileLength::Exact, ParameterFileStatus::NotFiniteValue,
         "channel R (channel1), ten-band equaliser, band 2 (peaking), EQGAINRIGHT is not a "
         "finite number"},
        {"NaN Q", 614, 47, kNaN, FileLength::Exact, ParameterFileStatus::NotFiniteValue,
         "channel L (channel0), ten-band equaliser, band 1 (peaking), EQQLEFT"},
        {"huge frequency", 614, 37, 3e9f, FileLength::Exact, ParameterFileStatus::OutOfRange,
         "channel L (channel0), ten-band equaliser, band 0 (low shelf), EQCFLEFT holds 3e+09, "
         "which is outside the range of a 32-bit integer"},
        {"2^31 sample rate", 614, 1, 2147483648.0f, FileLength::Exact,
         ParameterFileStatus::OutOfRange, "SWFS holds"},
        {"short NaN, any length", 30, 27, kNaN, FileLength::Any,
         ParameterFileStatus::NotFiniteValue, "EQGAINLEFT is not a finite number"},
    };
    const std::string path = dir_.File("in.bin");
    for (const Case& c : cases) {
        std::vector<float> f = FileFloats(std::max<std::size_t>(c.floats, 1));
        f[c.index] = c.value;
        f.resize(c.floats);
        TempDir::WriteBytes(path, FloatBytes::LittleEndian(f));
        ParameterSet set = StereoSet();
        const ParameterFileResult result =
            ParameterFile::ReadParameterFile(U16(path), set, c.length);
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_EQ(set, StereoSet()) << c.what;
        const std::string message = Utf8(ParameterFile::Message(result, U16(path)));
        EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
    }
    // Ten megabytes of garbage are measured, not read.
    ASSERT_EQ(::truncate(path.c_str(), 10 << 20), 0);
    ParameterArray values{};
    values[0] = 7.0f;
    const ParameterFileResult big = ParameterFile::ReadArray(U16(path), values);
    EXPECT_EQ(big.status, ParameterFileStatus::WrongLength);
    EXPECT_EQ(big.length, 10u << 20);
    EXPECT_EQ(values[0], 7.0f);

    // The edges that are kept: the lowest int32, and NaN in a coefficient, which no reader uses.
    std::vector<float> f = FileFloats(614);
    f[1] = -2147483648.0f;
    f[55] = kNaN;
    TempDir::WriteBytes(path, FloatBytes::LittleEndian(f));
    ParameterSet set = StereoSet();
    ASSERT_TRUE(ParameterFile::ReadParameterFile(U16(path), set).Ok());
    EXPECT_EQ(set.SWFS, kIntMin);
}

TEST_F(ReadFile, BytesPastTheFileAreIgnored) {
    ParameterArray built{};
    ASSERT_TRUE(ParameterFile::BuildArray(StereoSet(), &FakeEq10, &FakeEq8, built).Ok());
    const std::string file =
        FloatBytes::LittleEndian(std::vector<float>(built.begin(), built.end()));
    const ParameterSet empty = OnlyEditorState(StereoSet());
    EXPECT_EQ(ReadBytes(file, empty), StereoSet());
    EXPECT_EQ(ReadBytes(file + std::string(1000, '\xFF'), empty), StereoSet());
}

TEST_F(ReadFile, UnreadableFilesLeaveTheSetAlone) {
    const std::string fifo = dir_.File("fifo.bin");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path :
         {dir_.File("missing.bin"), dir_.Path(), fifo, std::string("/dev/zero")}) {
        ParameterSet set = StereoSet();
        const ParameterFileResult result = ParameterFile::ReadParameterFile(U16(path), set);
        EXPECT_EQ(result.status, ParameterFileStatus::CannotRead) << path;
        EXPECT_EQ(set, StereoSet()) << path;
        EXPECT_NE(Utf8(ParameterFile::Message(result, U16(path))).find("could not be read"),
                  std::string::npos);
    }
}

// --- Refusals -----------------------------------------------------------------------------------

TEST_F(FakeDesign, NonFiniteValuesAreRefusedWithTheirPlace) {
    struct Case {
        const char* what;
        void (*spoil)(ParameterSet&);
        std::size_t index;
        int channel;
        ParameterArea area;
        int band;
        const char* key;
        const char* message;
    };
    const Case cases[] = {
        {"R limiter threshold", [](ParameterSet& s) { s.RLMT_THRESHOLD = kInf; }, 488, 1,
         ParameterArea::Limiter, -1, "RLMT_THRESHOLD",
         "channel R (channel1), limiter, RLMT_THRESHOLD is not a finite number"},
        {"R eight-band Q of band 2", [](ParameterSet& s) { s.EQQRIGHT1[1] = kNaN; }, 518, 1,
         ParameterArea::EightBandEq, 2, "EQQRIGHT1",
         "channel R (channel1), eight-band equaliser, band 2 (peaking), EQQRIGHT1"},
        {"L ten-band Q of band 8", [](ParameterSet& s) { s.EQQLEFT[7] = -kInf; }, 54, 0,
         ParameterArea::TenBandEq, 8, "EQQLEFT",
         "channel L (channel0), ten-band equaliser, band 8 (peaking), EQQLEFT"},
    };
    for (const Case& c : cases) {
        ParameterSet set = StereoSet();
        c.spoil(set);
        ParameterArray out{};
        out[0] = 123.0f;
        const ParameterFileResult result = ParameterFile::BuildArray(set, &FakeEq10, &FakeEq8, out);
        EXPECT_EQ(result.status, ParameterFileStatus::NonFinite) << c.what;
        EXPECT_EQ(result.where.index, c.index) << c.what;
        EXPECT_EQ(result.where.channel, c.channel) << c.what;
        EXPECT_EQ(result.where.area, c.area) << c.what;
        EXPECT_EQ(result.where.band, c.band) << c.what;
        EXPECT_EQ(result.where.key, c.key) << c.what;
        EXPECT_EQ(out[0], 123.0f) << "a refused array is not handed out";
        const std::string message = Utf8(ParameterFile::Message(result, u"/x/EQPara.bin"));
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_NE(message.find("\"/x/EQPara.bin\" was not written"), std::string::npos);
    }
}

TEST_F(FakeDesign, NonFiniteCoefficientsNameTheirBand) {
    // Coefficients of R's eight-band high shelf: record 57 to 61, file 558 to 562.
    gPoison8 = 59;
    ParameterArray out{};
    const ParameterFileResult result =
        ParameterFile::BuildArray(StereoSet(), &FakeEq10, &FakeEq8, out);
    ASSERT_EQ(result.status, ParameterFileStatus::NonFinite);
    EXPECT_EQ(result.where.index, 560u);
    EXPECT_EQ(result.where.area, ParameterArea::EightBandEq);
    EXPECT_EQ(result.where.band, 7);
    EXPECT_TRUE(result.where.key.empty());
    const std::string message = Utf8(ParameterFile::Message(result, u"p.bin"));
    EXPECT_NE(message.find("band 7 (high shelf): a filter coefficient is not a finite number"),
              std::string::npos)
        << message;
}

TEST(ParameterFileLocate, CoefficientAndFieldPositions) {
    struct Case {
        std::size_t index;
        int channel;
        ParameterArea area;
        int band;
        const char* key;
    };
    const Case cases[] = {
        {3, -1, ParameterArea::Header, -1, "DrcSwtch"},
        {55, 0, ParameterArea::TenBandEq, 0, ""},  // low shelf k1
        {60, 0, ParameterArea::TenBandEq, 1, ""},  // band 1 k1
        {75, 0, ParameterArea::TenBandEq, 8, ""},  // band 8 k2
        {76, 0, ParameterArea::TenBandEq, 1, ""},  // band 1 c0
        {99, 0, ParameterArea::TenBandEq, 8, ""},  // band 8 c2
        {104, 0, ParameterArea::TenBandEq, 9, ""}, // high shelf c2
        {105, 0, ParameterArea::Unused, -1, ""},
        {146, 0, ParameterArea::Drc, -1, "ECALTIME_LL"},
        {147, 0, ParameterArea::Drc, -1, "OFFSET_LL"},
        {167, 0, ParameterArea::Drc, -1, "ATTATIME_LH"},
        {304, 0, ParameterArea::Gain2, -1, "SCTRGAINL2"},
        {315, 1, ParameterArea::Gain1, -1, "SCTRGAINR1"},
        {346, 1, ParameterArea::TenBandEq, 1, "EQQRIGHT"},
        {523, 1, ParameterArea::EightBandEq, 0, ""}, // low shelf k1
        {538, 1, ParameterArea::EightBandEq, 6, ""}, // band 6 k1
        {540, 1, ParameterArea::EightBandEq, 1, ""}, // band 1 c0
        {557, 1, ParameterArea::EightBandEq, 6, ""}, // band 6 c2
        {558, 1, ParameterArea::EightBandEq, 7, ""}, // high shelf k1
        {613, -1, ParameterArea::Unused, -1, ""},
    };
    for (const Case& c : cases) {
        const ParameterPosition where = ParameterFile::Locate(c.index);
        EXPECT_EQ(where.channel, c.channel) << c.index;
        EXPECT_EQ(where.area, c.area) << c.index;
        EXPECT_EQ(where.band, c.band) << c.index;
        EXPECT_EQ(where.key, c.key) << c.index;
    }
}

TEST(ParameterFileWrite, RefusesWithoutTheLibraryAndWritesNothing) {
    TempDir dir;
    const std::string path = dir.File("EQPara.bin");
    const ToolLibrary unloaded;
    const ParameterFileResult result =
        ParameterFile::WriteParameterFile(U16(path), StereoSet(), unloaded);
    EXPECT_EQ(result.status, ParameterFileStatus::ToolNotLoaded);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(Utf8(ParameterFile::Message(result, U16(path))).find("libTool.so is not loaded"),
              std::string::npos);

    ParameterArray out{};
    EXPECT_EQ(ParameterFile::BuildArray(StereoSet(), &FakeEq10, nullptr, out).status,
              ParameterFileStatus::ToolIncomplete);
    EXPECT_EQ(ParameterFile::BuildArray(StereoSet(), nullptr, &FakeEq8, out).status,
              ParameterFileStatus::ToolIncomplete);
}

// --- Through the real filter design library ---------------------------------------------------

class WithLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tool_.Load(U16(std::string(SONVEX_BIN_DIR) + "/")), ToolLoadResult::Ok)
            << "libTool.so in " << SONVEX_BIN_DIR;
    }
    ParameterArray WriteAndLoad(const ParameterSet& set) {
        const std::string path = dir_.File("EQPara.bin");
        EXPECT_TRUE(ParameterFile::WriteParameterFile(U16(path), set, tool_).Ok());
        const std::string bytes = TempDir::ReadBytes(path);
        EXPECT_EQ(bytes.size(), 2456u);
        return ParameterFile::Decode(bytes);
    }
    ToolLibrary tool_;
    TempDir dir_;
};

TEST_F(WithLibrary, CoefficientsAreThoseOfTheLibrary) {
    const ParameterSet set = StereoSet();
    const ParameterArray file = WriteAndLoad(set);
    EXPECT_EQ(file[0], 2.0f);
    EXPECT_EQ(file[1], 48000.0f);

    // Records built by hand from the set, designed directly.
    std::vector<float> curve(1000);
    std::vector<float> tenL(78), tenR(78), eightL(62), eightR(62);
    for (int i = 0; i < 10; ++i) {
        tenL[i] = static_cast<float>(set.EQGAINLEFT[i]);
        tenL[10 + i] = static_cast<float>(set.EQCFLEFT[i]);
        tenR[i] = static_cast<float>(set.EQGAINRIGHT[i]);
        tenR[10 + i] = static_cast<float>(set.EQCFRIGHT[i]);
    }
    for (int i = 0; i < 8; ++i) {
        tenL[20 + i] = set.EQQLEFT[i];
        tenR[20 + i] = set.EQQRIGHT[i];
        eightL[i] = static_cast<float>(set.EQGAINLEFT1[i]);
        eightL[8 + i] = static_cast<float>(set.EQCFLEFT1[i]);
        eightR[i] = static_cast<float>(set.EQGAINRIGHT1[i]);
        eightR[8 + i] = static_cast<float>(set.EQCFRIGHT1[i]);
    }
    for (int i = 0; i < 6; ++i) {
        eightL[16 + i] = set.EQQLEFT1[i];
        eightR[16 + i] = set.EQQRIGHT1[i];
    }
    tool_.Eq10()(tenL.data(), curve.data(), 48000, 20.0f, 1000);
    tool_.Eq10()(tenR.data(), curve.data(), 48000, 20.0f, 1000);
    tool_.Eq8()(eightL.data(), curve.data(), 48000, 20.0f, 1000);
    tool_.Eq8()(eightR.data(), curve.data(), 48000, 20.0f, 1000);
    for (std::size_t j = 0; j < 50; ++j) {
        EXPECT_EQ(file[55 + j], tenL[28 + j]) << j;
        EXPECT_EQ(file[354 + j], tenR[28 + j]) << j;
        EXPECT_TRUE(std::isfinite(file[55 + j]));
    }
    for (std::size_t j = 0; j < 40; ++j) {
        EXPECT_EQ(file[224 + j], eightL[22 + j]) << j;
        EXPECT_EQ(file[523 + j], eightR[22 + j]) << j;
    }
}

TEST_F(WithLibrary, PeakingExampleLandsAtItsIndices) {
    // +12 dB at 1000 Hz, Q 2.5, as band 1 of both equalisers of L, at 48000 Hz.
    ParameterSet set = StereoSet();
    set.EQGAINLEFT[1] = 12;
    set.EQCFLEFT[1] = 1000;
    set.EQQLEFT[0] = 2.5f;
    set.EQGAINLEFT1[1] = 12;
    set.EQCFLEFT1[1] = 1000;
    set.EQQLEFT1[0] = 2.5f;
    const ParameterArray file = WriteAndLoad(set);
    const float k1 = -0.991445f, k2 = 0.974092f, c0 = 0.002170f, c1 = -0.126289f, c2 = 0.935475f;
    // Ten-band: (k1, k2) of band 1 at 60, 61; (c0, c1, c2) at 76 to 78.
    EXPECT_NEAR(file[60], k1, 1e-6);
    EXPECT_NEAR(file[61], k2, 1e-6);
    EXPECT_NEAR(file[76], c0, 1e-6);
    EXPECT_NEAR(file[77], c1, 1e-6);
    EXPECT_NEAR(file[78], c2, 1e-6);
    // Eight-band: (k1, k2) at 229, 230; (c0, c1, c2) at 241 to 243.
    EXPECT_NEAR(file[229], k1, 1e-6);
    EXPECT_NEAR(file[230], k2, 1e-6);
    EXPECT_NEAR(file[241], c0, 1e-6);
    EXPECT_NEAR(file[242], c1, 1e-6);
    EXPECT_NEAR(file[243], c2, 1e-6);
}

TEST_F(WithLibrary, RoundTripRestoresEveryCarriedField) {
    const ParameterSet original = StereoSet();
    const std::string path = dir_.File("Para.bin");
    ASSERT_TRUE(ParameterFile::WriteParameterFile(U16(path), original, tool_).Ok());

    ParameterSet other; // editor state of its own, which the file must not change
    other.EQLink1 = true;
    other.LimitLink = true;
    other.Channel = 1;
    ParameterSet back = other;
    ASSERT_TRUE(ParameterFile::ReadParameterFile(U16(path), back).Ok());
    ParameterSet expected = original;
    expected.Link = false;
    expected.EQLink = false;
    expected.EQLink1 = true;
    expected.DRCLink = false;
    expected.LimitLink = true;
    expected.Channel = 1;
    expected.EQChannel = 0;
    expected.EQ1Channel = 0;
    expected.DrcChannel = 0;
    expected.LimitChannel = 0;
    EXPECT_EQ(back, expected);

    // A mono file clears every R field on reading.
    ParameterSet mono = original;
    mono.CHANUM = 1;
    ASSERT_TRUE(ParameterFile::WriteParameterFile(U16(path), mono, tool_).Ok());
    back = original;
    ASSERT_TRUE(ParameterFile::ReadParameterFile(U16(path), back).Ok());
    EXPECT_EQ(back.CHANUM, 1);
    EXPECT_EQ(back.EQGAINLEFT, original.EQGAINLEFT);
    EXPECT_EQ(back.SCTRGAINR1, 0);
    EXPECT_EQ(back.SCTRGAINR2, 0);
    EXPECT_EQ(back.EQCFRIGHT, (std::array<int32_t, 10>{}));
    EXPECT_EQ(back.EQQRIGHT1, (std::array<float, 6>{}));
    EXPECT_EQ(back.ATTATIME_RH, 0);
    EXPECT_EQ(back.RLMT_SMOOTHTIME, 0.0f);
}

TEST_F(WithLibrary, QOfZeroIsRefusedAndTheOldFileStays) {
    const std::string path = dir_.File("EQPara.bin");
    TempDir::WriteBytes(path, "old parameter file");
    ParameterSet set = StereoSet();
    set.EQQLEFT[2] = 0.0f; // band 3
    const ParameterFileResult result = ParameterFile::WriteParameterFile(U16(path), set, tool_);
    ASSERT_EQ(result.status, ParameterFileStatus::NonFinite);
    EXPECT_EQ(result.where.channel, 0);
    EXPECT_EQ(result.where.area, ParameterArea::TenBandEq);
    EXPECT_EQ(result.where.band, 3);
    const std::string message = Utf8(ParameterFile::Message(result, U16(path)));
    EXPECT_NE(message.find("channel L (channel0), ten-band equaliser, band 3 (peaking)"),
              std::string::npos)
        << message;
    EXPECT_EQ(TempDir::ReadBytes(path), "old parameter file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(WithLibrary, UnwritableFileKeepsTheOldOne) {
    const std::string path = dir_.File("locked.bin");
    TempDir::WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ParameterFileResult result = ParameterFile::WriteParameterFile(U16(path), StereoSet(), tool_);
    EXPECT_EQ(result.status, ParameterFileStatus::CannotWrite);
    EXPECT_EQ(result.writeError, SafeFileResult::ReadOnly);
    EXPECT_EQ(TempDir::ReadBytes(path), "old");
    EXPECT_NE(Utf8(ParameterFile::Message(result, U16(path))).find("read-only"), std::string::npos);

    result =
        ParameterFile::WriteParameterFile(U16(dir_.File("no/such/dir.bin")), StereoSet(), tool_);
    EXPECT_EQ(result.status, ParameterFileStatus::CannotWrite);
}

} // namespace
