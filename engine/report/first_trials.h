#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output_file.h"
#include "system_data.h"
#include "table50.h"
#include "trial.h"

namespace brenta {

// The first-trials tables: "fallo.txt" lists, for trials 1 to 20, every element's time,
// each row's time and the system time; "redun.TXT" the same with one element duplicated,
// one line per cell. A line holds at most 100 values and continues on the next. The trials
// they cover are the first kFirstTrials (trial.h).

// The two heading records of both files, the class record and the column labels.
void appendFalloHeader(std::string& out, const SystemData& s);
void appendRedunHeader(std::string& out, const SystemData& s);

// The text of one trial's vector: for each row its times and the row's time, then the
// system time, each as two blanks and the exponent form, 100 values to a line. The rows of
// redun.TXT differ from it in a few values only, so they are written as copies of it with
// those values put in.
class TrialVectorText {
  public:
    explicit TrialVectorText(const SystemData& s);

    void build(const Table50<double>& t, const double* rowTimes, double system);
    // The vector of a working table: the built text with the values that differ.
    void writeVariant(OutputFile& out, const Table50<double>& work, const double* workRows,
                      double system);
    // The same for the trial's tables with one element duplicated: only the values the
    // change names are compared, and only those that differ are written.
    void writeChanged(OutputFile& out, const DuplicateChange& change, double system);
    // How many bytes writeVariant() and writeChanged() would write.
    std::size_t variantLength(const Table50<double>& work, const double* workRows, double system);
    std::size_t changedLength(const DuplicateChange& change, double system);
    const std::string& text() const { return text_; }
    // Has the file that writes from the text write it out, so that the text may change.
    void releaseShared();

  private:
    template <typename F>
    void forEachValue(const Table50<double>& t, const double* rowTimes, double system, F f) const;

    // The values that differ from the built text, in changed_; false when one of them does
    // not fit in its place, and then the whole vector in whole_.
    bool collectVariant(const Table50<double>& work, const double* workRows, double system);
    bool collectChanged(const DuplicateChange& change, double system);
    // The text of any vector of values (a value that is negative would not fit).
    static void appendWhole(std::string& out, const std::vector<double>& values);
    void writeWhole(OutputFile& out, const std::vector<double>& values) const;
    std::size_t wholeLength(const std::vector<double>& values) const;
    // The built text with the values in changed_ put in their places.
    void writeWithChanges(OutputFile& out);

    const SystemData& s_;
    std::vector<std::uint32_t> rowStart_;  // index of row i's first value, [1..rows]
    std::vector<double> whole_;
    std::string text_;                    // with its line ends
    std::vector<double> values_;          // in the order of the text
    std::vector<std::uint32_t> offsets_;  // where each value's 15 characters start
    struct Change {
        std::uint32_t index;
        double value;
    };
    std::vector<Change> changed_;
    OutputFile* sharedWith_ = nullptr;  // writes from text_ on its next flush
};

// One trial's row of fallo.txt.
void writeFalloRow(OutputFile& out, const TrialVectorText& vector);

// One cell's row of redun.TXT: trial, position and row number, then the trial vector of the
// working table and the system time with the duplicate.
void writeRedunRow(OutputFile& out, std::int32_t k, int j, int i, TrialVectorText& vector,
                   const Table50<double>& work, const double* workRows, double xd);
// The same from what the duplication changes in the trial's tables.
void writeRedunRow(OutputFile& out, std::int32_t k, int j, int i, TrialVectorText& vector,
                   const DuplicateChange& change, double xd);
// How many bytes each writeRedunRow() would write, so that the place of every row is known
// before any is written.
std::size_t redunRowLength(std::int32_t k, int j, int i, TrialVectorText& vector,
                           const Table50<double>& work, const double* workRows, double xd);
std::size_t redunRowLength(std::int32_t k, int j, int i, TrialVectorText& vector,
                           const DuplicateChange& change, double xd);

}  // namespace brenta
