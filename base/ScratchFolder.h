#pragma once

#include <string>

// A private folder for the files of one piece of work (a parameter file read back from a device,
// the copies sent to a line of devices), made under the system's temporary folder ($TMPDIR, else
// /tmp) with a unique name and mode 0700, and removed with everything in it when the object
// goes. Paths are the system's narrow paths (UTF-8).
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Whether the folder could be made; every path below is empty when not.
    bool Ok() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};
