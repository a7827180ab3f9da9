#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "engine_error.h"
#include "failure_text.h"

namespace brenta {
namespace {

std::int64_t millisecondsNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

OutputFile::~OutputFile() {
    if (file_) std::fclose(file_);
}

void OutputFile::fail(const char* what) const {
    throw EngineError(kExitOutputError, std::string("no se puede ") + what +
                                            " el fichero de resultados " + path_ + ": " +
                                            farvik::systemErrorReason(errno));
}

namespace {

// A run replaces the results of the one before. A plain file of ours is removed and made
// anew with the same permissions: emptied in place, the file system would write its new
// blocks out when it is closed, to keep the old ones from being lost. A link is written
// through, so the results land where it points; a file without write permission or with
// other names is rewritten in place as before, so what protects or shares it still holds
// (and a file that cannot be removed is rewritten in place too). Returns the permissions to
// give the new file, or -1 when it is rewritten in place.
int removeToReplace(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 ||
        (st.st_mode & S_IWUSR) == 0) {
        return -1;
    }
    return ::unlink(path.c_str()) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

}  // namespace

void OutputFile::create(const std::string& path) {
    path_ = path;
    const int mode = removeToReplace(path);
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) fail("crear");
    fd_ = ::fileno(file_);
    if (mode >= 0) ::fchmod(fd_, static_cast<mode_t>(mode));
    // Our own buffer gathers the writes; the stream's would only copy them again.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    // Left uninitialised: only the pages a file fills are ever touched.
    buffer_.reset(new char[kCapacity]);
    used_ = 0;
    at_ = 0;
    reservedEnd_ = 0;
    lastFlush_ = millisecondsNow();
}

void OutputFile::openAt(const OutputFile& file, std::int64_t offset) {
    fd_ = file.fd_;
    path_ = file.path_;
    if (!buffer_) buffer_.reset(new char[kCapacity]);
    used_ = 0;
    pieces_.clear();
    pieceStart_ = 0;
    sharedBytes_ = 0;
    at_ = offset;
    lastFlush_ = millisecondsNow();
}

void OutputFile::flush() {
    if (!pieces_.empty() || (!file_ && used_ > 0)) {
        writePieces();
    } else if (used_ > 0) {
        const std::size_t written = std::fwrite(buffer_.get(), 1, used_, file_);
        at_ += static_cast<std::int64_t>(written);
        if (written != used_) fail("escribir en");
    }
    used_ = 0;
}

bool OutputFile::regular() const {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
}

void OutputFile::reserve(std::int64_t bytes) {
    const std::int64_t from = size();
    if (bytes > 0 && ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, from, bytes) == 0)
        reservedEnd_ = std::max(reservedEnd_, from + bytes);
}

void OutputFile::resumeAt(std::int64_t end) {
    flush();
    struct stat st {};
    const bool longer = ::fstat(fd_, &st) == 0 && st.st_size > end;
    // Cutting at the same size also gives back the room set aside beyond it.
    if (longer || reservedEnd_ > end) {
        if (::ftruncate(fd_, end) != 0) fail("escribir en");
        reservedEnd_ = end;
    }
    if (::lseek(fd_, end, SEEK_SET) < 0) fail("escribir en");
    at_ = end;
}

void OutputFile::writeShared(const char* data, std::size_t n) {
    if (n < kShortestShared) {
        write(std::string_view(data, n));
        return;
    }
    if (used_ > pieceStart_) pieces_.push_back({buffer_.get() + pieceStart_, used_ - pieceStart_});
    pieceStart_ = used_;
    pieces_.push_back({const_cast<char*>(data), n});
    sharedBytes_ += n;
    // About as much per write as the buffer holds, and never more pieces than one takes.
    if (sharedBytes_ >= kCapacity || pieces_.size() >= kMostPieces) flush();
}

// The stream is unbuffered, so writing to its descriptor keeps the file's order. A file
// opened with openAt() writes at its own offset and leaves the descriptor's alone.
void OutputFile::writePieces() {
    if (used_ > pieceStart_) pieces_.push_back({buffer_.get() + pieceStart_, used_ - pieceStart_});
    iovec* piece = pieces_.data();
    std::size_t left = pieces_.size();
    while (left > 0) {
        const int count = static_cast<int>(left);
        const ssize_t written =
            file_ ? ::writev(fd_, piece, count) : ::pwritev(fd_, piece, count, at_);
        if (written < 0) {
            if (errno == EINTR) continue;
            fail("escribir en");
        }
        if (written == 0) fail("escribir en");
        at_ += written;
        // A short write: go on from the first byte not written.
        auto done = static_cast<std::size_t>(written);
        while (left > 0 && done >= piece->iov_len) {
            done -= piece->iov_len;
            ++piece;
            --left;
        }
        if (left > 0) {
            piece->iov_base = static_cast<char*>(piece->iov_base) + done;
            piece->iov_len -= done;
        }
    }
    pieces_.clear();
    pieceStart_ = 0;
    sharedBytes_ = 0;
}

void OutputFile::flushWhenOlderThan(int ms) {
    const std::int64_t now = millisecondsNow();
    if (now - lastFlush_ < ms) return;
    flush();
    lastFlush_ = now;
}

void OutputFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == kCapacity) flush();
        const std::size_t n = std::min(bytes.size(), kCapacity - used_);
        std::memcpy(buffer_.get() + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void OutputFile::close() {
    if (!file_) {
        if (fd_ >= 0) flush();
        fd_ = -1;
        return;
    }
    flush();
    fd_ = -1;
    std::FILE* f = file_;
    file_ = nullptr;
    const bool bad = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || bad) fail("cerrar");
}

}  // namespace brenta
