#include "folder_hold.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace farvik {

FolderHold::FolderHold(const QString& folder) {
    // Close-on-exec: an engine started later must not inherit the hold.
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    int result;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return;
    heldElsewhere_ = errno == EWOULDBLOCK;
    release();
}

FolderHold::~FolderHold() {
    release();
}

void FolderHold::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace farvik
