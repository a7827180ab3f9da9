#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>
#include <vector>

#include "comparison.h"
#include "csv_export.h"
#include "reliability_bounds.h"
#include "simulated_summary.h"

namespace farvik {

// What the window "Comprobación exacta" shows, printed and exported alike: one row per
// reliability time, the mean life and each duplication; the simulated value, the exact one,
// the standard error, z and, for duplications, both gains with the standard error of the
// simulated one and its z. Rows whose simulated value lies beyond 4 standard errors are
// marked. No figure reads "-0".
struct ExactCheckTable {
    QStringList headers;
    struct Row {
        QStringList cells;        // shown: 10 significant digits, z with 2 decimals
        QStringList exportCells;  // exported: 17 significant digits
        CsvRow exportRow;         // the same, numbers as numbers
        bool marked = false;
    };
    QVector<Row> rows;
    QString heading;      // what was compared with what
    QString verdict;      // with the redundancy study: whether the simulated best is the exact best
    bool bounds = false;  // the columns are those of tableOfBounds()
};

// Simulated values beside exact ones.
ExactCheckTable tableOf(const analysis::Comparison& c);

// The exact values alone, for a document with no results of its own: the mean life and,
// when given, the duplications.
ExactCheckTable tableOfExact(const analysis::ExactSystem& exact, const analysis::Estimate& life,
                             const std::vector<analysis::Duplication>* duplications);

// A general system out of reach of the exact computation (`reason` says why): at each time of
// the simulation, its R beside the bounds of the exact R from the system's paths and cuts.
// A row is marked where the simulated value lies beyond a bound by more than 4 standard
// errors, sqrt(b (1 - b) / trials) at that bound b.
ExactCheckTable tableOfBounds(
    const QString& reason, const analysis::SimulatedSummary& simulated,
    const std::vector<analysis::ReliabilityBounds>& bounds);  // one per simulated time

// The table as CSV in the flavour given: the header row and one row per value.
QByteArray csvOf(const ExactCheckTable& table, CsvFlavour flavour);

// A shown figure: 10 significant digits, "infinito" for an infinity, "-" for none.
QString shownFigure(double v);
// A z as shown: two decimals.
QString shownZ(double z);

// The table in fixed columns, for printing.
QString textOf(const ExactCheckTable& table);

}  // namespace farvik
