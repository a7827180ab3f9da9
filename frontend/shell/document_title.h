#pragma once

#include <QString>

namespace farvik {

// What the caption shows of the document.
struct DocumentState {
    QString currentFile;    // full path; empty while the document is untitled
    bool modified = false;  // the document holds changes that are not in currentFile
};

// The toolbar buttons that follow the document state.
struct DocumentButtons {
    bool guardar = false;
    bool ejecutar = false;
    bool editarD = false;
    bool editarR = false;

    bool operator==(const DocumentButtons& o) const {
        return guardar == o.guardar && ejecutar == o.ejecutar && editarD == o.editarD &&
               editarR == o.editarR;
    }
};

// What cambia_titulo shows for the document.
struct TitleView {
    QString documentTitle;
    QString caption;
    DocumentButtons buttons;
};

inline const QString kUntitledDocument = QStringLiteral("(Sin Título)");

// The display name: "(Sin Título)" while untitled, else the part of the path after its last
// "/". A path without any "/" keeps the previous name.
QString documentTitleFor(const QString& currentFile, const QString& previousTitle);

// The caption and button states for the document. A modified document can only be saved;
// a clean one can be run and shown, and EditarR stays as it was (only a run switches it on).
TitleView titleViewFor(const DocumentState& document, const QString& programTitle,
                       const QString& previousTitle, const DocumentButtons& current);

}  // namespace farvik
