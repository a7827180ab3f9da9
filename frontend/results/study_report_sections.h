#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <vector>

#include "graph_painter.h"
#include "study_report.h"

namespace farvik {

// The report's content apart from how it is laid out: its tables as rows of texts, the
// same for the pages and for HTML, so that both say the same figures.
struct ReportTable {
    QString title;
    QStringList headers;
    QVector<QStringList> rows;
    QVector<int> rightAligned;  // columns of numbers
    std::vector<double> bars;   // one a row (a share of 0..1), drawn in an added column
    QVector<bool> marked;       // rows to shade
};

// The title page's items, "Sistema" ... "Fecha", with their values.
QVector<QPair<QString, QString>> titleItems(const StudyReport& r);
ReportTable elementTable(const StudyReport& r);
ReportTable reliabilityTable(const StudyReport& r);
ReportTable meanLifeTable(const StudyReport& r);
ReportTable causeTable(const StudyReport& r);
ReportTable redundancyTable(const StudyReport& r);
// The exact check: one row per value with its z, and the duplications' gains apart.
ReportTable checkTable(const StudyReport& r);
ReportTable checkGainTable(const StudyReport& r);

// The graph of each kind as the graph window draws it whole, with its exact curve.
GraphPicture reportGraph(const StudyReport& r, GraphKind kind);
QString reportGraphTitle(const StudyReport& r, GraphKind kind);

}  // namespace farvik
