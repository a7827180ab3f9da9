#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

// While it lives, a small disk of its own (a tmpfs) mounted on an empty folder. Mounting
// needs root: valid() tells whether the disk is there.
class SmallDisk {
  public:
    SmallDisk(std::string folder, int kib) : folder_(std::move(folder)) {
        const std::string options = "size=" + std::to_string(kib) + "k";
        mounted_ = ::mount("farvik-test", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                           options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool valid() const { return mounted_; }

    // Fills the disk with a file of the given name until no block is left, then gives back
    // `room` bytes of it. False when the disk never filled.
    bool fillLeaving(const std::string& name, long room) const {
        const std::string path = folder_ + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return false;
        std::setvbuf(f, nullptr, _IONBF, 0);
        const std::vector<char> block(4096, 'x');
        long written = 0;
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size())
            written += static_cast<long>(block.size());
        std::fclose(f);
        return written >= room && ::truncate(path.c_str(), written - room) == 0;
    }

  private:
    std::string folder_;
    bool mounted_ = false;
};
