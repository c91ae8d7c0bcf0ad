#pragma once

#include <string>

// A temporary directory for one test, removed with everything in it when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "sonvex-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory, without a trailing separator.
    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // The directory with a trailing separator, as UTF-16 (a program directory).
    std::u16string Directory16() const;

    static void WriteBytes(const std::string& path, const std::string& bytes);
    static std::string ReadBytes(const std::string& path);

private:
    std::string path_;
};
