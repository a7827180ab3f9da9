#pragma once

#include <string>

namespace brenta {

// Holds a run's folder for as long as it lives: an advisory lock on the folder itself, so
// that nothing is added to the folder's files, and the system drops it when the process
// ends, however it ends (also on kill -9). Every run takes it, by hand or from farvik, so
// two runs never write the same result files.
class FolderLock {
  public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when another process (or another lock of this one) holds the folder. A folder
    // whose file system takes no locks is not held, and not refused either.
    bool heldElsewhere() const { return heldElsewhere_; }

  private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};

}  // namespace brenta
