#pragma once

#include "base/SafeFile.h"
#include "base/TextCatalog.h"

#include <cstddef>
#include <string>

// The largest configuration or language file that is read: far beyond any real one, small enough
// that a wrong file cannot exhaust the memory.
constexpr std::size_t kIniFileMaxBytes = 4u << 20;

enum class IniFileStatus {
    Ok,
    CannotRead,   // reading: see read (missing, not a file, too large, an I/O error, memory)
    OutOfMemory,  // the text did not fit into memory; nothing changed
    LineBreak,    // writing: a section name, key or value holds CR or LF; nothing written
    NotEncodable, // writing: ... a character code page 936 cannot hold; nothing written
    BadKey,       // writing: a key that would not read back as itself; nothing written
    CannotWrite,  // writing: see write
    NoFile,       // writing: no file was loaded, so there is none to write
    KeptUnread,   // writing: the file exists but could not be read, so it is not written over
};

// What reading or writing an INI file came to. The flaws a document can hold name their section
// and key (an empty key for a section name).
struct IniFileResult {
    IniFileResult() = default;
    explicit IniFileResult(IniFileStatus s) : status(s) {}

    IniFileStatus status = IniFileStatus::Ok;
    SafeReadResult read = SafeReadResult::Ok;  // for CannotRead
    SafeFileResult write = SafeFileResult::Ok; // for CannotWrite
    std::u16string section;                    // for the flaws of a document
    std::u16string key;

    bool Ok() const { return status == IniFileStatus::Ok; }
    explicit operator bool() const { return Ok(); }
    // Whether a file that could not be written still holds its old content.
    bool OldFileIntact() const;
    // A clear reason, e.g. "the value of LogPath in [System] holds a line break, ..." (built-in
    // English unless texts says otherwise).
    std::u16string Describe(const TextCatalog& texts = {}) const;
};
