#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "system_data.h"

namespace farvik {

// A data file read by the rules the engine runs it by: the system, and where and why the
// engine would refuse the file.
struct DataFileReading {
    // Empty when the file is refused whole. A file that reads whole but holds a parameter,
    // seed or number of trials the engine refuses is read, values as written, with that
    // refusal below: it is the user's own work, to be put right in the editor.
    std::optional<SystemData> system;
    // The engine's words after the file's name: "línea N: se esperaba ... y se encontró «...»",
    // or "el fichero termina antes de tiempo: ..."; for a file that cannot be read at all,
    // why. Empty when the engine runs the file.
    QString failure;
    int line = 0;    // the line the engine names; 0 when it names none
    int status = 0;  // the engine's exit status for the refusal; 0 when it runs the file

    bool engineRunsIt() const { return system && failure.isEmpty(); }
};

// Reads the bytes of a data file. The values go into the system as they stand in the file
// (the lognormal of code 4 unconverted). The elements of a general system take the rows
// 1..n in the order of their keys, and the paths name them by those rows: a file with keys
// 1..n keeps its keys.
DataFileReading readSystem(const QByteArray& bytes);

// Opens the file at `path` and reads it as above. Only a regular file is read: a FIFO, a
// device or a socket is refused at once, without waiting on it. A file is read no further
// than 16 MiB, far beyond any data file.
DataFileReading readSystemFile(const QString& path);

}  // namespace farvik
