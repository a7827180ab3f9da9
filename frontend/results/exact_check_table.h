#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>
#include <vector>

#include "comparison.h"

namespace farvik {

// What the window "Comprobación exacta" shows, printed and exported alike: one row per
// reliability time, the mean life and each duplication; the simulated value, the exact one,
// the standard error, z and, for duplications, both gains. Rows whose simulated value lies
// beyond 4 standard errors are marked.
struct ExactCheckTable {
    QStringList headers;
    struct Row {
        QStringList cells;        // shown: 10 significant digits, z with 2 decimals
        QStringList exportCells;  // exported: 17 significant digits
        bool marked = false;
    };
    QVector<Row> rows;
    QString heading;  // what was compared with what
    QString verdict;  // with the redundancy study: whether the simulated best is the exact best
};

// Simulated values beside exact ones.
ExactCheckTable tableOf(const analysis::Comparison& c);

// The exact values alone, for a document with no results of its own: the mean life and,
// when given, the duplications.
ExactCheckTable tableOfExact(const analysis::ExactSystem& exact, const analysis::Estimate& life,
                             const std::vector<analysis::Duplication>* duplications);

// Comma-separated values, a heading line, "." decimals, fields with a comma or a quote quoted.
QString csvOf(const ExactCheckTable& table);

// The table in fixed columns, for printing.
QString textOf(const ExactCheckTable& table);

}  // namespace farvik
