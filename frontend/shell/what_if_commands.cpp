// "¿Y si...?": the panel of one element of the document, opened from the Ver menu (the
// editor's row), the block diagram and the importance window; "Aplicar" is one edit of the
// document.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "base/child_window.h"
#include "base/dialog_seam.h"
#include "editor/frmdatos.h"
#include "main_window.h"
#include "simulated_summary.h"
#include "what_if_panel.h"

namespace farvik {

int frmMain::focusedElementRow() const {
    return dataEditorWidget_ ? dataEditorWidget_->focusedElementRow() : 0;
}

void frmMain::showWhatIf(int key) {
    if (key <= 0) key = focusedElementRow();
    if (key <= 0) {
        dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(),
                          QStringLiteral("Elige primero un elemento: su fila en los datos, su "
                                         "bloque en el diagrama o su fila en la importancia."));
        return;
    }
    std::vector<double> times;
    if (const std::optional<QByteArray> summary = ownSummary()) {
        try {
            for (const auto& r : analysis::readSimulatedSummary(summary->toStdString()).reliability)
                times.push_back(r.t);
        } catch (const analysis::SummaryFormatError&) {
            times.clear();
        }
    }
    auto* panel = whatIf_ ? qobject_cast<WhatIfPanel*>(whatIf_->widget()) : nullptr;
    const bool opened = !panel;
    if (opened) {
        panel = new WhatIfPanel;
        whatIf_ = mdiArea_->addSubWindow(panel);
        whatIf_->setAttribute(Qt::WA_DeleteOnClose);
        // The comparison follows the document: any edit, undo or redo, "Aplicar" itself.
        connect(&systemDocument_, &SystemDocument::systemChanged, panel,
                [this, panel] { panel->systemChanged(systemDocument_.system()); });
        connect(panel, &WhatIfPanel::applyRequested, this,
                [this, panel](int row, const ElementRec& element) {
                    systemDocument_.editElement(
                        row, element,
                        QStringLiteral("¿Y si...? del elemento %1").arg(panel->elementLabel()));
                });
    }
    const QString name = systemDocument_.fileName().isEmpty() ? QStringLiteral("Sin título.DAT")
                                                              : systemDocument_.fileName();
    if (!panel->setElement(systemDocument_.system(), key, name, std::move(times))) {
        if (opened) whatIf_->close();
        return;
    }
    if (opened) {
        placeChildWindow(*mdiArea_, *whatIf_);
        panel->show();
    }
    mdiArea_->setActiveSubWindow(whatIf_);
}

}  // namespace farvik
