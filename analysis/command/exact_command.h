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
// the engine refuses gets the engine's message on `err` and its exit status.
//
// fiabilidad_exacta --importancia NAME.DAT t ...: for each time, for each element in the
// order and with the names of the DUPLICANDO lines, "IMPORTANCIA t element IB IC FV RAW RRW";
// then once, for each element, "CAUSA element probability" (the exact share of the
// system's failures that the element causes, as the summary counts them).
//
// fiabilidad_exacta --sensibilidad NAME.DAT [t ...]: for each element and each of its
// parameters k (1 or 2, as the data file gives them), "SENSIBILIDAD element k dMEDIA
// elasticity", then for each time "SENSIBILIDAD_R t element k dR elasticity".
//
// Values have 17 significant digits; x / 0 is "inf" (or "-inf"), 0 / 0 "nan".
//
// "--help" or "--version" as the only argument, where no data file has that name, writes
// its text instead. It only reads: it takes no hold on the folder and writes no file.
int runExactCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err);

// A value with 17 significant digits and "." as decimal separator, whatever the locale.
std::string seventeenDigits(double value);

// What `fiabilidad_exacta --help` writes.
extern const char* const kExactHelp;

}  // namespace farvik::analysis
