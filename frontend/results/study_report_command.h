#pragma once

class QWidget;

namespace farvik {

struct StudySource;

// "Informe del estudio": works the report of a run out, shows its pages in the print
// preview, then asks through the dialog seam where to write it: a PDF of those very pages,
// or one HTML page that holds its pictures. A file that exists is replaced only when the
// user says so. True when the report was written.
bool writeStudyReport(QWidget* parent, const StudySource& source);

}  // namespace farvik
