#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brenta {

// Where records go: a result file (code page 1252, CR LF) or the console (UTF-8, LF).
enum class RecordTarget { File, Console };

// Lays out free-form output records. One statement is one or more records: each record
// begins with one blank and holds at most 80 columns; texts go as stored, integers take
// 12 columns and doubles 24. An item that does not fit in what is left of the record
// starts a new one; a text longer than a whole record is split over several.
// Usage: w.text("mejora").real(x).end();   w.end() alone writes an empty line.
class RecordWriter {
  public:
    static constexpr int kMaxColumns = 80;

    RecordWriter(std::string& out, RecordTarget target) : out_(out), target_(target) {}

    RecordWriter& text(std::string_view utf8);
    RecordWriter& integer(std::int32_t v);
    RecordWriter& real(double v);
    // Ends the statement (an empty statement writes a zero-length line).
    void end();

    // A one-text statement.
    void line(std::string_view utf8) { text(utf8).end(); }

  private:
    void startItem(int width);
    void newRecord();

    std::string& out_;
    RecordTarget target_;
    std::string record_;
    int columns_ = 0;  // 0: no record begun in this statement
};

// Characters of a UTF-8 text (each counts one column).
int columnsOf(std::string_view utf8);

}  // namespace brenta
