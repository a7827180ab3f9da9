#include "first_trials.h"

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
    const char* rowLabel = s.kclase == 5 ? "  fallosub  " : "   fallosub ";
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

void appendTrialVector(ValueLine& line, const SystemData& s, const Table50<double>& t,
                       const double* rowTimes, double system) {
    for (int i = 1; i <= s.rowCount(); ++i) {
        for (int j = 1; j <= s.rowLength(i); ++j) {
            std::string& out = line.next();
            out += "  ";
            appendE15_9(out, t(j, i));
        }
        std::string& out = line.next();
        out += "  ";
        appendE15_9(out, rowTimes[i]);
    }
    std::string& out = line.next();
    out += "  ";
    appendE15_9(out, system);
    line.end();
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
    appendRightJustified(out, s.kclase == 3 ? "el." : "elem.", 7);
    appendRightJustified(out, "sis.", 7);
    out += "  ";
    appendLabels(out, s);
}

void appendFalloRow(std::string& out, const SystemData& s, const Table50<double>& t,
                    const double* rowTimes, double system) {
    out += "  ";
    ValueLine line(out);
    appendTrialVector(line, s, t, rowTimes, system);
}

void appendRedunRow(std::string& out, const SystemData& s, std::int32_t k, int j, int i,
                    const Table50<double>& work, const double* workRows, double xd) {
    out += "    ";
    appendInteger(out, k, 6);
    appendInteger(out, j, 6);
    appendInteger(out, i, 6);
    out.append(8, ' ');
    ValueLine line(out);
    appendTrialVector(line, s, work, workRows, xd);
}

}  // namespace brenta
