// The block diagram of the document: one window, which follows the editor of the moment.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "base/child_window.h"
#include "editor/block_diagram_window.h"
#include "editor/frmdatos.h"
#include "main_window.h"

namespace farvik {

void frmMain::openDiagram() {
    if (diagram_) {
        mdiArea_->setActiveSubWindow(diagram_);
        return;
    }
    auto* window = new BlockDiagramWindow([this] { return document_.currentFile; });
    diagramWidget_ = window;
    diagram_ = mdiArea_->addSubWindow(window);
    diagram_->setAttribute(Qt::WA_DeleteOnClose);
    // A click on a block shows its row in the editor.
    connect(window, &BlockDiagramWindow::elementChosen, this, [this](int k) {
        if (!dataEditorWidget_) return;
        mdiArea_->setActiveSubWindow(dataEditor_);
        dataEditorWidget_->selectElementRow(k);
    });
    connect(window, &BlockDiagramWindow::pathEntryChosen, this, [this](int e) {
        if (!dataEditorWidget_) return;
        mdiArea_->setActiveSubWindow(dataEditor_);
        dataEditorWidget_->selectPathEntryRow(e);
    });
    followEditorInDiagram();
    placeChildWindow(*mdiArea_, *diagram_);
    window->show();
    mdiArea_->setActiveSubWindow(diagram_);
    window->fitIfLarger();
}

void frmMain::followEditorInDiagram() {
    if (!diagramWidget_ || !dataEditorWidget_) return;
    connect(dataEditorWidget_, &frmdatos::edited, diagramWidget_,
            &BlockDiagramWindow::scheduleRefresh, Qt::UniqueConnection);
    diagramWidget_->scheduleRefresh();
}

}  // namespace farvik
