#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

#include "csv_export.h"

class QPushButton;
class QWidget;

namespace farvik {

// The graph as its frame shows it (the plot in its shown range, zoom included, the range
// labels, the values of the grid lines, the axis titles and the legend), under a title line
// that says what it is: as wide as the frame, and as high as it and the title line.
QImage graphImage(QWidget& frame, const QString& title);
// The same as an SVG drawing: vectors and text. False when the file cannot be written.
bool writeGraphSvg(QWidget& frame, const QString& title, const QString& path);
bool writeGraphPng(QWidget& frame, const QString& title, const QString& path);
// Asks through the dialog seam for a PNG or SVG file, starting in folder, and writes the graph
// there under the title; says so when the file cannot be written. False when nothing was
// written (also when the user cancelled).
bool exportGraphToChosenFile(QWidget* parent, QWidget& frame, const QString& title,
                             const QString& folder);
// The height of the title line over the frame.
int graphTitleHeight(const QWidget& frame);

// The reliability table as CSV in the flavour given: a header row, then one row an interval
// with its lower and upper bound, failures, reliability and failure rate.
QByteArray reliabilityCsv(const QByteArray& tableText, CsvFlavour flavour);

// The graph window's "E&xportar" button (btexportar) and its menu: the graph to PNG or SVG,
// the graph to the clipboard, the table to CSV. Files are chosen through the dialog seam,
// starting in folder; a file that exists is replaced only when the user says so.
QPushButton* makeExportButton(QWidget* window, QWidget* frame, std::function<QString()> title,
                              const QString& tableFile, const QString& folder);

}  // namespace farvik
