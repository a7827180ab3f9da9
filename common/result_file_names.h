#pragma once

// The names of the engine's result files, as it writes them into the run's folder: the
// engine's writer, the front end and the tests take them from here.
namespace farvik::result_files {

constexpr const char* kSummary = "resumen.TXT";
constexpr const char* kFirstTrials = "fallo.txt";
constexpr const char* kDuplicatedTrials = "redun.TXT";
constexpr const char* kListing = "listasis.txt";
constexpr const char* kReliabilityTable = "tablafia.txt";

// All five, in the order a run makes them (the table last, from the listing).
constexpr const char* kAll[] = {kFirstTrials, kDuplicatedTrials, kSummary, kListing,
                                kReliabilityTable};

}  // namespace farvik::result_files
