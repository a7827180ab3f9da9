#include "system_info.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "dialog_seam.h"

namespace farvik {

QString DesktopSystemInfoSources::registeredProgram() const {
    for (const QString& name : {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found;
    }
    return {};
}

QString DesktopSystemInfoSources::sharedToolsFolder() const {
    // Debian keeps the administrator's tools out of an ordinary user's PATH.
    return QStringLiteral("/usr/sbin");
}

bool DesktopSystemInfoSources::fileExists(const QString& path) const {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

bool DesktopSystemInfoSources::start(const QString& program) {
    return QProcess::startDetached(program, {});
}

bool StartSysInfo(SystemInfoSources& sources, QWidget* parent) {
    const QString registered = sources.registeredProgram();
    if (!registered.isEmpty() && sources.start(registered)) return true;

    const QString folder = sources.sharedToolsFolder();
    if (!folder.isEmpty()) {
        const QString tool = folder + QLatin1Char('/') + kSharedSystemInfoTool;
        if (sources.fileExists(tool) && sources.start(tool)) return true;
    }

    // A box without a title of its own shows the program's title.
    dialogs().message(parent, MessageIcon::None, MessageButtons::Ok, QStringLiteral("Omvira"),
                      QStringLiteral("La información del sistema no está disponible en este "
                                     "momento"));
    return false;
}

}  // namespace farvik
