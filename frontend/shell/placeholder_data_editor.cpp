// Until the data editor arrives, a new document opens this plain "Datos" window. It keeps
// the editor's protocol: opening it is a change of the document.
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "data_editor_factory.h"
#include "document_host.h"

namespace farvik {

QWidget* createDataEditor(DocumentHost& host, QWidget* parent) {
    auto* editor = new QWidget(parent);
    editor->setObjectName(QStringLiteral("frmdatos"));
    editor->setWindowTitle(QStringLiteral("Datos"));
    auto* layout = new QVBoxLayout(editor);
    auto* note =
        new QLabel(QStringLiteral("El editor de datos todavía no está disponible."), editor);
    note->setWordWrap(true);
    layout->addWidget(note);
    editor->resize(420, 260);
    host.markModified();
    return editor;
}

}  // namespace farvik
