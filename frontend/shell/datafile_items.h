#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace farvik {

// A data file as the front-end reads it back: a run of items. An item ends at a comma or at
// the end of its line; leading blanks are dropped; a text in double quotes is one item; an
// empty line is one empty item. Label lines hold no comma, so each is one item, and every
// value is the last item of a group of known size (its labels before it).
class DataFileItems {
  public:
    // The bytes of the file, code page 1252, lines ended by CR LF or LF alone.
    explicit DataFileItems(const QByteArray& bytes);

    // The next item; nothing past the end of the file.
    std::optional<QString> next();
    // Skips the first size - 1 items of a group and returns its last one.
    std::optional<QString> value(int size);

    // Where the reading stands, to say what could not be read: the line (from 1) of the
    // item returned last, or the line after the last one once the items have run out.
    int line() const { return line_; }
    bool atEnd() const { return atEnd_; }
    // The item returned last (empty at the end).
    const QString& last() const { return last_; }

  private:
    QStringList items_;
    QList<int> lines_;  // the line of each item
    int lineCount_ = 0;
    qsizetype position_ = 0;
    int line_ = 0;
    bool atEnd_ = false;
    QString last_;
};

// Conversions of an item that must be a number and nothing else ("3", "2.5", "1E-05").
// A count, code, key or seed: the nearest 16-bit integer, halves to the even one.
std::optional<std::int16_t> itemToInt16(const QString& item);
// The number of trials: through a double to the nearest 32-bit integer.
std::optional<std::int32_t> itemToInt32(const QString& item);
// A distribution parameter.
std::optional<double> itemToDouble(const QString& item);

}  // namespace farvik
