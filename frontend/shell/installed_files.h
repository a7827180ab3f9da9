#pragma once

#include <QString>
#include <QStringList>

namespace farvik {

// What farvik reads besides the programs, found from the program's folder as installed
// (PREFIX/bin/farvik) and as built (build/bin, which the build lays out the same way).
QString installedManual(const QString& programFolder);  // PREFIX/share/doc/farvik/manual/index.html
QString installedExamples(const QString& programFolder);  // PREFIX/share/farvik/ejemplos

// The data files of an examples folder (NAME.DAT), by name.
QStringList exampleFiles(const QString& folder);

// Where the examples are copied for the user: the engine writes its results beside the data
// file, and the installed folder is not the user's to write. ~/Documentos/Farvik/ejemplos,
// or the home folder's when there is no documents folder.
QString exampleCopyFolder();

// Copies the example into folder and gives the copy's path: NAME.DAT, or the copy made
// before when it still holds the example's bytes; otherwise NAME2.DAT, NAME3.DAT... so that a
// copy the user changed is never overwritten. Empty, with the reason, when it cannot.
QString copyExample(const QString& example, const QString& folder, QString* reason);

}  // namespace farvik
