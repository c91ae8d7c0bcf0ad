#pragma once

#include "base/TextCatalog.h"

#include <cstdint>
#include <string>
#include <string_view>

// Writes a whole file so that a crash or a full disk never leaves it truncated: the bytes go to a
// temporary file in the same folder, are flushed to disk and then renamed over the old file. The
// old file's permissions and owner are kept, a symbolic link is written through to the file it
// names, and where the folder does not allow a new file (or the owner cannot be kept) the file is
// rewritten in place instead, in a way that never cuts the old content short: space for a longer
// content is reserved first, and the old bytes are put back when writing fails part-way.
enum class SafeFileResult {
    Ok,
    ReadOnly,     // the existing file is marked read-only (no write permission bit)
    CannotCreate, // neither a temporary file nor the file itself could be opened
    WriteFailed,  // writing or flushing failed (an I/O error); the old file is intact
    NotAFile,     // the path names a directory or another non-regular file
    DiskFull,     // no space or no inode left, or the quota is used up; the old file is intact
    NotPermitted, // the user may not write the existing file (its owner or mode forbids it)
    Damaged,      // rewriting in place failed and the old content could not be put back
};

// Why a file could not be read.
enum class SafeReadResult {
    Ok,
    CannotOpen,  // missing or unreadable
    NotAFile,    // a folder, a device, a pipe
    TooLarge,    // longer than the reader's limit: nothing was read
    ReadFailed,  // an I/O error
    OutOfMemory, // the bytes did not fit into memory
};

class SafeFile {
public:
    // The name a temporary file of Write has in the folder of target (".<name>.XXXXXX"); Write
    // removes such files of its own target that a killed save left behind (regular files of the
    // user, older than a minute) before it makes a new one.
    static constexpr int kStaleTemporarySeconds = 60;

    // path is UTF-8 (the system's narrow encoding).
    static SafeFileResult Write(const std::string& path, std::string_view bytes);

    // Reads a regular file, at most limit bytes of it. length, when given, receives the file's
    // length (it may exceed limit). Devices, pipes and folders are refused, so a wrong path can
    // neither block nor fill the memory. bytes is left alone unless the result is Ok.
    static SafeReadResult ReadUpTo(const std::string& path, std::string& bytes, std::size_t limit,
                                   std::uint64_t* length = nullptr);
    // Reads a whole regular file, refusing one longer than maxBytes (TooLarge).
    static SafeReadResult ReadWhole(const std::string& path, std::string& bytes,
                                    std::size_t maxBytes);
    // ReadUpTo as a yes or no.
    static bool Read(const std::string& path, std::string& bytes,
                     std::size_t limit = static_cast<std::size_t>(-1)) {
        return ReadUpTo(path, bytes, limit) == SafeReadResult::Ok;
    }

    // Whether a file that failed to be written still holds its old content.
    static bool OldFileIntact(SafeFileResult result) { return result != SafeFileResult::Damaged; }
    // A short reason for a result, for messages (built-in English unless texts says otherwise).
    static std::u16string Describe(SafeFileResult result, const TextCatalog& texts = {});
    static std::u16string Describe(SafeReadResult result, const TextCatalog& texts = {});
    // Describe, followed by "; the old file is intact" where that holds.
    static std::u16string DescribeFailure(SafeFileResult result, const TextCatalog& texts = {});
};
