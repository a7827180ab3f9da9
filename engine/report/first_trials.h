#pragma once

#include <cstdint>
#include <string>

#include "system_data.h"
#include "table50.h"

namespace brenta {

// The first-trials tables: "fallo.txt" lists, for trials 1 to 20, every element's time,
// each row's time and the system time; "redun.TXT" the same with one element duplicated,
// one line per cell. A line holds at most 100 values and continues on the next.
constexpr std::int32_t kFirstTrials = 20;

// The two heading records of both files, the class record and the column labels.
void appendFalloHeader(std::string& out, const SystemData& s);
void appendRedunHeader(std::string& out, const SystemData& s);

// One trial's row of fallo.txt: the trial vector (each row's times, then its row time)
// and the system time.
void appendFalloRow(std::string& out, const SystemData& s, const Table50<double>& t,
                    const double* rowTimes, double system);

// One cell's row of redun.TXT: trial, position and row number, then the trial vector of the
// working table and the system time with the duplicate.
void appendRedunRow(std::string& out, const SystemData& s, std::int32_t k, int j, int i,
                    const Table50<double>& work, const double* workRows, double xd);

}  // namespace brenta
