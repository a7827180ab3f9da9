#include "text_file.h"

#include <QFile>

#include "cp1252.h"

namespace farvik {
namespace {

// The files shown are data and result files of a few megabytes at most. A larger one is no
// such file: it is refused whole rather than filling the memory.
constexpr qint64 kLargestText = qint64(64) << 20;

}  // namespace

std::optional<QString> readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.read(kLargestText + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestText) return std::nullopt;
    QString text = QString::fromStdString(
        cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace farvik
