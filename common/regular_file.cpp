#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "failure_text.h"

namespace farvik {
namespace {

std::string kindReason(mode_t mode) {
    if (S_ISDIR(mode)) return systemErrorReason(EISDIR);
    if (S_ISFIFO(mode)) return "es una tubería (FIFO), no un fichero";
    if (S_ISSOCK(mode)) return "es un socket, no un fichero";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "es un dispositivo, no un fichero";
    return "no es un fichero normal";
}

}  // namespace

OpenedFile openRegularFile(const std::string& path) {
    OpenedFile opened;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        // A socket cannot be opened at all: say what it is rather than the system's code.
        struct stat st {};
        opened.reason = ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)
                            ? kindReason(st.st_mode)
                            : systemErrorReason(error);
        return opened;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        opened.reason = systemErrorReason(errno);
        ::close(fd);
        return opened;
    }
    if (!S_ISREG(st.st_mode)) {
        opened.reason = kindReason(st.st_mode);
        ::close(fd);
        return opened;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    opened.fd = fd;
    return opened;
}

DescriptorReadBuffer::~DescriptorReadBuffer() {
    if (fd_ >= 0) ::close(fd_);
}

DescriptorReadBuffer::int_type DescriptorReadBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (fd_ < 0 || failed_) return traits_type::eof();
    ssize_t got;
    do {
        got = ::read(fd_, buffer_, sizeof buffer_);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        failed_ = got < 0;
        return traits_type::eof();
    }
    setg(buffer_, buffer_, buffer_ + got);
    return traits_type::to_int_type(*gptr());
}

}  // namespace farvik
