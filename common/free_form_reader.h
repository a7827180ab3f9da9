#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "engine_error.h"

namespace brenta {

// A refusal of the data file: the engine's message, and apart the line it names (0 when the
// file ends before the value) and the words that follow the file and the line, so that a
// reader other than the engine can say the same thing.
class DataFileError : public EngineError {
  public:
    DataFileError(ExitStatus status, const std::string& message, int line, std::string detail)
        : EngineError(status, message), line_(line), detail_(std::move(detail)) {}
    int line() const { return line_; }
    const std::string& detail() const { return detail_; }

  private:
    int line_;
    std::string detail_;
};

// Reads values the free-form way of the data file and the console: every read starts on a
// new line; empty lines (only blanks or tabs) are skipped; a value is the first word of the
// line, ending at a blank, a tab, a comma or a slash, and the rest of the line is dropped.
// Lines end with LF or CR LF; the last one may have no line end.
class FreeFormReader {
  public:
    enum class Source { DataFile, Console };

    // `name` names the source in error messages (the data file's path).
    FreeFormReader(std::istream& in, Source source, std::string name);

    // A label line: the next line holding a non-blank character; its content is ignored.
    void skipLabel(std::string_view what);
    // The next line, whatever it holds (also an empty one).
    void skipLine(std::string_view what);
    // A 32-bit signed integer: optional sign and digits only.
    std::int32_t readInteger(std::string_view what);
    // A real: 2.5, .5, 1500, 1E-05, 1.5D3 or 1.5+003 (exponent without its letter).
    double readReal(std::string_view what);
    // A word, or a text in quotes (a doubled quote inside stands for one quote).
    std::string readWord(std::string_view what);

    // Number of the line read last (1 for the first line).
    int lineNumber() const { return lineNumber_; }

  private:
    bool nextLine();  // false at the end of input
    void nextValueLine(std::string_view what);
    std::string_view firstValue() const;  // the first value on the current line
    [[noreturn]] void fail(ExitStatus dataStatus, const std::string& detail) const;

    std::istream& in_;
    Source source_;
    std::string name_;
    std::string line_;
    int lineNumber_ = 0;
};

// Parsers of one value's text, exposed for the listing file and for tests.
// They return false when the text is not wholly a value of that kind (or out of range).
bool parseInteger(std::string_view text, std::int32_t& value);
bool parseReal(std::string_view text, double& value);

}  // namespace brenta
