#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace farvik {

// The three graphs drawn from the reliability table, in the order of their option buttons.
enum GraphKind { kReliabilityGraph = 0, kFailureCountGraph = 1, kFailureRateGraph = 2 };

struct Curve {
    QPointF min;                  // smallest x and smallest y of the points
    QPointF max;                  // largest x and largest y of the points
    std::vector<QPointF> points;  // from point 0
    QString xTitle;
    QString yTitle;
};

struct ReliabilityCurves {
    std::array<Curve, 3> curves;
    int n = 1;  // number of points of each curve: the rows read plus point 0
};

// The rows of tablafia.txt as their five fields are written there (lower bound, upper bound,
// failures, reliability, failure rate), read as readReliabilityTable reads them.
std::vector<std::array<QByteArray, 5>> readTableRows(const QByteArray& text);

// A field of the table as a number, as the graph reads it.
double tableNumber(const QByteArray& field);

// Reads the text of tablafia.txt: the heading is skipped, then each row of five numbers
// (lower bound, upper bound, failures, reliability, failure rate) adds one point to each
// curve. A row cut short by the end of the text is left out. Ranges are computed too.
ReliabilityCurves readReliabilityTable(const QByteArray& text);

// min and max of every curve over its points; the histogram starts at time 0.
void computeRanges(ReliabilityCurves& curves);

// What a graph is called in titles and reports: "Fiabilidad", "Histograma de fallos",
// "Tasa de fallo".
QString graphName(GraphKind kind);

// The title line of a graph taken out of the window: "SERPAR.DAT: Fiabilidad, 2000
// pruebas, semilla 1" (without the seed when it is not known).
QString studyGraphTitle(const QString& file, GraphKind kind, long trials, std::optional<int> seed);

}  // namespace farvik
