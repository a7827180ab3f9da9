#pragma once

#include <linux/capability.h>
#include <linux/securebits.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>

// While it lives, a folder into which neither the calling thread nor the programs it starts
// can write: its write permissions are taken away. Root writes anyway, so when the tests run
// as root the thread also gives up the capability that overrides permissions, and the
// programs it starts do not get it back. Build and drop it on the same thread.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(std::string path) : path_(std::move(path)) {
        struct stat st {};
        valid_ = ::stat(path_.c_str(), &st) == 0;
        mode_ = st.st_mode & 07777;
        valid_ = valid_ && ::chmod(path_.c_str(), mode_ & ~mode_t(0222)) == 0;
        if (valid_ && ::geteuid() == 0) valid_ = dropOverride();
    }
    ~ReadOnlyFolder() {
        if (dropped_) {
            ::prctl(PR_SET_SECUREBITS, securebits_, 0, 0, 0);
            capset(caps_);
        }
        ::chmod(path_.c_str(), mode_);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False when the folder could not be made read-only.
    bool valid() const { return valid_; }

  private:
    using Caps = __user_cap_data_struct[_LINUX_CAPABILITY_U32S_3];

    static bool capget(Caps& caps) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capget, &header, caps) == 0;
    }
    static bool capset(const Caps& caps) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capset, &header, caps) == 0;
    }

    bool dropOverride() {
        const int bits = ::prctl(PR_GET_SECUREBITS, 0, 0, 0, 0);
        if (bits < 0 || !capget(caps_)) return false;
        securebits_ = bits;
        // Programs started from here run as root without root's capabilities.
        if (::prctl(PR_SET_SECUREBITS, bits | SECBIT_NOROOT, 0, 0, 0) != 0) return false;
        Caps fewer;
        for (int i = 0; i < _LINUX_CAPABILITY_U32S_3; ++i) fewer[i] = caps_[i];
        fewer[CAP_TO_INDEX(CAP_DAC_OVERRIDE)].effective &= ~CAP_TO_MASK(CAP_DAC_OVERRIDE);
        dropped_ = true;
        return capset(fewer);
    }

    std::string path_;
    mode_t mode_ = 0;
    bool valid_ = false;
    bool dropped_ = false;
    int securebits_ = 0;
    Caps caps_{};
};
