#include "qt_spanish.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace farvik {

QStringList qtTranslationFolders(const QString& programFolder) {
    QStringList folders;
    folders << QDir::cleanPath(programFolder + QStringLiteral("/../share/qt6/translations"));
    const QString qtOwn = QDir::cleanPath(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!folders.contains(qtOwn)) folders << qtOwn;
    return folders;
}

bool installQtSpanish(QTranslator& translator, const QString& programFolder) {
    for (const QString& folder : qtTranslationFolders(programFolder)) {
        if (translator.load(QStringLiteral("qtbase_es"), folder)) {
            QCoreApplication::installTranslator(&translator);
            return true;
        }
    }
    return false;
}

}  // namespace farvik
