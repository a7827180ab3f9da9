#include "shell/data_editor_factory.h"

#include "editor/frmdatos.h"

namespace farvik {

QWidget* createDataEditor(DocumentHost& host, QWidget* parent) {
    return new frmdatos(host, parent);
}

}  // namespace farvik
