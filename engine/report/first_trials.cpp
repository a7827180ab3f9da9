#include "first_trials.h"

#include <algorithm>
#include <cstring>

#include "number_format.h"
#include "record_writer.h"

namespace brenta {
namespace {

constexpr int kValuesPerLine = 100;

// Values of one logical line; every 100 values the line is continued on the next, without
// the line's prefix.
class ValueLine {
  public:
    explicit ValueLine(std::string& out) : out_(out) {}
    std::string& next() {
        if (count_ == kValuesPerLine) {
            out_ += "\r\n";
            count_ = 0;
        }
        ++count_;
        return out_;
    }
    void end() { out_ += "\r\n"; }

  private:
    std::string& out_;
    int count_ = 0;
};

void appendRightJustified(std::string& out, std::string_view text, int width) {
    if (static_cast<int>(text.size()) < width) out.append(width - text.size(), ' ');
    out += text;
}

void appendLabels(std::string& out, const SystemData& s) {
    ValueLine line(out);
    const char* rowLabel = s.kclase == farvik::kGeneralClass ? "  fallosub  " : "   fallosub ";
    for (int i = 1; i <= s.rowCount(); ++i) {
        for (int j = 1; j <= s.rowLength(i); ++j)
            appendRightJustified(line.next(), "  elem.     ", 17);
        appendRightJustified(line.next(), rowLabel, 17);
    }
    appendRightJustified(line.next(), "  fallosis", 17);
    line.end();
}

void appendTitle(std::string& out) {
    RecordWriter w(out, RecordTarget::File);
    w.line("TIEMPOS HASTA EL FALLO EN LAS \t20 PRIMERAS PRUEBAS");
    w.line(std::string(51, '-'));
}

void appendClass(std::string& out, const SystemData& s) {
    RecordWriter(out, RecordTarget::File).text("tipo de sistema").integer(s.kclase).end();
}

}  // namespace

void appendFalloHeader(std::string& out, const SystemData& s) {
    appendTitle(out);
    appendClass(out, s);
    appendLabels(out, s);
}

void appendRedunHeader(std::string& out, const SystemData& s) {
    appendTitle(out);
    appendClass(out, s);
    appendRightJustified(out, "      ", 7);
    appendRightJustified(out, "prueb.", 7);
    appendRightJustified(out, s.kclase == farvik::kSeriesOfParallelClass ? "el." : "elem.", 7);
    appendRightJustified(out, "sis.", 7);
    out += "  ";
    appendLabels(out, s);
}

TrialVectorText::TrialVectorText(const SystemData& s) : s_(s), rowStart_(s.rowCount() + 1) {
    std::size_t count = 1;
    for (int i = 1; i <= s.rowCount(); ++i) {
        rowStart_[i] = static_cast<std::uint32_t>(count - 1);
        count += s.rowLength(i) + 1;
    }
    values_.reserve(count);
    offsets_.reserve(count);
    changed_.reserve(count);
    text_.reserve(count * 17 + (count / kValuesPerLine + 1) * 2);
}

template <typename F>
void TrialVectorText::forEachValue(const Table50<double>& t, const double* rowTimes, double system,
                                   F f) const {
    for (int i = 1; i <= s_.rowCount(); ++i) {
        const double* column = t.column(i);
        for (int j = 0; j < s_.rowLength(i); ++j) f(column[j]);
        f(rowTimes[i]);
    }
    f(system);
}

void TrialVectorText::releaseShared() {
    if (sharedWith_ && sharedWith_->holdsShared()) sharedWith_->flush();
    sharedWith_ = nullptr;
}

void TrialVectorText::build(const Table50<double>& t, const double* rowTimes, double system) {
    releaseShared();
    text_.clear();
    values_.clear();
    offsets_.clear();
    forEachValue(t, rowTimes, system, [this](double v) {
        if (!values_.empty() && values_.size() % kValuesPerLine == 0) text_ += "\r\n";
        text_ += "  ";
        offsets_.push_back(static_cast<std::uint32_t>(text_.size()));
        values_.push_back(v);
        appendE15_9(text_, v);
    });
    text_ += "\r\n";
}

bool TrialVectorText::collectVariant(const Table50<double>& work, const double* workRows,
                                     double system) {
    // Times are never negative, so every value takes exactly 15 characters and a changed
    // value fits in the place of the old one.
    changed_.clear();
    bool fits = true;
    std::uint32_t n = 0;
    forEachValue(work, workRows, system, [&](double v) {
        if (v != values_[n]) {
            changed_.push_back({n, v});
            fits = fits && !(v < 0) && !(values_[n] < 0);
        }
        ++n;
    });
    if (!fits) {
        whole_.clear();
        forEachValue(work, workRows, system, [&](double v) { whole_.push_back(v); });
    }
    return fits;
}

void TrialVectorText::writeVariant(OutputFile& out, const Table50<double>& work,
                                   const double* workRows, double system) {
    if (collectVariant(work, workRows, system)) {
        writeWithChanges(out);
    } else {
        writeWhole(out, whole_);
    }
}

std::size_t TrialVectorText::variantLength(const Table50<double>& work, const double* workRows,
                                           double system) {
    return collectVariant(work, workRows, system) ? text_.size() : wholeLength(whole_);
}

void TrialVectorText::writeWithChanges(OutputFile& out) {
    // Most of the text is the trial's own: it goes from where it is, and only the changed
    // values, each the 15 characters of a value that is not negative, are edited.
    std::sort(changed_.begin(), changed_.end(),
              [](const Change& a, const Change& b) { return a.index < b.index; });
    sharedWith_ = &out;
    std::size_t from = 0;
    for (const Change& c : changed_) {
        const std::size_t at = offsets_[c.index];
        out.writeShared(text_.data() + from, at - from);
        char* p = out.room(16);
        writeE15_9(p, c.value);
        out.commit(p + 15);
        from = at + 15;
    }
    out.writeShared(text_.data() + from, text_.size() - from);
}

void TrialVectorText::appendWhole(std::string& out, const std::vector<double>& values) {
    int count = 0;
    for (double v : values) {
        if (count > 0 && count % kValuesPerLine == 0) out += "\r\n";
        out += "  ";
        appendE15_9(out, v);
        ++count;
    }
    out += "\r\n";
}

void TrialVectorText::writeWhole(OutputFile& out, const std::vector<double>& values) const {
    std::string slow;
    appendWhole(slow, values);
    out.write(slow);
}

std::size_t TrialVectorText::wholeLength(const std::vector<double>& values) const {
    std::string slow;
    appendWhole(slow, values);
    return slow.size();
}

bool TrialVectorText::collectChanged(const DuplicateChange& change, double system) {
    // Every other value is the trial's own. As in collectVariant, a changed value fits in
    // the place of the old one unless one of them is negative.
    changed_.clear();
    bool fits = true;
    auto put = [&](std::uint32_t n, double v) {
        if (v != values_[n]) {
            changed_.push_back({n, v});
            fits = fits && !(v < 0) && !(values_[n] < 0);
        }
    };
    for (int c = 0; c < change.cellCount; ++c) {
        put(rowStart_[change.cells[c].i] + change.cells[c].j - 1, change.pair);
    }
    for (int r = 0; r < change.rowCount; ++r) {
        const int i = change.rows[r].i;
        put(rowStart_[i] + s_.rowLength(i), change.rows[r].t);
    }
    put(static_cast<std::uint32_t>(values_.size() - 1), system);
    if (!fits) {
        whole_ = values_;
        for (const Change& c : changed_) whole_[c.index] = c.value;
    }
    return fits;
}

void TrialVectorText::writeChanged(OutputFile& out, const DuplicateChange& change, double system) {
    if (collectChanged(change, system)) {
        writeWithChanges(out);
    } else {
        writeWhole(out, whole_);
    }
}

std::size_t TrialVectorText::changedLength(const DuplicateChange& change, double system) {
    return collectChanged(change, system) ? text_.size() : wholeLength(whole_);
}

void writeFalloRow(OutputFile& out, const TrialVectorText& vector) {
    out.write("  ");
    out.write(vector.text());
}

namespace {

constexpr std::size_t kLongestRedunHead = 64;

// The row's head: trial, position and row number.
char* putRedunHead(char* p, std::int32_t k, int j, int i) {
    std::memcpy(p, "    ", 4);
    p = writeInteger(p + 4, k, 6);
    p = writeInteger(p, j, 6);
    p = writeInteger(p, i, 6);
    std::memset(p, ' ', 8);
    return p + 8;
}

void writeRedunHead(OutputFile& out, std::int32_t k, int j, int i) {
    char* p = out.room(kLongestRedunHead);
    out.commit(putRedunHead(p, k, j, i));
}

std::size_t redunHeadLength(std::int32_t k, int j, int i) {
    char head[kLongestRedunHead];
    return putRedunHead(head, k, j, i) - head;
}

}  // namespace

void writeRedunRow(OutputFile& out, std::int32_t k, int j, int i, TrialVectorText& vector,
                   const Table50<double>& work, const double* workRows, double xd) {
    writeRedunHead(out, k, j, i);
    vector.writeVariant(out, work, workRows, xd);
}

void writeRedunRow(OutputFile& out, std::int32_t k, int j, int i, TrialVectorText& vector,
                   const DuplicateChange& change, double xd) {
    writeRedunHead(out, k, j, i);
    vector.writeChanged(out, change, xd);
}

std::size_t redunRowLength(std::int32_t k, int j, int i, TrialVectorText& vector,
                           const Table50<double>& work, const double* workRows, double xd) {
    return redunHeadLength(k, j, i) + vector.variantLength(work, workRows, xd);
}

std::size_t redunRowLength(std::int32_t k, int j, int i, TrialVectorText& vector,
                           const DuplicateChange& change, double xd) {
    return redunHeadLength(k, j, i) + vector.changedLength(change, xd);
}

}  // namespace brenta
