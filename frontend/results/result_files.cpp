#include "result_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cp1252.h"

namespace farvik {

QString resultFilePath(const QString& folder, const QString& name) {
    const QDir dir(folder);
    QFileInfo newest;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files)) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) != 0) continue;
        if (!newest.exists() || entry.lastModified() > newest.lastModified()) newest = entry;
    }
    return newest.exists() ? newest.filePath() : dir.filePath(name);
}

QString readResultText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = file.readAll();
    return QString::fromStdString(cp1252ToUtf8(std::string_view(bytes.constData(), bytes.size())));
}

}  // namespace farvik
