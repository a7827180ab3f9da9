#pragma once

#include <QString>

namespace farvik {

// Holds a folder the way a run of brenta holds it for its whole life (an advisory lock on
// the folder itself, dropped when the holder ends however it ends): while farvik holds it,
// no run can start there. farvik holds it only for short moments of its own (setting the
// earlier results aside, reading what a run left), never while its engine runs, since the
// engine takes the same lock.
class FolderHold {
  public:
    explicit FolderHold(const QString& folder);
    ~FolderHold();
    FolderHold(const FolderHold&) = delete;
    FolderHold& operator=(const FolderHold&) = delete;

    // Another run (or another holder) has the folder. A folder that cannot be opened, or
    // whose file system takes no locks, is not held by anyone.
    bool heldElsewhere() const { return heldElsewhere_; }
    // Lets the folder go before the holder's end, for the engine to take it.
    void release();

  private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};

}  // namespace farvik
