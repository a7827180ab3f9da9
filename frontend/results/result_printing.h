#pragma once

#include <QString>

#include "base/print_job.h"

class QWidget;

namespace farvik {

// What the result viewer's "&Imprimir" does: the shown file's text under its heading,
// without the graph, through the preview and the print dialog. path names the file shown;
// text is what the viewer holds.
bool printResultFile(QWidget* parent, const QString& path, const QString& text);

}  // namespace farvik
