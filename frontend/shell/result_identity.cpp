#include "result_identity.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <algorithm>

#include "earlier_results.h"

namespace farvik {

std::optional<FileIdentity> identityOf(const QString& path) {
    struct stat st {};
    // Through a link, as the engine writes: what changes is the file it points to.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
    return FileIdentity{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
                        static_cast<qint64>(st.st_size), static_cast<qint64>(st.st_mtim.tv_sec),
                        static_cast<qint64>(st.st_mtim.tv_nsec)};
}

ResultIdentity ResultIdentity::of(const QString& folder) {
    ResultIdentity identity;
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const bool result = std::any_of(
            EarlierResults::names().begin(), EarlierResults::names().end(),
            [&](const QString& name) { return entry.compare(name, Qt::CaseInsensitive) == 0; });
        if (!result) continue;
        if (const auto file = identityOf(dir.filePath(entry)))
            identity.files_.emplace_back(entry, *file);
    }
    return identity;
}

}  // namespace farvik
