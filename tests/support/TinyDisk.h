#pragma once

#include "tests/support/TempDir.h"

#include <string>

// A small tmpfs mounted for one test (root only), to run writes into a full disk. Mounted() is
// false where mounting is not allowed; the test then skips.
class TinyDisk {
public:
    // options as for mount -o, e.g. "size=16k,nr_inodes=8".
    explicit TinyDisk(const std::string& options);
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Fills the free space with one file, and then the free file entries with empty files.
    void Fill() const;

private:
    TempDir dir_;
    std::string path_;
    bool mounted_ = false;
};
