#pragma once

#include <QStringList>

#include "base/settings_store.h"

namespace farvik {

// The data files opened or saved last, newest first, kept in the settings store beside the
// window placement (section "RecentFiles", keys "File1" to "File4").
class RecentFiles {
  public:
    static constexpr int kMax = 4;

    explicit RecentFiles(SettingsStore store) : store_(std::move(store)) { load(); }

    const QStringList& paths() const { return paths_; }
    // Puts path first (once), drops the oldest beyond four, and stores the list.
    void add(const QString& path);
    void remove(const QString& path);

  private:
    void load();
    void store();

    SettingsStore store_;
    QStringList paths_;
};

}  // namespace farvik
