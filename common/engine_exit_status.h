#pragma once

// Exit statuses of brenta, which the front end reads to tell what ended a run. POSIX keeps
// 8 bits of a status, so each error has a small number of its own; 0 is a complete run.
namespace farvik::engine_exit {

enum ExitStatus {
    kExitOk = 0,
    kExitUsage = 10,            // two or more arguments
    kExitNoDataFile = 11,       // the data file cannot be opened
    kExitEndOfData = 12,        // the data file ends before its last value
    kExitBadInteger = 13,       // letters or a decimal point where an integer is expected
    kExitBadReal = 14,          // no real number where one is expected
    kExitBadStructure = 15,     // structure code outside 1..5
    kExitBadCount = 16,         // a count of subsystems, elements or paths outside 1..50
    kExitBadDimension = 17,     // dimension below the counts it must cover, or above 50
    kExitBadKey = 18,           // element key outside 1..dimension, or repeated
    kExitUnknownPathKey = 19,   // a path names a key that has no element block
    kExitBadDistribution = 20,  // distribution code outside 1..5
    kExitBadParameter = 21,     // parameters for which the distribution is undefined
    kExitBadSeed = 22,          // seed above 161803398 in magnitude
    kExitBadTrials = 23,        // number of trials below 1
    kExitBadAnswer = 30,        // a console answer that is not the number asked for
    kExitEndOfInput = 31,       // the console input ended before an answer
    kExitTooManyTimes = 32,     // more than 100 reliability times
    kExitOutputError = 40,      // a result file cannot be created or written
    kExitListingError = 41,     // the listing file cannot be read back
    kExitFolderInUse = 42,      // another run holds the folder; nothing was touched
};

// Whether brenta ends with `status` by itself: any other status (or a signal) means that
// the engine ended abnormally.
constexpr bool isEngineExitStatus(int status) {
    return status == kExitOk || (status >= kExitUsage && status <= kExitBadTrials) ||
           (status >= kExitBadAnswer && status <= kExitTooManyTimes) ||
           (status >= kExitOutputError && status <= kExitFolderInUse);
}

}  // namespace farvik::engine_exit
