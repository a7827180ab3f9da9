#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class QWidget;

namespace farvik {

// Every CSV file farvik writes follows one convention: the extension ".csv", lines ended by
// CR LF, one header row of column names and no other line before the data, UTF-8 with a byte
// order mark, numbers with 17 significant digits (they read back as the same double) and
// never "-0". Two flavours: "," between fields with a decimal point, or ";" between fields
// with a decimal comma, as a spreadsheet in a Spanish locale reads them.
enum class CsvFlavour { Comma, Semicolon };

// The save dialog's entries for the two flavours, and both as its filter.
QString csvCommaFilter();
QString csvSemicolonFilter();
QString csvFilters();
// The flavour of a filter entry the dialog tells of (the comma one for anything else).
CsvFlavour csvFlavourOf(const QString& selectedFilter);

// A field: a text, or a number (nothing: an empty field).
struct CsvField {
    QString text;
    std::optional<double> number;
    bool isNumber = false;

    static CsvField ofText(const QString& t) { return {t, std::nullopt, false}; }
    static CsvField ofNumber(std::optional<double> v) { return {QString(), v, true}; }
};
using CsvRow = QVector<CsvField>;

// A number as the flavour writes it: 17 significant digits, a zero without sign, "inf" and
// "-inf" for the infinities, an empty field for what is not a number.
QString csvNumber(double value, CsvFlavour flavour);

// The whole file: the byte order mark, the header row and the rows, fields quoted where they
// hold the separator, a quote or a line end.
QByteArray csvBytes(const QStringList& header, const QVector<CsvRow>& rows, CsvFlavour flavour);

// The file to write a CSV to, asked through the dialog seam with the two flavours to choose
// from, starting at `suggested`: ".csv" added to a name without it, and a file that exists
// replaced only when the user says so. Nothing when the user cancels or declines.
struct CsvTarget {
    QString path;
    CsvFlavour flavour = CsvFlavour::Comma;
};
std::optional<CsvTarget> chooseCsvFile(QWidget* parent, const QString& title,
                                       const QString& suggested);

// Writes the bytes whole or not at all (the old file stays until the new one is complete);
// tells the user when it cannot. True when written.
bool writeCsvFile(QWidget* parent, const QString& path, const QByteArray& bytes);

}  // namespace farvik
