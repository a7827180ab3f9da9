#include "settings_store.h"

#include <QSettings>
#include <memory>

#include "program_texts.h"

namespace farvik {
namespace {

std::unique_ptr<QSettings> openStore(const QString& file) {
    if (file.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           kProgramTitle);
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

QString path(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

}  // namespace

QString SettingsStore::value(const QString& section, const QString& key,
                             const QString& fallback) const {
    return openStore(file_)->value(path(section, key), fallback).toString();
}

void SettingsStore::setValue(const QString& section, const QString& key, const QString& text) {
    openStore(file_)->setValue(path(section, key), text);
}

}  // namespace farvik
