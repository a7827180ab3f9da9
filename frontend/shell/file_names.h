#pragma once

#include <QString>

// How farvik names the files it hands to the engine and finds the ones it gets back. Paths
// use "/" throughout.
namespace farvik {

// The path with its file-name part in upper case; the folder is kept as it is, so that the
// engine, which looks for <NAME>.DAT, finds the file on a case-sensitive file system.
QString upperCaseFileName(const QString& path);

// The path with ".DAT" added when its file name has another extension or none: the engine
// runs <NAME>.DAT only, and a name saved without it would run some other file.
QString withDataExtension(const QString& path);

// Whether the file name ends in ".dat", in any letter case: the only files the engine runs.
bool hasDataExtension(const QString& path);

// The engine's argument for a data file: the name after the last "/" without its last four
// characters (the extension with its dot, ".DAT" after a Save As).
QString engineArgument(const QString& dataFile);

// The folder that holds a file; "." for a bare name.
QString folderOf(const QString& path);

// The file of that name in the folder, whatever the letter case it was written in; when
// several differ only in case, the one written last. Empty when there is none.
QString findIgnoringCase(const QString& folder, const QString& name);

}  // namespace farvik
