#pragma once

#include <sys/uio.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brenta {

// A result file written through a buffer of its own. Every failure to create, write or
// close it throws EngineError(kExitOutputError) naming the file.
//
// Parts of a file whose place is known before they are written may go through other
// OutputFiles opened on it with openAt(), one a thread: each writes its part at its offset
// (pwritev), beside the others.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, replacing one of the same name.
    void create(const std::string& path);
    // Writes into `file` from `offset` on, through `file`'s descriptor and a buffer of its
    // own; it stays open while `file` is. Nothing else is done to `file`: see resumeAt().
    // Opening again starts elsewhere; what was held and not written (after a failed
    // write) is dropped.
    void openAt(const OutputFile& file, std::int64_t offset);
    void write(std::string_view bytes);
    // Writes what the string holds and empties it (the string keeps its capacity).
    void drain(std::string& text) {
        write(text);
        text.clear();
    }
    // Room for `n` bytes (n below 1 MiB) at the end of the buffer; commit() with the end of
    // what was written there.
    char* room(std::size_t n) {
        if (used_ + n > kCapacity) flush();
        return buffer_.get() + used_;
    }
    void commit(const char* end) { used_ = end - buffer_.get(); }
    // Bytes that stay where they are, unchanged, until the next flush() or close(): long
    // runs are written from there by one gathering write instead of being copied into the
    // buffer first; short ones are copied.
    void writeShared(const char* data, std::size_t n);
    // Whether bytes passed to writeShared() are still to be written.
    bool holdsShared() const { return !pieces_.empty(); }
    // Writes out what the buffer holds, so that the file can be read back up to here.
    void flush();
    // Writes out what the buffer holds when the last write to the file is `ms` milliseconds
    // old or more: a file read while it grows (the listing, whose size tells how far a run
    // is) then lags behind by about that long at most. Reads the clock: call it sparingly.
    void flushWhenOlderThan(int ms);
    void close();
    const std::string& path() const { return path_; }

    // Where the next byte goes: what has been written out and what is held.
    std::int64_t size() const { return at_ + static_cast<std::int64_t>(used_ + sharedBytes_); }
    // Whether the file is a plain file (and not, through a link, a pipe or a device), where
    // writing at an offset means a place in the file.
    bool regular() const;
    // Where the next byte written out lands: bytes held are not counted.
    std::int64_t writtenEnd() const { return at_; }
    // Asks the file system to set aside room for `bytes` more bytes after size(), without
    // growing the file: writes into room set aside cost it less than growing into new room.
    // A disk without room, or a file system that cannot, leaves the writes to find out as
    // they would have.
    void reserve(std::int64_t bytes);
    // After writes through openAt(): the file holds its bytes up to `end`, and goes on from
    // there. Anything beyond `end`, and the room reserve() set aside beyond it, is cut off,
    // so that a part cut short leaves the file ending where its gap would begin.
    void resumeAt(std::int64_t end);

  private:
    static constexpr std::size_t kCapacity = 1 << 20;
    static constexpr std::size_t kShortestShared = 512;
    static constexpr std::size_t kMostPieces = 1000;  // below the system's limit of 1024

    void writePieces();

    [[noreturn]] void fail(const char* what) const;

    std::FILE* file_ = nullptr;  // null for a file opened with openAt()
    int fd_ = -1;
    std::string path_;
    std::int64_t at_ = 0;           // the file offset of the next byte written out
    std::int64_t reservedEnd_ = 0;  // where the room reserve() set aside ends
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    // What a flush writes when shared bytes are held: pieces of the buffer and of the
    // callers' memory in file order; the buffer's bytes from pieceStart_ on follow them.
    std::vector<iovec> pieces_;
    std::size_t pieceStart_ = 0;
    std::size_t sharedBytes_ = 0;
    std::int64_t lastFlush_ = 0;  // steady clock, milliseconds
};

}  // namespace brenta
