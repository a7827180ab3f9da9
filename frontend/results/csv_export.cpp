#include "csv_export.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cmath>

#include "base/dialog_seam.h"

namespace farvik {

QString csvCommaFilter() {
    return QStringLiteral("CSV (coma, punto decimal) (*.csv)");
}

QString csvSemicolonFilter() {
    return QStringLiteral(
        "CSV para hoja de cálculo en español (punto y coma, coma decimal) (*.csv)");
}

QString csvFilters() {
    return csvCommaFilter() + QStringLiteral(";;") + csvSemicolonFilter();
}

CsvFlavour csvFlavourOf(const QString& selectedFilter) {
    return selectedFilter == csvSemicolonFilter() ? CsvFlavour::Semicolon : CsvFlavour::Comma;
}

QString csvNumber(double value, CsvFlavour flavour) {
    if (std::isnan(value)) return QString();
    if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (value == 0) value = 0;  // -0 written as 0
    QString text = QString::number(value, 'g', 17);
    if (flavour == CsvFlavour::Semicolon) text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

namespace {

QString quoted(const QString& field, QChar separator) {
    if (!field.contains(separator) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString q = field;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

QByteArray csvBytes(const QStringList& header, const QVector<CsvRow>& rows, CsvFlavour flavour) {
    const QChar separator = flavour == CsvFlavour::Semicolon ? QLatin1Char(';') : QLatin1Char(',');
    QString out;
    QStringList fields;
    for (const QString& h : header) fields << quoted(h, separator);
    out += fields.join(separator) + QStringLiteral("\r\n");
    for (const CsvRow& row : rows) {
        fields.clear();
        for (const CsvField& f : row) {
            if (!f.isNumber)
                fields << quoted(f.text, separator);
            else
                fields << (f.number ? csvNumber(*f.number, flavour) : QString());
        }
        out += fields.join(separator) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

std::optional<CsvTarget> chooseCsvFile(QWidget* parent, const QString& title,
                                       const QString& suggested) {
    QString selected = csvCommaFilter();
    FileDialogRequest request{title, csvFilters(), suggested};
    request.selectedFilter = &selected;
    const QString chosen = dialogs().saveFileName(parent, request);
    if (chosen.isEmpty()) return std::nullopt;
    CsvTarget target;
    target.path = chosen.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                      ? chosen
                      : chosen + QStringLiteral(".csv");
    target.flavour = csvFlavourOf(selected);
    if (QFileInfo::exists(target.path) &&
        dialogs().message(parent, MessageIcon::Question, MessageButtons::YesNo, QString(),
                          QStringLiteral("El fichero %1 ya existe. ¿Desea reemplazarlo?")
                              .arg(QFileInfo(target.path).fileName())) != MessageAnswer::Yes)
        return std::nullopt;
    return target;
}

bool writeCsvFile(QWidget* parent, const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    dialogs().message(parent, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                      QStringLiteral("No se puede escribir el fichero ") + path);
    return false;
}

}  // namespace farvik
