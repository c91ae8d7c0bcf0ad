#include "base/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A file descriptor closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now; false when the close reports an error (a delayed write failure).
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool IsDiskFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

bool FolderForbidsNewFiles(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// The result of a failed write or flush, from errno.
SafeFileResult WriteError() {
    return IsDiskFull(errno) ? SafeFileResult::DiskFull : SafeFileResult::WriteFailed;
}

// Follows a chain of symbolic links to the file that will actually be written.
std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = readlink(current.c_str(), target.data(), PATH_MAX);
        if (n < 0) {
            return current;
        }
        std::string next(target.data(), static_cast<std::size_t>(n));
        if (!next.empty() && next.front() != '/') {
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos) {
                next = current.substr(0, slash + 1) + next;
            }
        }
        current = next;
    }
    return current;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) {
        return false;
    }
    const std::string_view suffix = name.substr(prefix.size());
    return std::all_of(suffix.begin(), suffix.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Removes the temporary files ".<base>.XXXXXX" that a killed save of base left in folder: only
// regular files of this user, untouched for more than a minute (a save running now is younger).
void RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::string prefix = "." + base + ".";
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name, prefix)) {
            continue;
        }
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            now - st.st_mtime > SafeFile::kStaleTemporarySeconds) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, data, left, offset);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        offset += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadAllAt(int fd, std::string& bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done,
                                  offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reserves the blocks of a file grown to size, so that writing into them cannot run out of
// space. False with errno set when the disk is full; true also where the file system cannot
// reserve (the write is then guarded by putting the old bytes back).
bool Reserve(int fd, off_t size) {
#if defined(__linux__)
    if (::fallocate(fd, 0, 0, size) != 0) {
        return !IsDiskFull(errno);
    }
#else
    (void)fd;
    (void)size;
#endif
    return true;
}

// Rewrites an existing file in its own blocks: the new bytes, a flush, then the cut to their
// length. The old bytes that the new ones cover are kept in memory and put back when writing
// fails, so a failure leaves the old content (or reports that it could not).
SafeFileResult RewriteInPlace(const std::string& path, std::string_view bytes) {
    Descriptor fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
    if (!fd.Valid()) {
        return FolderForbidsNewFiles(errno) ? SafeFileResult::NotPermitted
                                            : SafeFileResult::CannotCreate;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return SafeFileResult::NotAFile;
    }
    const off_t oldSize = st.st_size;
    const auto newSize = static_cast<off_t>(bytes.size());
    std::string old(static_cast<std::size_t>(std::min(oldSize, newSize)), '\0');
    if (!ReadAllAt(fd.Get(), old, 0)) {
        return SafeFileResult::WriteFailed;
    }
    if (newSize > oldSize && !Reserve(fd.Get(), newSize)) {
        const int error = errno;
        // A partial reservation may have grown the file: cut it back to the old length.
        const bool restored = ::ftruncate(fd.Get(), oldSize) == 0;
        errno = error;
        return restored ? WriteError() : SafeFileResult::Damaged;
    }
    const auto putBack = [&](SafeFileResult failure) {
        const bool restored = WriteAllAt(fd.Get(), old, 0) && ::ftruncate(fd.Get(), oldSize) == 0 &&
                              ::fsync(fd.Get()) == 0;
        return restored ? failure : SafeFileResult::Damaged;
    };
    if (!WriteAllAt(fd.Get(), bytes, 0) || ::fsync(fd.Get()) != 0) {
        return putBack(WriteError());
    }
    if (newSize < oldSize && (::ftruncate(fd.Get(), newSize) != 0 || ::fsync(fd.Get()) != 0)) {
        return putBack(WriteError());
    }
    return fd.Close() ? SafeFileResult::Ok : SafeFileResult::WriteFailed;
}

// Creates a new file where the folder allows no temporary one (so no rename can follow).
SafeFileResult CreateInPlace(const std::string& path, std::string_view bytes) {
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!fd.Valid()) {
        return IsDiskFull(errno) ? SafeFileResult::DiskFull : SafeFileResult::CannotCreate;
    }
    if (!WriteAllAt(fd.Get(), bytes, 0) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
        const SafeFileResult failure = WriteError();
        ::unlink(path.c_str());
        return failure;
    }
    return SafeFileResult::Ok;
}

// Gives the temporary file the old file's mode and owner (or the mode a new file gets); false
// when the owner cannot be kept, which only rewriting in place does.
bool TakeOver(int fd, bool exists, const struct stat& old) {
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) {
        return false;
    }
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        return false;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

SafeFileResult WriteFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return SafeFileResult::CannotCreate;
    }
    const std::string target = ResolveLinks(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode)) {
            return SafeFileResult::NotAFile;
        }
        // Read-only means no write permission bit at all; root would otherwise write anyway.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            return SafeFileResult::ReadOnly;
        }
        // A file the user may not write is never replaced by renaming, which the folder's
        // permissions alone would allow.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            return errno == EROFS ? SafeFileResult::ReadOnly : SafeFileResult::NotPermitted;
        }
    }

    const std::string folder = DirectoryOf(target);
    RemoveStaleTemporaries(folder, BaseName(target));
    std::string temp = folder + "/." + BaseName(target) + ".XXXXXX";
    Descriptor fd(::mkstemp(temp.data()));
    if (!fd.Valid()) {
        if (IsDiskFull(errno)) {
            return SafeFileResult::DiskFull;
        }
        if (!FolderForbidsNewFiles(errno)) {
            return SafeFileResult::CannotCreate;
        }
        return exists ? RewriteInPlace(target, bytes) : CreateInPlace(target, bytes);
    }
    ::fcntl(fd.Get(), F_SETFD, FD_CLOEXEC);
    const auto discard = [&](SafeFileResult result) {
        fd.Close();
        ::unlink(temp.c_str());
        return result;
    };
    if (!WriteAllAt(fd.Get(), bytes, 0) || ::fsync(fd.Get()) != 0) {
        return discard(WriteError());
    }
    if (!TakeOver(fd.Get(), exists, old)) {
        // Another owner's file that the user may write: keep its owner by writing in place.
        discard(SafeFileResult::Ok);
        return RewriteInPlace(target, bytes);
    }
    if (!fd.Close()) {
        return discard(WriteError());
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        // A sticky folder lets only the owner replace a file; the user may still write it.
        if (exists && (error == EPERM || error == EACCES)) {
            return RewriteInPlace(target, bytes);
        }
        return SafeFileResult::WriteFailed;
    }
    const Descriptor dirFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.Valid()) {
        ::fsync(dirFd.Get());
    }
    return SafeFileResult::Ok;
}

} // namespace

SafeFileResult SafeFile::Write(const std::string& path, std::string_view bytes) {
    try {
        return WriteFile(path, bytes);
    } catch (const std::bad_alloc&) {
        return SafeFileResult::WriteFailed; // before anything was replaced
    }
}

SafeReadResult SafeFile::ReadUpTo(const std::string& path, std::string& bytes, std::size_t limit,
                                  std::uint64_t* length) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.Valid()) {
        return SafeReadResult::CannotOpen;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return SafeReadResult::NotAFile;
    }
    try {
        std::string data;
        std::vector<char> chunk(65536);
        while (data.size() < limit) {
            const std::size_t want = std::min(chunk.size(), limit - data.size());
            const ssize_t n = ::read(fd.Get(), chunk.data(), want);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return SafeReadResult::ReadFailed;
            }
            if (n == 0) {
                break;
            }
            data.append(chunk.data(), static_cast<std::size_t>(n));
        }
        if (length != nullptr) {
            // Files of /proc tell no length: what was read is then the best measure.
            *length = std::max<std::uint64_t>(static_cast<std::uint64_t>(st.st_size), data.size());
        }
        bytes = std::move(data);
    } catch (const std::bad_alloc&) {
        return SafeReadResult::OutOfMemory;
    }
    return SafeReadResult::Ok;
}

SafeReadResult SafeFile::ReadWhole(const std::string& path, std::string& bytes,
                                   std::size_t maxBytes) {
    std::string data;
    std::uint64_t length = 0;
    // One byte past the limit tells a file that is too long from one that just fits.
    const SafeReadResult result = ReadUpTo(path, data, maxBytes + 1, &length);
    if (result != SafeReadResult::Ok) {
        return result;
    }
    if (length > maxBytes || data.size() > maxBytes) {
        return SafeReadResult::TooLarge;
    }
    bytes = std::move(data);
    return SafeReadResult::Ok;
}

std::u16string SafeFile::Describe(SafeFileResult result, const TextCatalog& texts) {
    switch (result) {
    case SafeFileResult::Ok:
        return {};
    case SafeFileResult::ReadOnly:
        return texts.Text(TextId::WriteReadOnly);
    case SafeFileResult::CannotCreate:
        return texts.Text(TextId::WriteCannotCreate);
    case SafeFileResult::WriteFailed:
        return texts.Text(TextId::WriteFailed);
    case SafeFileResult::NotAFile:
        return texts.Text(TextId::WriteNotAFile);
    case SafeFileResult::DiskFull:
        return texts.Text(TextId::WriteDiskFull);
    case SafeFileResult::NotPermitted:
        return texts.Text(TextId::WriteNotPermitted);
    case SafeFileResult::Damaged:
        return texts.Text(TextId::WriteDamaged);
    }
    return texts.Text(TextId::WriteFailed);
}

std::u16string SafeFile::Describe(SafeReadResult result, const TextCatalog& texts) {
    switch (result) {
    case SafeReadResult::Ok:
        return {};
    case SafeReadResult::CannotOpen:
        return texts.Text(TextId::ReadCannotOpen);
    case SafeReadResult::NotAFile:
        return texts.Text(TextId::ReadNotAFile);
    case SafeReadResult::TooLarge:
        return texts.Text(TextId::ReadTooLarge);
    case SafeReadResult::ReadFailed:
        return texts.Text(TextId::ReadFailed);
    case SafeReadResult::OutOfMemory:
        return texts.Text(TextId::ReadOutOfMemory);
    }
    return texts.Text(TextId::ReadFailed);
}

std::u16string SafeFile::DescribeFailure(SafeFileResult result, const TextCatalog& texts) {
    const std::u16string reason = Describe(result, texts);
    if (result == SafeFileResult::Ok || !OldFileIntact(result)) {
        return reason;
    }
    return texts.Format(TextId::WriteOldFileIntact, {reason});
}
