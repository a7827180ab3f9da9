#include "earlier_results.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "result_file_names.h"

namespace farvik {

const QStringList& EarlierResults::names() {
    static const QStringList engineNames = [] {
        QStringList list;
        for (const char* name : result_files::kAll) list << QString::fromLatin1(name);
        return list;
    }();
    return engineNames;
}

EarlierResults::EarlierResults() = default;
EarlierResults::~EarlierResults() = default;

bool EarlierResults::setAside(const QString& folder) {
    folder_ = folder;
    moved_.clear();
    QDir dir(folder);
    QStringList present;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden))
        for (const QString& name : names())
            if (entry.compare(name, Qt::CaseInsensitive) == 0) present << entry;
    if (present.isEmpty()) return true;

    // In the same folder, so that moving a file is a rename whatever its size.
    aside_ = std::make_unique<QTemporaryDir>(dir.filePath(QStringLiteral(".farvik-XXXXXX")));
    if (!aside_->isValid()) return false;
    bool all = true;
    for (const QString& entry : present) {
        if (QFile::rename(dir.filePath(entry), aside_->filePath(entry)))
            moved_ << entry;
        else
            all = false;
    }
    return all;
}

void EarlierResults::putBack() {
    if (folder_.isEmpty()) return;
    QDir dir(folder_);
    for (const QString& name : names()) {
        // What the stopped run wrote is no result.
        if (!moved_.contains(name)) QFile::remove(dir.filePath(name));
    }
    for (const QString& entry : moved_) {
        QFile::remove(dir.filePath(entry));
        QFile::rename(aside_->filePath(entry), dir.filePath(entry));
    }
    moved_.clear();
    aside_.reset();
}

void EarlierResults::putBackBeside() {
    if (folder_.isEmpty()) return;
    QDir dir(folder_);
    const QStringList present = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : moved_) {
        // A result the other run wrote under that name, in any letter case, stays.
        if (present.contains(entry, Qt::CaseInsensitive)) continue;
        QFile::rename(aside_->filePath(entry), dir.filePath(entry));
    }
    moved_.clear();
    aside_.reset();
}

}  // namespace farvik
