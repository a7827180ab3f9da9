#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QPushButton;
class QWidget;

namespace farvik {

// The graph as its frame shows it (the plot in its shown range, zoom included, the range
// labels, the values of the grid lines and the titles), at the frame's size.
QImage graphImage(QWidget& frame);
// The same as an SVG drawing: vectors and text. False when the file cannot be written.
bool writeGraphSvg(QWidget& frame, const QString& path);
bool writeGraphPng(QWidget& frame, const QString& path);

// The reliability table as CSV: a header row, then one row an interval with its lower and
// upper bound, failures, reliability and failure rate written as tablafia.txt writes them
// ("." decimals), lines ended by CR LF, UTF-8.
QByteArray reliabilityCsv(const QByteArray& tableText);

// The graph window's "E&xportar" button (btexportar) and its menu: the graph to PNG or SVG,
// the graph to the clipboard, the table to CSV. Files are chosen through the dialog seam,
// starting in folder; a file that exists is replaced only when the user says so.
QPushButton* makeExportButton(QWidget* window, QWidget* frame, const QString& tableFile,
                              const QString& folder);

}  // namespace farvik
