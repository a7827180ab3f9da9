#pragma once

#include <QString>

namespace farvik {

// The per-user settings store: text values by section and key, kept by QSettings under the
// program title "Omvira" (~/.config/Omvira.conf). Tests give it a file of their own.
class SettingsStore {
  public:
    SettingsStore() = default;  // the user's own store
    explicit SettingsStore(const QString& file) : file_(file) {}

    // The stored text, or fallback when the key is absent.
    QString value(const QString& section, const QString& key, const QString& fallback) const;
    void setValue(const QString& section, const QString& key, const QString& text);

  private:
    QString file_;  // empty: the user's store
};

}  // namespace farvik
