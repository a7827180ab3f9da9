#pragma once

#include <ostream>
#include <string>

#include "reliability_query.h"
#include "running_moments.h"
#include "system_data.h"
#include "table50.h"

namespace brenta {

// The system kind as the summary names it (26 characters), by the structure code.
std::string systemKindText(std::int32_t itipo);

// The head of resumen.TXT: trials and system kind, the reliability values asked for, the
// mean life and its standard error. With reliability values, one empty line goes to the
// console as well.
void appendSummaryHead(std::string& out, std::ostream& console, const SystemData& s,
                       const ReliabilityQuery& q, const RunningMoments& life);

// The cause section: for every element, the trials in which its failure was the
// immediate cause of the system's failure.
void appendCauses(std::string& out, const SystemData& s, const Table50<std::int32_t>& ncausa);

// Class 5: the first cell (m, p) of the paths that holds `key`, in path and position order.
bool firstCellOf(const SystemData& s, int key, int& m, int& p);

}  // namespace brenta
