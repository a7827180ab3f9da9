#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace brenta {

// A result file written through a large buffer. Every failure to create, write or close
// it throws EngineError(kExitOutputError) naming the file.
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
    void drain(std::string& buffer) {
        write(buffer);
        buffer.clear();
    }
    void close();
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

  private:
    [[noreturn]] void fail(const char* what) const;

    std::FILE* file_ = nullptr;
    std::string path_;
};

}  // namespace brenta
