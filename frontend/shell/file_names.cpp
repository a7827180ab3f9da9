#include "file_names.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace farvik {

QString upperCaseFileName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return path.left(slash + 1) + path.mid(slash + 1).toUpper();
}

bool hasDataExtension(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return name.size() > 4 && name.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive);
}

QString withDataExtension(const QString& path) {
    return hasDataExtension(path) ? path : path + QStringLiteral(".DAT");
}

QString engineArgument(const QString& dataFile) {
    const QString name = dataFile.mid(dataFile.lastIndexOf(QLatin1Char('/')) + 1);
    return name.left(name.size() - 4);
}

QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString findIgnoringCase(const QString& folder, const QString& name) {
    QString found;
    QDateTime newest;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) != 0) continue;
        // A stale copy under another spelling must not hide the file just written.
        if (found.isEmpty() || entry.lastModified() > newest) {
            found = entry.filePath();
            newest = entry.lastModified();
        }
    }
    return found;
}

}  // namespace farvik
