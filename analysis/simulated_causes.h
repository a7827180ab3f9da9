#pragma once

#include <string>
#include <vector>

namespace farvik::analysis {

// How often the summary (resumen.TXT) says each element caused the system's failure, in
// the order it lists them, which is the model's order of elements. Empty when the file
// says nothing of causes.
std::vector<long> readSimulatedCauses(const std::string& bytes);

}  // namespace farvik::analysis
