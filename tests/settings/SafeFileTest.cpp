#include "settings/SafeFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(SafeFile, ReadTakesRegularFilesOnlyAndStopsAtTheLimit) {
    TempDir dir;
    TempDir::WriteBytes(dir.File("a.bin"), "0123456789");
    std::string bytes = "old";
    ASSERT_TRUE(SafeFile::Read(dir.File("a.bin"), bytes));
    EXPECT_EQ(bytes, "0123456789");
    ASSERT_TRUE(SafeFile::Read(dir.File("a.bin"), bytes, 4));
    EXPECT_EQ(bytes, "0123");

    // A pipe would block a plain open and read; a folder or a device is no file either.
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    bytes = "kept";
    EXPECT_FALSE(SafeFile::Read(dir.File("pipe"), bytes));
    EXPECT_FALSE(SafeFile::Read(dir.Path(), bytes));
    EXPECT_FALSE(SafeFile::Read("/dev/zero", bytes));
    EXPECT_FALSE(SafeFile::Read(dir.File("missing"), bytes));
    EXPECT_EQ(bytes, "kept");
}

TEST(SafeFile, WriteReplacesTheFileWholeAndRefusesWhatItMustNotTouch) {
    TempDir dir;
    const std::string path = dir.File("f.ini");
    ASSERT_EQ(SafeFile::Write(path, "first"), SafeFileResult::Ok);
    ASSERT_EQ(SafeFile::Write(path, "2nd"), SafeFileResult::Ok);
    EXPECT_EQ(TempDir::ReadBytes(path), "2nd");
    EXPECT_EQ(SafeFile::Write(dir.Path(), "x"), SafeFileResult::NotAFile);
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    EXPECT_EQ(SafeFile::Write(dir.File("pipe"), "x"), SafeFileResult::NotAFile);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(SafeFile::Write(path, "third"), SafeFileResult::ReadOnly);
    EXPECT_EQ(TempDir::ReadBytes(path), "2nd");
    EXPECT_EQ(SafeFile::Write(dir.File("no/such/folder/f"), "x"), SafeFileResult::CannotCreate);
}

} // namespace
