#include "tests/support/TinyDisk.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

TinyDisk::TinyDisk(const std::string& options) : dir_("sonvex-disk"), path_(dir_.File("disk")) {
    // Other users (OtherUser) must reach the disk's folder.
    if (::chmod(dir_.Path().c_str(), 0755) != 0 || ::mkdir(path_.c_str(), 0755) != 0) {
        return;
    }
    mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

TinyDisk::~TinyDisk() {
    if (mounted_) {
        ::umount2(path_.c_str(), MNT_DETACH);
    }
}

void TinyDisk::Fill() const {
    const int fd = ::open(File("filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const std::string block(512, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        while (::write(fd, "f", 1) > 0) {
        }
        ::close(fd);
    }
    for (int i = 0;; ++i) {
        const int empty = ::open(File("entry" + std::to_string(i)).c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (empty < 0) {
            return;
        }
        ::close(empty);
    }
}
