#include "installed_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace farvik {
namespace {

QString sharedFolder(const QString& programFolder) {
    return QDir::cleanPath(programFolder + QStringLiteral("/../share"));
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QString installedManual(const QString& programFolder) {
    return sharedFolder(programFolder) + QStringLiteral("/doc/farvik/manual/index.html");
}

QString installedExamples(const QString& programFolder) {
    return sharedFolder(programFolder) + QStringLiteral("/farvik/ejemplos");
}

QStringList exampleFiles(const QString& folder) {
    QStringList files;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("*.DAT")}, QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) files << entry.absoluteFilePath();
    return files;
}

QString exampleCopyFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty()) base = QDir::homePath();
    return base + QStringLiteral("/Farvik/ejemplos");
}

QString copyExample(const QString& example, const QString& folder, QString* reason) {
    const QByteArray bytes = bytesOf(example);
    if (bytes.isEmpty()) {
        *reason = QStringLiteral("no se puede leer el ejemplo %1").arg(example);
        return {};
    }
    if (!QDir().mkpath(folder)) {
        *reason = QStringLiteral("no se puede crear la carpeta %1").arg(folder);
        return {};
    }
    const QString stem = QFileInfo(example).completeBaseName();
    for (int n = 1; n < 100; ++n) {
        const QString target = QStringLiteral("%1/%2%3.DAT")
                                   .arg(folder, stem, n == 1 ? QString() : QString::number(n));
        if (QFileInfo::exists(target)) {
            if (bytesOf(target) == bytes) return target;
            continue;
        }
        QFile copy(target);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() ||
            !copy.flush()) {
            copy.remove();
            *reason = QStringLiteral("no se puede escribir %1").arg(target);
            return {};
        }
        return target;
    }
    *reason = QStringLiteral("la carpeta %1 ya tiene demasiadas copias de %2").arg(folder, stem);
    return {};
}

}  // namespace farvik
