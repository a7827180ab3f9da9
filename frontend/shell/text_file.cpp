#include "text_file.h"

#include <QFile>

#include "cp1252.h"

namespace farvik {

std::optional<QString> readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    QString text = QString::fromStdString(
        cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace farvik
