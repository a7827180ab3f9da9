#pragma once

#include <QString>

#include "base/print_job.h"

class QWidget;

namespace farvik {

// Asks for a printer (or a PDF file) through the dialog seam and prints the job there.
// False when the user cancelled the print dialog or nothing could be printed.
bool printWithDialog(QWidget* parent, const PrintJob& job);

// What the result viewer's "&Imprimir" does: the shown file's text under its heading,
// without the graph. path names the file shown; text is what the viewer holds.
bool printResultFile(QWidget* parent, const QString& path, const QString& text);

}  // namespace farvik
