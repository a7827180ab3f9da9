#pragma once

#include <istream>
#include <string>

#include "system_data.h"

namespace brenta {

// Reads a system data file into SystemData, converting distribution-4 parameters as it
// goes, and refuses (EngineError naming the file and the line) any value that would make
// the simulation address outside its tables or draw from an undefined distribution.
// `fileName` is used in messages only.
SystemData leer_sistema(std::istream& in, const std::string& fileName);

}  // namespace brenta
