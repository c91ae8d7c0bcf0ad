// Comparing configurations key by key, and either kind of file as the parameter file Set writes.
#include "base/TextCodec.h"
#include "params/ParameterFile.h"
#include "params/ToolLibrary.h"
#include "settings/ComparisonSource.h"
#include "settings/ConfigurationDiff.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// "KEY=a/b " for each difference.
std::string Fields(const std::vector<FieldDifference>& differences) {
    std::string text;
    for (const FieldDifference& d : differences) {
        text += TextCodec::ToUtf8(ParameterDiff::FieldName(d) + u"=" + d.a.Format() + u"/" +
                                  d.b.Format()) +
                " ";
    }
    return text;
}

class Comparison : public ::testing::Test {
protected:
    ComparisonSource Load(const std::string& name, const std::string& bytes) {
        TempDir::WriteBytes(dir_.File(name), bytes);
        return ComparisonSource::Load(U16(dir_.File(name)));
    }
    TempDir dir_;
};

const std::string kConfig = "[Language]\r\nSelected=1\r\n[System]\r\nSWFS=16000\r\nCHANUM=1\r\n"
                            "EQGAINLEFT=1,2,3\r\nEQCFLEFT=100,200,300,400,500,600,700,800,900,"
                            "1000\r\nEQQLEFT=1,1,1,1,1,1,1,1\r\nEQCFLEFT1=100,200,300,400,500,"
                            "600,700,800\r\nEQQLEFT1=1,1,1,1,1,1\r\nSCTRGAINR1=5\r\n";

TEST_F(Comparison, ConfigurationsCompareWhatTheConfigurationReadsAndEveryOtherKey) {
    const ComparisonSource a =
        Load("a.ini", kConfig + "[Device]\r\nSerial=A1\r\n[Extra]\r\nk=1\r\n");
    const ComparisonSource b =
        Load("b.ini", "[Language]\r\nSelected=7\r\n[System]\r\nSWFS= 16000\r\nCHANUM=1.0\r\n"
                      "EQGAINLEFT=1,2,3,0\r\nEQCFLEFT=100,200,300,400,500,600,700,800,900,1000\r\n"
                      "EQQLEFT=1.0,1,1,1,1,1,1,2.5\r\nEQCFLEFT1=100,200,300,400,500,600,700,"
                      "800\r\nEQQLEFT1=1,1,1,1,1,1\r\nLink=1\r\n[extra]\r\nk=2\r\nnew=x\r\n");
    ASSERT_EQ(a.kind, ComparisonSource::Kind::Configuration);
    ASSERT_EQ(b.kind, ComparisonSource::Kind::Configuration);
    // Selected 7 reads as 1, "1.0" as the integer 1 and a missing EQGAINLEFT element as 0.
    EXPECT_EQ(Fields(ConfigurationDiff::Compare(*a.config, *b.config)),
              "Link=0/1 EQQLEFT=1/2.5 SCTRGAINR1=5/0 Device:Serial=A1/ Extra:k=1/2 extra:new=/x ");
    const std::vector<FieldDifference> differences =
        ConfigurationDiff::Compare(*a.config, *b.config);
    EXPECT_EQ(differences[0].block, DiffBlock::Editor);
    EXPECT_EQ(differences[1].band, 8); // the last Q is that of peaking band 8
    EXPECT_EQ(differences[2].channel, 1);
    EXPECT_EQ(differences[3].b.kind, DiffValue::Kind::Missing);
}

TEST_F(Comparison, SidesAreToldApartAndAConfigurationIsTheFileSetWrites) {
    ToolLibrary tool;
    ASSERT_EQ(tool.Load(U16(std::string(SONVEX_BIN_DIR) + "/")), ToolLoadResult::Ok);
    const ComparisonSource config = Load("config.ini", kConfig);
    ASSERT_TRUE(config.Ok());
    ASSERT_TRUE(
        ParameterFile::WriteParameterFile(U16(dir_.File("Para.bin")), config.config->Params, tool)
            .Ok());
    const ComparisonSource file = ComparisonSource::Load(U16(dir_.File("Para.bin")));
    ASSERT_EQ(file.kind, ComparisonSource::Kind::ParameterFile);
    // Mono: the R field the configuration holds is not carried, so the two are identical.
    SourceComparison::Result result = SourceComparison::Compare(config, file, tool);
    EXPECT_TRUE(result.coefficients);
    EXPECT_EQ(Fields(result.differences), "");
    ParameterSet editor = config.config->Params;
    editor.EQGAINLEFT[4] = 6;
    result = SourceComparison::Compare(editor, file, tool);
    ASSERT_EQ(result.differences.size(), 2u);
    EXPECT_EQ(Fields({result.differences[0]}), "EQGAINLEFT=6/0 ");
    EXPECT_EQ(ParameterDiff::FieldName(result.differences[1]), u"ten-band coefficients of band 4");
    // Without the library the coefficients are left out, and said so.
    result = SourceComparison::Compare(editor, file, ToolLibrary());
    EXPECT_FALSE(result.coefficients);
    EXPECT_EQ(result.differences.size(), 1u);

    EXPECT_EQ(Load("text.bin", std::string(2456, 'x')).kind, ComparisonSource::Kind::ParameterFile);
    EXPECT_EQ(Load("notes.txt", "no section here\r\n").status,
              ComparisonSource::Status::NeitherKind);
    EXPECT_EQ(ComparisonSource::Load(U16(dir_.File("missing"))).status,
              ComparisonSource::Status::CannotRead);
}

TEST_F(Comparison, ANewSectionsKeyIsSavedAloneAndAtOnce) {
    TempDir::WriteBytes(dir_.File("config.ini"), kConfig);
    CIniSettingBase settings;
    ASSERT_TRUE(settings.Load(U16(dir_.File("config.ini"))));
    settings.Params.SWFS = 48000; // an edit not saved yet
    ASSERT_TRUE(settings.SaveSectionValue(u"Device", u"Serial", u"R58M"));
    EXPECT_EQ(settings.SectionValue(u"Device", u"Serial"), u"R58M");
    const std::string saved = TempDir::ReadBytes(dir_.File("config.ini"));
    EXPECT_EQ(saved.find("[Device]\r\nSerial=R58M\r\n[Language]\r\n"), 0u) << saved;
    EXPECT_NE(saved.find("\r\nSWFS=16000\r\n"), std::string::npos) << saved;
    // The current section is left alone: a bare key still reads from [System].
    EXPECT_EQ(settings.GetValue(u"SWFS"), u"16000");
}

} // namespace
