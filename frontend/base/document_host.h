#pragma once

#include <QString>

namespace farvik {

// The one open document: the system data file being edited.
struct DocumentState {
    QString currentFile;    // full path; empty while the document is untitled
    bool modified = false;  // the editor holds changes that are not in currentFile
};

// What a child window (the data editor above all) needs from the main window: the document
// flags, and cambia_titulo to rebuild the caption and the toolbar after changing them.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;
    virtual DocumentState& document() = 0;
    virtual void cambia_titulo() = 0;

    // Every edit: mark the document modified, then refresh the caption and toolbar.
    void markModified() {
        document().modified = true;
        cambia_titulo();
    }
};

}  // namespace farvik
