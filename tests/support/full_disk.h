#pragma once

#include <sys/resource.h>

#include <csignal>

// While it lives, no file of this process, nor of the programs it starts, can grow beyond a
// few bytes (or `bytes`): every write of a data or result file fails half way, as on a full
// disk. The signal that would end the process is ignored, so the write itself reports the
// failure.
class FullDisk {
  public:
    static constexpr rlim_t kBytes = 100;

    explicit FullDisk(rlim_t bytes = kBytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit small = previous_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

  private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};
