#include "datafile_items.h"

#include <cmath>
#include <limits>
#include <string>

#include "cp1252.h"
#include "document/number_text.h"

namespace farvik {
namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

void splitLine(const QString& line, QStringList& items) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    do {
        while (i < n && isBlank(line[i])) ++i;
        QString item;
        if (i < n && line[i] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            item = line.mid(i + 1, end - i - 1);
            // Whatever follows the closing quote up to the comma belongs to no item.
            i = line.indexOf(QLatin1Char(','), end);
            i = i < 0 ? n : i;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            const qsizetype end = comma < 0 ? n : comma;
            item = line.mid(i, end - i);
            while (!item.isEmpty() && isBlank(item.back())) item.chop(1);
            i = end;
        }
        items << item;
        if (i < n) ++i;  // past the comma
    } while (i < n);
}

template <typename Int>
std::optional<Int> nearest(const QString& item) {
    const auto value = itemToDouble(item);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);  // halves to even
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}

}  // namespace

DataFileItems::DataFileItems(const QByteArray& bytes) {
    const std::string text = cp1252ToUtf8(std::string_view(bytes.constData(), bytes.size()));
    QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    // A line end closes the last line rather than opening an empty one.
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    int number = 0;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        splitLine(line, items_);
        ++number;
        while (lines_.size() < items_.size()) lines_ << number;
    }
    lineCount_ = number;
}

std::optional<QString> DataFileItems::next() {
    if (position_ >= items_.size()) {
        atEnd_ = true;
        line_ = lineCount_ + 1;
        last_.clear();
        return std::nullopt;
    }
    line_ = lines_[position_];
    last_ = items_[position_];
    return items_[position_++];
}

std::optional<QString> DataFileItems::value(int size) {
    for (int n = 1; n < size; ++n)
        if (!next()) return std::nullopt;
    return next();
}

std::optional<std::int16_t> itemToInt16(const QString& item) {
    return nearest<std::int16_t>(item);
}

std::optional<std::int32_t> itemToInt32(const QString& item) {
    return nearest<std::int32_t>(item);
}

std::optional<double> itemToDouble(const QString& item) {
    return parseNumber(item.trimmed());
}

}  // namespace farvik
