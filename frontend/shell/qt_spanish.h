#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

namespace farvik {

// Where Qt's own Spanish texts (file dialogs, print dialogs and preview, standard buttons)
// are looked for: a share/qt6/translations folder in the prefix farvik is installed in, for a
// Qt installed there beside it, then the folder of the Qt farvik runs with (Debian's
// qt6-translations-l10n).
QStringList qtTranslationFolders(const QString& programFolder);

// Loads Qt's Spanish texts from the first of those folders that holds them into translator
// and installs it in the application; false when no folder holds them (English stays).
bool installQtSpanish(QTranslator& translator, const QString& programFolder);

}  // namespace farvik
