#include "record_writer.h"

#include "cp1252.h"
#include "number_format.h"

namespace brenta {

int columnsOf(std::string_view utf8) {
    int n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

void RecordWriter::newRecord() {
    if (columns_ > 0) {
        out_ += record_;
        out_ += target_ == RecordTarget::File ? "\r\n" : "\n";
    }
    record_.assign(1, ' ');
    columns_ = 1;
}

void RecordWriter::startItem(int width) {
    if (columns_ == 0 || (columns_ > 1 && columns_ + width > kMaxColumns)) newRecord();
    columns_ += width;
}

RecordWriter& RecordWriter::text(std::string_view utf8) {
    std::string chars =
        target_ == RecordTarget::File ? farvik::utf8ToCp1252(utf8) : std::string(utf8);
    int width = target_ == RecordTarget::File ? static_cast<int>(chars.size()) : columnsOf(chars);
    if (columns_ == 0 || (columns_ > 1 && columns_ + width > kMaxColumns)) newRecord();
    // Split what does not fit in a whole record, character by character.
    std::size_t pos = 0;
    while (columns_ + width > kMaxColumns) {
        int room = kMaxColumns - columns_;
        std::size_t cut = pos;
        while (room > 0) {
            ++cut;
            while (target_ == RecordTarget::Console && cut < chars.size() &&
                   (static_cast<unsigned char>(chars[cut]) & 0xC0) == 0x80) {
                ++cut;
            }
            --room;
            --width;
        }
        record_.append(chars, pos, cut - pos);
        columns_ = kMaxColumns;
        pos = cut;
        newRecord();
    }
    record_.append(chars, pos, std::string::npos);
    columns_ += width;
    return *this;
}

RecordWriter& RecordWriter::integer(std::int32_t v) {
    startItem(kFreeFormIntegerWidth);
    appendFreeFormInteger(record_, v);
    return *this;
}

RecordWriter& RecordWriter::real(double v) {
    startItem(kFreeFormRealWidth);
    appendFreeFormReal(record_, v);
    return *this;
}

void RecordWriter::end() {
    if (columns_ > 0) out_ += record_;
    out_ += target_ == RecordTarget::File ? "\r\n" : "\n";
    record_.clear();
    columns_ = 0;
}

}  // namespace brenta
