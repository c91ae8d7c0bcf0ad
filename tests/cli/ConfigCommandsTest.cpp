#include "tests/cli/CliRun.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TempDir.h"
#include "tests/support/TinyDisk.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CliRun RunCli(const std::vector<std::string>& args) {
    return CliRun::Of(args, u"/nonexistent/");
}

const std::string kConfig =
    "[Language]\r\nLangPath=lang/\r\nSelected=2\r\nLang1File=English.ini\r\n"
    "Lang2File=Chinese.ini\r\n[System]\r\nLogPath=\r\nDebug=1\r\nLink=1\r\n"
    "SWFS=48000\r\nCHANUM=2\r\nSCTRGAINL1=-2.5\r\nEQQLEFT=0.7,1e-3\r\n"
    "EQGAINRIGHT=5,5,5,5,5,5,5,5,5,5\r\nEQCFRIGHT=1,2,3,4,5,6,7,8,9,10\r\n"
    "EQQRIGHT=9,9,9,9,9,9,9,9\r\nRLMT_THRESHOLD=-0.1234567\r\n";

TEST(CliConfig, ShowPrintsTheSettingsAndEveryFieldAsLoaded) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"), kConfig);
    const CliRun run = RunCli({"show", dir.File("config.ini")});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string json = run.Compact();
    EXPECT_EQ(json.rfind("{\"LangPath\":\"lang/\",\"Selected\":2,\"Lang1File\":\"English.ini\","
                         "\"Lang2File\":\"Chinese.ini\",\"Debug\":true,\"LogPath\":\"\","
                         "\"Link\":true,\"EQLink\":false,",
                         0),
              0u)
        << json;
    EXPECT_NE(json.find("\"SCTRGAINL1\":-2,"), std::string::npos);
    EXPECT_NE(json.find("\"EQQLEFT\":[0.7,0.001,0,0,0,0,0,0],"), std::string::npos);
    EXPECT_NE(json.find("\"RLMT_THRESHOLD\":-0.1234567,"), std::string::npos);
    EXPECT_NE(json.find("\"DIVFREQ_R\":0,\"OFFSET_RL\":0,"), std::string::npos);
    EXPECT_EQ(json.substr(json.size() - 26), "\"EQQRIGHT1\":[0,0,0,0,0,0]}");
    // show changes nothing on disk.
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")), kConfig);
}

TEST(CliConfig, ShowAndResetReportMissingFilesAndBadArguments) {
    TempDir dir;
    CliRun run = RunCli({"show", dir.File("missing.ini")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("missing.ini"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(RunCli({"show"}).code, 2);
    EXPECT_EQ(RunCli({"show", "a", "b"}).code, 2);
    EXPECT_EQ(RunCli({"reset", dir.File("missing.ini")}).code, 1);
    TempDir::WriteBytes(dir.File("config.ini"), kConfig);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"reset", dir.File("config.ini"), "--rate"},
          {"reset", dir.File("config.ini"), "--rate", "abc"},
          {"reset", dir.File("config.ini"), "--rate", "48000x"},
          {"reset", dir.File("config.ini"), "--channels", "99999999999"},
          {"reset", "--rate", "48000"},
          {"reset", dir.File("config.ini"), "--bogus"},
          {"frobnicate"},
          {}}) {
        const CliRun r = RunCli(bad);
        EXPECT_EQ(r.code, 2) << (bad.empty() ? "" : bad.back());
        EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    }
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")), kConfig);
}

TEST(CliConfig, ResetLaysOutBothEqualisersAndSavesTheConfiguration) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"), kConfig);
    const CliRun run =
        RunCli({"reset", dir.File("config.ini"), "--rate", "44100", "--channels", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string json = run.Compact();
    EXPECT_NE(json.find("\"SWFS\":44100,\"CHANUM\":1,"), std::string::npos);
    EXPECT_NE(json.find("\"EQCFLEFT\":[50,90,170,330,670,1340,2700,5440,10950,21550]"),
              std::string::npos);
    EXPECT_NE(json.find("\"EQCFLEFT1\":[50,120,280,670,1600,3830,9190,21050]"), std::string::npos);
    // One channel: R untouched.
    EXPECT_NE(json.find("\"EQCFRIGHT\":[1,2,3,4,5,6,7,8,9,10]"), std::string::npos);

    const std::string saved = TempDir::ReadBytes(dir.File("config.ini"));
    EXPECT_NE(saved.find("\r\nSWFS=44100\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nEQCFLEFT=50,90,170,330,670,1340,2700,5440,10950,21550\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("\r\nEQQLEFT=2.500000,2.500000,2.500000,2.500000,2.500000,2.500000,"
                         "2.500000,2.500000\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("\r\nEQGAINRIGHT=5,5,5,5,5,5,5,5,5,5\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nRLMT_THRESHOLD=-0.123457\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Language]\r\n"), std::string::npos);

    // Stereo at the rate already in the file: R frequencies follow, band 9 of R is 1000 below.
    const CliRun stereo = RunCli({"reset", dir.File("config.ini"), "--channels", "2"});
    ASSERT_EQ(stereo.code, 0) << stereo.err;
    EXPECT_NE(stereo.Compact().find("\"EQCFRIGHT\":[50,90,170,330,670,1340,2700,5440,10950,21050]"),
              std::string::npos);
}

TEST(CliConfig, ResetRefusesRatesWithoutOctavesAndUnwritableFiles) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("config.ini"), kConfig);
    CliRun run = RunCli({"reset", dir.File("config.ini"), "--rate", "40"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("40"), std::string::npos);
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")), kConfig);

    ASSERT_EQ(chmod(dir.File("config.ini").c_str(), 0444), 0);
    run = RunCli({"reset", dir.File("config.ini")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(TempDir::ReadBytes(dir.File("config.ini")), kConfig);
}

// The message of a run that must fail without touching the configuration.
void ExpectRefused(const CliRun& run, const std::string& path, const std::string& reason) {
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_TRUE(TempDir::ReadBytes(path) == kConfig) << "the configuration changed";
}

TEST(CliConfig, ResetSaysWhyNothingWasWritten) {
    // A full disk.
    TinyDisk disk("size=16k,nr_inodes=4,mode=0755");
    if (disk.Mounted()) {
        TempDir::WriteBytes(disk.File("config.ini"), kConfig);
        disk.Fill();
        ExpectRefused(RunCli({"reset", disk.File("config.ini")}), disk.File("config.ini"),
                      "the disk is full (no space or no file entry left, or the quota is used "
                      "up); the old file is intact");
    }
    // A file of root's in a folder everybody may write, reset by another user.
    TempDir dir;
    const std::string path = dir.File("config.ini");
    TempDir::WriteBytes(path, kConfig);
    if (OtherUser::Available()) {
        ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
        CliRun asNobody;
        const OtherUser::Outcome outcome = OtherUser::Run([&](std::string& text) {
            const CliRun run = RunCli({"reset", path});
            text = run.out + run.err;
            return run.code;
        });
        asNobody.code = outcome.code;
        asNobody.err = outcome.text;
        ExpectRefused(asNobody, path, "you may not write the file");
    }
    // A configuration of 100 MB is not read at all.
    ASSERT_EQ(truncate(path.c_str(), 100 << 20), 0);
    const CliRun big = RunCli({"reset", path});
    EXPECT_EQ(big.code, 1);
    EXPECT_NE(big.err.find("larger than 4 MiB"), std::string::npos) << big.err;
    if (!disk.Mounted() || !OtherUser::Available()) {
        GTEST_SKIP() << "the full disk or the other user needs root";
    }
}

TEST(CliConfig, HelpAndVersion) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "Sonvex V1.21\n");
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("sonvex-cli show CONFIG"), std::string::npos);
    EXPECT_NE(help.out.find("sonvex-cli reset CONFIG [--rate HZ] [--channels N]"),
              std::string::npos);
}

} // namespace
