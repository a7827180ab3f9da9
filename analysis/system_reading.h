#pragma once

#include <optional>
#include <string>

#include "system_model.h"

namespace farvik::analysis {

// A data file as the engine's reader takes it: the model of the system and whether the file
// asks for the redundancy study, or the engine's own message and exit status when it refuses
// the file.
struct SystemReading {
    std::optional<SystemModel> model;  // empty when the engine refuses the file
    bool redundancy = false;
    int structureCode = 0;  // 1..5, as the file gives it
    int seed = 0;
    int trials = 0;
    std::string failure;  // the engine's message, naming the file and the line
    int status = 0;       // the engine's exit status for the refusal
};

// Reads the bytes of a data file by the engine's reader. `fileName` is used in the message
// only, as the engine uses it.
SystemReading readSystem(const std::string& bytes, const std::string& fileName);

}  // namespace farvik::analysis
