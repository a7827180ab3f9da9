#pragma once

#include <QString>
#include <QStringList>

namespace farvik {

// What farvik's command line asks for: run (with a data file to open, or none), show the
// help or the version, or nothing at all because the line is wrong.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString dataFile;  // absolute, when one was given
    QString message;   // the help, the version or the error, ready to print
};

// The arguments after the program's name, as QApplication leaves them (Qt's own options,
// such as -platform, already taken out). A relative data file is taken from folder.
CommandLine parseCommandLine(const QStringList& arguments, const QString& folder);

// The help or the version when any argument asks for one (the first that does), whatever
// else the line holds; Run otherwise. They are answered before any window system is
// reached, so that they work without a display.
CommandLine textRequest(const QStringList& arguments);

}  // namespace farvik
