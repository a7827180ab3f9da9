#include "text_file.h"

#include <QFile>
#include <algorithm>

#include "cp1252.h"

namespace farvik {

std::optional<TextFileStart> readTextFileStart(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    TextFileStart start;
    const qint64 size = file.size();
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    if (bytes.size() > limit) {
        // A part ends where a line ends, unless its first line alone is longer.
        const qsizetype lineEnd = bytes.lastIndexOf('\n', limit - 1);
        bytes.truncate(lineEnd >= 0 ? lineEnd + 1 : limit);
        // The file may have grown or shrunk since its size was taken; it is larger than
        // the part, at least.
        start.fileBytes = std::max(size, limit + 1);
    } else {
        start.fileBytes = bytes.size();  // read to its end
    }
    start.shownBytes = bytes.size();
    start.text = QString::fromStdString(
        cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    start.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return start;
}

}  // namespace farvik
