#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "number_format.h"

namespace brenta {

class OutputFile;

// The failure counts of the table, kept while the listing is written so that the table
// needs no reading of it. The intervals follow from the largest time, known only at the
// end: the counts are kept for the width that the largest time so far gives, and counted
// again from the listing written so far when that width changes (a few times, mostly early
// in a run). Each value counts as the listing gives it back.
class FailureCounts {
  public:
    static constexpr int kMaxIntervals = 48;

    // `v` and `written`: the value just written to the listing and what the edit wrote of
    // it; its line is already committed.
    void add(double v, const E15_9Digits& written, OutputFile& listing);
    // The same for `count` values in a row, their lines already committed.
    void addAll(const double* v, const E15_9Digits* written, int count, OutputFile& listing);

    // False when a value could not be taken from its text here or the listing could not be
    // read again: the table is then built by reading the listing, as without the counts.
    bool valid() const { return valid_; }
    std::int32_t count() const { return n_; }
    double largest() const { return max_; }
    // Failures in (ext[i-1], ext[i]], i = 1..48, for the width of largest().
    std::int32_t failures(int i) const { return nfa_[i]; }

  private:
    // Counts v from the time itself where that gives the listed value's interval (or v lies
    // beyond the table); false when the listed value must be worked out.
    bool countedFromTime(double v, const E15_9Digits& written);
    void addListed(double v, const E15_9Digits& written, OutputFile& listing);
    void setWidth(double h);
    void countValue(double x);
    void recount(OutputFile& listing);

    bool valid_ = true;
    std::int32_t n_ = 0;
    double max_ = 0;
    double largestTime_ = 0;  // the largest v so far, whose listed value is max_
    double h_ = 0;
    double inverse_ = 0;
    std::array<double, kMaxIntervals + 1> ext_{};
    std::array<std::int32_t, kMaxIntervals + 1> nfa_{};
};

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

// The same from the counts kept as the listing was written, or, when they could not be
// kept, from the listing as above.
void writeReliabilityTable(const FailureCounts& counts, const std::string& listingPath,
                           const std::string& tablePath, std::int32_t nsim, std::ostream& console);

// A time as the listing gives it back: written with 10 significant digits and read again.
// Both steps keep order, so the largest value read back is listedValue(largest time).
double listedValue(double x);

// Interval width for a largest time tmax > 0 (exposed for tests).
double intervalWidth(double tmax);

}  // namespace brenta
