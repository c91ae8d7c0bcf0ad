#include "settings/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

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

} // namespace

bool SafeFile::WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

SafeFileResult SafeFile::WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return SafeFileResult::CannotCreate;
    }
    const bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return ok && closed ? SafeFileResult::Ok : SafeFileResult::WriteFailed;
}

SafeFileResult SafeFile::Write(const std::string& path, std::string_view bytes) {
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
    }

    std::string temp = DirectoryOf(target) + "/." + BaseName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        // The folder does not take a new file: rewrite the old one in place.
        return WriteInPlace(target, bytes);
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (ok) {
        if (exists) {
            ok = ::fchmod(fd, old.st_mode & 07777) == 0;
            // Keep the owner when we may (root editing a user's file); failure is harmless.
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
                errno = 0;
            }
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ok = ::fchmod(fd, 0666 & ~mask) == 0;
        }
    }
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return SafeFileResult::WriteFailed;
    }
    const int dirFd = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return SafeFileResult::Ok;
}

bool SafeFile::Read(const std::string& path, std::string& bytes, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string data;
    std::vector<char> chunk(65536);
    while (data.size() < limit) {
        const std::size_t want = std::min(chunk.size(), limit - data.size());
        const ssize_t n = ::read(fd, chunk.data(), want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return false;
        }
        if (n == 0) {
            break;
        }
        data.append(chunk.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    bytes = std::move(data);
    return true;
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
    }
    return texts.Text(TextId::WriteFailed);
}
