#pragma once

#include "settings/TextCatalog.h"

#include <string>
#include <string_view>

// Writes a whole file so that a crash or a full disk never leaves it truncated: the bytes go to a
// temporary file in the same folder, are flushed to disk and then renamed over the old file. The
// old file's permissions are kept, a symbolic link is written through to the file it names, and
// where the folder does not allow a new file the file is rewritten in place instead.
enum class SafeFileResult {
    Ok,
    ReadOnly,     // the existing file is marked read-only (no write permission bit)
    CannotCreate, // neither a temporary file nor the file itself could be opened
    WriteFailed,  // writing or flushing failed (disk full, I/O error); the old file is intact
    NotAFile,     // the path names a directory or another non-regular file
};

class SafeFile {
public:
    // path is UTF-8 (the system's narrow encoding).
    static SafeFileResult Write(const std::string& path, std::string_view bytes);
    // Reads a regular file, at most limit bytes of it; false when it cannot be opened or read.
    // Devices, pipes and folders are refused, so a wrong path can neither block nor fill the
    // memory.
    static bool Read(const std::string& path, std::string& bytes,
                     std::size_t limit = static_cast<std::size_t>(-1));
    // A short reason for a result, for messages (built-in English unless texts says otherwise).
    static std::u16string Describe(SafeFileResult result, const TextCatalog& texts = {});

private:
    static SafeFileResult WriteInPlace(const std::string& path, std::string_view bytes);
    static bool WriteAll(int fd, std::string_view bytes);
};
