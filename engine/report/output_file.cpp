#include "output_file.h"

#include <cerrno>
#include <cstring>

#include "engine_error.h"

namespace brenta {

OutputFile::~OutputFile() {
    if (file_) std::fclose(file_);
}

void OutputFile::fail(const char* what) const {
    throw EngineError(kExitOutputError, std::string("no se puede ") + what +
                                            " el fichero de resultados " + path_ + ": " +
                                            std::strerror(errno));
}

void OutputFile::create(const std::string& path) {
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) fail("crear");
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
}

void OutputFile::write(std::string_view bytes) {
    if (bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail("escribir en");
}

void OutputFile::close() {
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    const bool bad = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || bad) fail("cerrar");
}

}  // namespace brenta
