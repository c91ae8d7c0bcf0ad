#include "base/SafeFile.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TempDir.h"
#include "tests/support/TinyDisk.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Text lines of one letter, about `size` bytes in all.
std::string Lines(char letter, std::size_t size) {
    std::string text;
    while (text.size() + 10 <= size) {
        text += std::string(8, letter) + "\r\n";
    }
    return text;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

bool AnyTemporary(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
        if (name.rfind(".config.ini.", 0) == 0) {
            return true;
        }
    }
    return false;
}

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

TEST(SafeFile, AFullDiskLeavesTheOldFileWhole) {
    // Four pages of space and four file entries: the folder, config.ini, the filler, one more.
    TinyDisk disk("size=16k,nr_inodes=4,mode=0755");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    }
    const std::string path = disk.File("config.ini");
    const std::string old = Lines('o', 4096);
    TempDir::WriteBytes(path, old);
    disk.Fill();
    // Neither space nor a file entry left: no temporary file can be made, and rewriting in place
    // would have to cut the old content first.
    EXPECT_EQ(SafeFile::Write(path, Lines('n', 8000)), SafeFileResult::DiskFull);
    EXPECT_TRUE(TempDir::ReadBytes(path) == old) << TempDir::ReadBytes(path).size() << " bytes";
    // A file entry but no space: the temporary file is made, cannot be filled, and goes again.
    ASSERT_EQ(::unlink(disk.File("entry0").c_str()), 0);
    EXPECT_EQ(SafeFile::Write(path, Lines('n', 8000)), SafeFileResult::DiskFull);
    EXPECT_TRUE(TempDir::ReadBytes(path) == old) << TempDir::ReadBytes(path).size() << " bytes";
    EXPECT_FALSE(AnyTemporary(disk.Path()));
    EXPECT_NE(SafeFile::DescribeFailure(SafeFileResult::DiskFull).find(u"the old file is intact"),
              std::u16string::npos);
}

TEST(SafeFile, OtherUsersFilesAreRefusedOrRewrittenInPlace) {
    if (!OtherUser::Available()) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    // root's file, 0644, in a folder everybody may write: nobody may not replace it.
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    const std::string path = dir.File("config.ini");
    TempDir::WriteBytes(path, "root's");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    const auto writeAsNobody = [&](const std::string& target, const std::string& bytes) {
        return OtherUser::Run(
                   [&](std::string&) { return static_cast<int>(SafeFile::Write(target, bytes)); })
            .code;
    };
    EXPECT_EQ(writeAsNobody(path, "nobody's"), static_cast<int>(SafeFileResult::NotPermitted));
    EXPECT_EQ(TempDir::ReadBytes(path), "root's");
    EXPECT_FALSE(AnyTemporary(dir.Path()));

    // One nobody may write keeps its owner: it is rewritten in place.
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    EXPECT_EQ(writeAsNobody(path, "nobody's"), static_cast<int>(SafeFileResult::Ok));
    EXPECT_EQ(TempDir::ReadBytes(path), "nobody's");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0666u);

    // A folder that takes no new file: nobody's own file is rewritten in place, cut to the new
    // length, and a longer content that does not fit is refused before a byte is written.
    TinyDisk disk("size=16k,nr_inodes=8,mode=0755");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    }
    const std::string own = disk.File("config.ini");
    const std::string old = Lines('o', 4000);
    TempDir::WriteBytes(own, old);
    ASSERT_EQ(::chown(own.c_str(), OtherUser::kId, OtherUser::kId), 0);
    EXPECT_EQ(writeAsNobody(own, "short"), static_cast<int>(SafeFileResult::Ok));
    EXPECT_EQ(TempDir::ReadBytes(own), "short");
    TempDir::WriteBytes(own, old);
    disk.Fill();
    EXPECT_EQ(writeAsNobody(own, Lines('n', 9000)), static_cast<int>(SafeFileResult::DiskFull));
    EXPECT_TRUE(TempDir::ReadBytes(own) == old) << TempDir::ReadBytes(own).size() << " bytes";
}

TEST(SafeFile, WriteRemovesOnlyItsOwnStaleTemporaries) {
    TempDir dir;
    const auto make = [&](const std::string& name, bool old) {
        TempDir::WriteBytes(dir.File(name), "left behind");
        if (old) {
            const timespec times[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, dir.File(name).c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
        }
    };
    make(".config.ini.Ab12Cd", true);  // a killed save's: goes
    make(".config.ini.Ef34Gh", false); // a save running now
    make(".config.ini.Ij56K", true);   // not the pattern
    make(".other.ini.Lm78No", true);   // another file's
    ASSERT_EQ(::symlink("target", dir.File(".config.ini.Pq90Rs").c_str()), 0);
    const timespec times[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    ASSERT_EQ(
        ::utimensat(AT_FDCWD, dir.File(".config.ini.Pq90Rs").c_str(), times, AT_SYMLINK_NOFOLLOW),
        0);
    std::set<std::string> kept{"config.ini", ".config.ini.Ef34Gh", ".config.ini.Ij56K",
                               ".other.ini.Lm78No", ".config.ini.Pq90Rs"};
    if (OtherUser::Available()) {
        make(".config.ini.Tu12Vw", true); // another user's
        ASSERT_EQ(::lchown(dir.File(".config.ini.Tu12Vw").c_str(), OtherUser::kId, 0), 0);
        kept.insert(".config.ini.Tu12Vw");
    }

    ASSERT_EQ(SafeFile::Write(dir.File("config.ini"), "new"), SafeFileResult::Ok);
    EXPECT_EQ(Names(dir.Path()), kept);
}

} // namespace
