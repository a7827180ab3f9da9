#pragma once

#include <QString>

class QWidget;

namespace farvik {

// Where the desktop's system-information program may be found, and how to start it. The
// About box asks in a fixed order: the program the system names, then the shared tools
// folder. Tests give their own answers.
class SystemInfoSources {
  public:
    virtual ~SystemInfoSources() = default;
    // Full path of the system-information program that the desktop offers, or empty.
    virtual QString registeredProgram() const = 0;
    // Folder of the desktop's shared tools, or empty.
    virtual QString sharedToolsFolder() const = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // Starts the program in a window of its own; false when it cannot be started.
    virtual bool start(const QString& program) = 0;
};

// The sources of a Linux desktop: a known information tool on the PATH (KDE's info centre,
// hardinfo), else the graphical hardware lister among the administrator's tools.
class DesktopSystemInfoSources : public SystemInfoSources {
  public:
    QString registeredProgram() const override;
    QString sharedToolsFolder() const override;
    bool fileExists(const QString& path) const override;
    bool start(const QString& program) override;
};

// The name of the program looked for in the shared tools folder.
inline const QString kSharedSystemInfoTool = QStringLiteral("lshw-gtk");

// StartSysInfo: starts the first program found; when none is found (or it will not start)
// says so in a message box. True when a program was started.
bool StartSysInfo(SystemInfoSources& sources, QWidget* parent);

}  // namespace farvik
