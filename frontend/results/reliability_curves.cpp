#include "reliability_curves.h"

#include <optional>

namespace farvik {
namespace {

// The heading of the table counts as six items separated by commas or line ends: five
// lines, the second holding one comma.
constexpr int kHeadingItems = 6;

class TableScanner {
  public:
    explicit TableScanner(const QByteArray& text) : text_(text) {}

    void skipItems(int count) {
        while (count > 0 && pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == ',' || c == '\n') {
                --count;
            } else if (c == '\r') {
                if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
                --count;
            }
        }
    }

    // The next run of characters up to a blank or a line end; nothing at the end of the
    // text. Line ends between fields are passed over like blanks, so that trailing empty
    // lines add no row.
    std::optional<QByteArray> field() {
        while (pos_ < text_.size() && isSeparator(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return std::nullopt;
        const qsizetype start = pos_;
        while (pos_ < text_.size() && !isSeparator(text_[pos_])) ++pos_;
        return text_.mid(start, pos_ - start);
    }

    bool atEnd() {
        while (pos_ < text_.size() && isSeparator(text_[pos_])) ++pos_;
        return pos_ >= text_.size();
    }

  private:
    static bool isSeparator(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

    const QByteArray& text_;
    qsizetype pos_ = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of the longest leading part that reads as a number ("12.5abc" is 12.5, "abc"
// is 0), as numbers typed into a field are taken.
double numberValue(const QByteArray& field) {
    qsizetype i = 0;
    const qsizetype n = field.size();
    if (i < n && (field[i] == '+' || field[i] == '-')) ++i;
    const qsizetype digitsFrom = i;
    while (i < n && isDigit(field[i])) ++i;
    bool digits = i > digitsFrom;
    if (i < n && field[i] == '.') {
        ++i;
        const qsizetype decimalsFrom = i;
        while (i < n && isDigit(field[i])) ++i;
        digits = digits || i > decimalsFrom;
    }
    if (!digits) return 0.0;
    qsizetype end = i;
    if (i < n && (field[i] == 'E' || field[i] == 'e')) {
        qsizetype j = i + 1;
        if (j < n && (field[j] == '+' || field[j] == '-')) ++j;
        const qsizetype exponentFrom = j;
        while (j < n && isDigit(field[j])) ++j;
        if (j > exponentFrom) end = j;
    }
    return field.left(end).toDouble();
}

}  // namespace

double tableNumber(const QByteArray& field) {
    return numberValue(field);
}

std::vector<std::array<QByteArray, 5>> readTableRows(const QByteArray& text) {
    std::vector<std::array<QByteArray, 5>> rows;
    TableScanner scanner(text);
    scanner.skipItems(kHeadingItems);
    while (!scanner.atEnd()) {
        std::array<QByteArray, 5> row;
        for (QByteArray& field : row) {
            const std::optional<QByteArray> f = scanner.field();
            if (!f) return rows;  // a row cut short by the end of the text
            field = *f;
        }
        rows.push_back(row);
    }
    return rows;
}

ReliabilityCurves readReliabilityTable(const QByteArray& text) {
    ReliabilityCurves result;
    Curve& reliabilityCurve = result.curves[kReliabilityGraph];
    Curve& failureCountCurve = result.curves[kFailureCountGraph];
    Curve& failureRateCurve = result.curves[kFailureRateGraph];
    reliabilityCurve.yTitle = QStringLiteral("Fiabilidad");
    failureCountCurve.yTitle = QStringLiteral("Nº de fallos");
    failureRateCurve.yTitle = QStringLiteral("Tasa de fallo");
    for (Curve& c : result.curves) {
        c.xTitle = QStringLiteral("Tiempo");
        c.points.emplace_back(0.0, 0.0);
    }

    for (const std::array<QByteArray, 5>& fields : readTableRows(text)) {
        std::array<double, 5> row{};
        for (std::size_t i = 0; i < row.size(); ++i) row[i] = numberValue(fields[i]);
        // row[0], the lower bound, is the previous upper bound: the points need only one.
        const double upper = row[1];
        const double middle = (failureCountCurve.points.back().x() + upper) / 2;
        reliabilityCurve.points.emplace_back(upper, row[3]);
        failureCountCurve.points.emplace_back(upper, row[2]);
        failureRateCurve.points.emplace_back(middle, row[4]);
    }
    result.n = static_cast<int>(reliabilityCurve.points.size());

    // Point 0: the curves start at time 0 with every system working.
    reliabilityCurve.points[0] = QPointF(0.0, 1.0);
    failureCountCurve.points[0] = QPointF(0.0, 0.0);
    failureRateCurve.points[0] = QPointF(0.0, 0.0);
    computeRanges(result);
    return result;
}

void computeRanges(ReliabilityCurves& curves) {
    for (Curve& c : curves.curves) {
        c.min = c.max = c.points.front();
        for (const QPointF& p : c.points) {
            if (p.x() < c.min.x()) c.min.setX(p.x());
            if (p.y() < c.min.y()) c.min.setY(p.y());
            if (p.x() > c.max.x()) c.max.setX(p.x());
            if (p.y() > c.max.y()) c.max.setY(p.y());
        }
    }
    curves.curves[kFailureCountGraph].min.setX(0.0);
}

QString graphName(GraphKind kind) {
    switch (kind) {
        case kReliabilityGraph:
            return QStringLiteral("Fiabilidad");
        case kFailureCountGraph:
            return QStringLiteral("Histograma de fallos");
        case kFailureRateGraph:
            return QStringLiteral("Tasa de fallo");
    }
    return QString();
}

QString studyGraphTitle(const QString& file, GraphKind kind, long trials, std::optional<int> seed) {
    QString title = file + QStringLiteral(": ") + graphName(kind) + QStringLiteral(", ") +
                    QString::number(trials) + QStringLiteral(" pruebas");
    if (seed) title += QStringLiteral(", semilla ") + QString::number(*seed);
    return title;
}

}  // namespace farvik
