#pragma once

#include <QDate>
#include <QRectF>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace farvik {

// Paints the graph into an area of the first page. textIndent is where the text's left
// margin lies from the area's left edge, pixel the size of one screen pixel, both in
// device units.
using GraphPainter =
    std::function<void(QPainter& painter, const QRectF& area, qreal textIndent, qreal pixel)>;

// A result text to print under a two-line heading, optionally with the graph on the first
// page.
struct PrintJob {
    QString heading1;
    QString heading2;
    QString text;
    GraphPainter graph;  // empty: the text alone
};

// "Programa Farvik     Versión: Agosto 2002"
QString headingLine1();
// "Archivo: " and the file's name without folder and extension, then the date.
QString headingLine2(const QString& path, const QDate& date);

// Prints the job on A4 pages of the device (a printer or a PDF writer): heading on every
// page, the text flowed word by word, ".../..." for a page break, "Página: " and the
// number at the foot of each page. Returns the number of pages printed.
int printJob(QPagedPaintDevice& device, const PrintJob& job);

// What every "Imprimir" does: the job's pages in the print preview, then, when the user
// prints from it, the print dialog (a printer or a PDF file) and the job printed there, all
// through the dialog seam. Closing the preview or cancelling the print dialog prints
// nothing. False then, or when nothing could be printed.
bool printWithDialog(QWidget* parent, const PrintJob& job);

}  // namespace farvik
