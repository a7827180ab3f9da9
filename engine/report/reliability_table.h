#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace brenta {

// Builds tablafia.txt from the listing of system times: failures, reliability and failure
// rate over at most 40 intervals of a width that makes 40 intervals reach the first
// multiple of a power of ten above the largest time. When the largest time is not
// positive, says so on the console and leaves the table empty.
// Throws EngineError when the listing cannot be read back or the table cannot be written.
// The largest value of the listing, when the caller already knows it, spares the first of
// the two passes over the file.
void writeReliabilityTable(const std::string& listingPath, const std::string& tablePath,
                           std::int32_t nsim, std::ostream& console,
                           std::optional<double> largestListed = std::nullopt);

// A time as the listing gives it back: written with 10 significant digits and read again.
// Both steps keep order, so the largest value read back is listedValue(largest time).
double listedValue(double x);

// Interval width for a largest time tmax > 0 (exposed for tests).
double intervalWidth(double tmax);

}  // namespace brenta
