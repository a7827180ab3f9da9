#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace farvik::analysis {

// Exit status of fiabilidad_exacta beyond those of the engine's reader: the system is too
// large for its decision diagram.
constexpr int kExitTooLarge = 50;

// fiabilidad_exacta NAME.DAT [t ...]: reads the data file by the engine's reader and writes
// one line per value: "R t value" for each time, "MEDIA value error" for the mean life and,
// with the redundancy study, "DUPLICANDO element value" for each element in the order of the
// engine's redundancy report (the element as "i-j", or its key in a general system). A file
// the engine refuses gets the engine's message on `err` and its exit status. "--help" or
// "--version" as the only argument, where no data file has that name, writes its text
// instead. It only reads: it takes no hold on the folder and writes no file.
int runExactCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A value with 17 significant digits and "." as decimal separator, whatever the locale.
std::string seventeenDigits(double value);

// What `fiabilidad_exacta --help` writes.
extern const char* const kExactHelp;

}  // namespace farvik::analysis
