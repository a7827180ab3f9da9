#pragma once

#include <streambuf>
#include <string>

// Opening a file to read it as data, without ever waiting on it: a named pipe opened the
// ordinary way blocks until something writes into it, and a device may never end.
namespace farvik {

// A file opened for reading; `fd` is -1 when it could not be opened, and `reason` then says
// why in Spanish ("no existe", "es una carpeta", "es una tubería (FIFO), no un fichero"...).
struct OpenedFile {
    int fd = -1;
    std::string reason;
};

// Opens `path` read-only without blocking, checks that it is a regular file (a link is
// followed) and only then makes its descriptor blocking for reading. Anything else (a folder,
// a FIFO, a device, a socket) is closed again at once and refused with its reason. The
// descriptor is not inherited by programs started later.
OpenedFile openRegularFile(const std::string& path);

// Reads a descriptor through an istream, and closes it with the buffer.
class DescriptorReadBuffer : public std::streambuf {
  public:
    explicit DescriptorReadBuffer(int fd) : fd_(fd) {}
    ~DescriptorReadBuffer() override;
    DescriptorReadBuffer(const DescriptorReadBuffer&) = delete;
    DescriptorReadBuffer& operator=(const DescriptorReadBuffer&) = delete;

    // Whether a read failed (as opposed to the file ending).
    bool failed() const { return failed_; }

  protected:
    int_type underflow() override;

  private:
    int fd_;
    bool failed_ = false;
    char buffer_[1 << 16];
};

}  // namespace farvik
