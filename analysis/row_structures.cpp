#include "row_structures.h"

#include <cmath>

namespace farvik::analysis {
namespace {

// ln(x) for x = 1 - y, taken from whichever of the two is the more exact.
double logOf(double x, double y) {
    return y < 0.5 ? std::log1p(-y) : std::log(x);
}

}  // namespace

RowStructure::RowStructure(std::vector<std::vector<int>> rows, bool seriesOfParallel)
    : rows_(std::move(rows)), seriesOfParallel_(seriesOfParallel) {}

// Both classes are one formula with the roles of p and q exchanged. In class 4 a row works
// when all of its elements work (probability of all = the product of p) and the system
// fails when all rows fail; in class 3 a row fails when all of its elements fail (the
// product of q) and the system works when all rows work. Sums of logarithms keep the
// digits of a product near 1 and of its complement.
double RowStructure::logOuter(const double* p, const double* q) const {
    const double* all = seriesOfParallel_ ? q : p;  // per element: the event of a row of all
    const double* none = seriesOfParallel_ ? p : q;
    double sum = 0;
    for (const auto& row : rows_) {
        double logAll = 0;
        for (int k : row) logAll += logOf(all[k], none[k]);
        // ln(1 - e^logAll), from whichever side keeps the digits.
        const double product = std::exp(logAll);
        sum += product < 0.5 ? std::log1p(-product) : std::log(-std::expm1(logAll));
    }
    return sum;
}

double RowStructure::reliability(const double* p, const double* q) const {
    // Class 4: R = 1 - product; class 3: R = product.
    const double outer = logOuter(p, q);
    return seriesOfParallel_ ? std::exp(outer) : -std::expm1(outer);
}

double RowStructure::unreliability(const double* p, const double* q) const {
    const double outer = logOuter(p, q);
    return seriesOfParallel_ ? -std::expm1(outer) : std::exp(outer);
}

// d[k] by products of all other factors, from the left and from the right, so that a factor
// of 0 needs no division.
double RowStructure::reliabilityAndPartials(const double* p, const double* q, double* d) const {
    const double* all = seriesOfParallel_ ? q : p;
    const std::size_t n = rows_.size();
    std::vector<double> rowAll(n), rowOther(n);  // P(all event of the row), its complement
    std::vector<double> left, right;
    for (std::size_t i = 0; i < n; ++i) {
        double product = 1;
        for (int k : rows_[i]) product *= all[k];
        rowAll[i] = product;
        rowOther[i] = 1 - product;
    }
    // Product of rowOther over the rows before and after each row.
    std::vector<double> before(n + 1, 1.0), after(n + 1, 1.0);
    for (std::size_t i = 0; i < n; ++i) before[i + 1] = before[i] * rowOther[i];
    for (std::size_t i = n; i-- > 0;) after[i] = after[i + 1] * rowOther[i];
    for (std::size_t i = 0; i < n; ++i) {
        const std::vector<int>& row = rows_[i];
        const double others = before[i] * after[i + 1];
        left.assign(row.size() + 1, 1.0);
        right.assign(row.size() + 1, 1.0);
        for (std::size_t m = 0; m < row.size(); ++m) left[m + 1] = left[m] * all[row[m]];
        for (std::size_t m = row.size(); m-- > 0;) right[m] = right[m + 1] * all[row[m]];
        for (std::size_t m = 0; m < row.size(); ++m) {
            // Class 4: dR/dp = others * product of the other p of the row. Class 3: the
            // system needs this row to work, and p raises that by the product of the other
            // q of the row.
            d[row[m]] = others * left[m] * right[m + 1];
        }
    }
    // An element repeated in a row would have been counted once per position; rows of
    // classes 3 and 4 hold distinct elements, so each d[k] is written once.
    return reliability(p, q);
}

}  // namespace farvik::analysis
