#pragma once

#include <string>
#include <vector>

namespace brenta {

// The options of the console programs: --help or --version as the only argument. A program
// honours one only where no data file of that name exists, so that a file named so is run
// as before.
enum class ProgramOption { None, Help, Version };

ProgramOption programOption(const std::vector<std::string>& args);

// What `brenta --help` and `brenta --version` write on standard output.
extern const char* const kBrentaHelp;
std::string versionText(const char* program);

}  // namespace brenta
