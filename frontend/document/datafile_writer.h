#pragma once

#include <QByteArray>

#include "datafile_layout.h"

namespace farvik {

struct SystemData;

// The value texts of the data file for the system being edited: the redundancy answer as
// "1" or "2", the dimension as the largest count it must cover, parameters in the editor's
// own number text, the seed and the trials as the integers they are. Which sections are
// written follows the structure selected.
DataFileContent dataFileContentFor(const SystemData& data);

// The bytes of the data file for the system: code page 1252, lines ended by CR LF.
QByteArray dataFileBytesFor(const SystemData& data);

}  // namespace farvik
