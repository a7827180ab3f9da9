#include "engine_results.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <cstdlib>

namespace farvik {

bool runExample(const QString& folder, const QString& example, const QString& answers) {
    const QString data = example + QStringLiteral(".DAT");
    QFile::remove(QDir(folder).filePath(data));
    if (!QFile::copy(QStringLiteral(FARVIK_SOURCE_DIR "/examples/") + data,
                     QDir(folder).filePath(data)))
        return false;
    const QString command = QStringLiteral("cd '%1' && printf '%4' | '%2/brenta' %3 > /dev/null")
                                .arg(folder, QStringLiteral(FARVIK_BIN_DIR), example, answers);
    return std::system(command.toLocal8Bit().constData()) == 0;
}

QByteArray tableText(const QList<QByteArray>& rows) {
    QByteArray text =
        "  \r\n"
        "  TABLA CON VALORES PARA EL NUM. DE FALLO, FIABILIDAD Y TASA DE FALLO\r\n"
        " ---------------------------------------------------------------------\r\n"
        "        ext.in    -    ext.sup   -  n.fa -  fiabilidad -  tasa de fallo\r\n"
        " ----------------------------------------------------------------------\r\n";
    for (const QByteArray& row : rows) text += row + "\r\n";
    return text;
}

void writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace farvik
