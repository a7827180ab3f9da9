#pragma once

#include <QByteArray>

class QPagedPaintDevice;

namespace farvik {

struct StudyReport;

// Lays the report out on A4 pages of the device (the print preview's printer or a PDF
// writer): a title page, the block diagram, the elements, the summary's figures as tables
// and a bar chart, the three graphs with their exact curves and the exact check, a heading
// on every page after the first and "Página N de M" at the foot of each. Returns the pages.
int paintStudyReport(QPagedPaintDevice& device, const StudyReport& report);

// The same report as one HTML page that holds its pictures (PNG, inline).
QByteArray studyReportHtml(const StudyReport& report);

}  // namespace farvik
