#pragma once

#include <cstdint>

#include "document/system_data.h"

namespace farvik {

// The one program-wide description; it outlives every editor window.
SystemData& systemData();

// The structure option clicked last, so that clicking the selected option again does nothing.
// The file reader sets it to 0 before it selects the structure of the file.
std::int16_t& lastSystemType();

}  // namespace farvik
