#include "recent_files.h"

namespace farvik {
namespace {

const QString kSection = QStringLiteral("RecentFiles");

QString key(int n) {
    return QStringLiteral("File%1").arg(n);
}

}  // namespace

void RecentFiles::load() {
    paths_.clear();
    for (int n = 1; n <= kMax; ++n) {
        const QString path = store_.value(kSection, key(n), QString());
        if (!path.isEmpty() && !paths_.contains(path)) paths_ << path;
    }
}

void RecentFiles::store() {
    for (int n = 1; n <= kMax; ++n)
        store_.setValue(kSection, key(n), n <= paths_.size() ? paths_[n - 1] : QString());
}

void RecentFiles::add(const QString& path) {
    if (path.isEmpty()) return;
    // Another farvik may have changed the list since this one read it.
    load();
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kMax) paths_.removeLast();
    store();
}

void RecentFiles::remove(const QString& path) {
    load();
    if (paths_.removeAll(path) > 0) store();
}

}  // namespace farvik
