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
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, replacing one of the same name.
    void create(const std::string& path);
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

  private:
    static constexpr std::size_t kCapacity = 1 << 20;
    static constexpr std::size_t kShortestShared = 512;
    static constexpr std::size_t kMostPieces = 1000;  // below the system's limit of 1024

    void writePieces();

    [[noreturn]] void fail(const char* what) const;

    std::FILE* file_ = nullptr;
    std::string path_;
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
