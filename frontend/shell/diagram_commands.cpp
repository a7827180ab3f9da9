// The block diagram of the document: one window, which follows the editor of the moment.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <algorithm>

#include "base/child_window.h"
#include "editor/block_diagram_window.h"
#include "editor/diagram_canvas.h"
#include "editor/frmdatos.h"
#include "main_window.h"
#include "what_if_panel.h"

namespace farvik {
namespace {

// Narrower than this, a diagram beside the editor shows too little of itself.
constexpr int kDiagramMinimumWidth = 400;

}  // namespace

void frmMain::openDiagram() {
    if (diagram_) {
        mdiArea_->setActiveSubWindow(diagram_);
        return;
    }
    auto* window = new BlockDiagramWindow(systemDocument_);
    diagramWidget_ = window;
    diagram_ = mdiArea_->addSubWindow(window);
    diagram_->setAttribute(Qt::WA_DeleteOnClose);
    // A click on a block shows its row in the editor.
    connect(window, &BlockDiagramWindow::elementChosen, this, [this](int k) {
        if (whatIf_) showWhatIf(k);  // the panel open follows the block chosen
        if (!dataEditorWidget_) return;
        mdiArea_->setActiveSubWindow(dataEditor_);
        dataEditorWidget_->selectElementRow(k);
    });
    connect(window, &BlockDiagramWindow::pathEntryChosen, this, [this](int e) {
        if (!dataEditorWidget_) return;
        mdiArea_->setActiveSubWindow(dataEditor_);
        dataEditorWidget_->selectPathEntryRow(e);
    });
    // A right click on a block offers "¿Y si...?" for its element.
    connect(window->canvas(), &diagram::DiagramCanvas::blockMenuAsked, this,
            [this](const diagram::Block& block, QPoint at) {
                const int k = block.elementRow > 0 ? block.elementRow
                              : block.unknown
                                  ? 0
                                  : elementRowOfLabel(systemDocument_.system(), block.label);
                if (k <= 0) return;
                QMenu menu;
                menu.addAction(QStringLiteral("¿&Y si...?"), this, [this, k] { showWhatIf(k); });
                menu.exec(at);
            });
    placeChildWindow(*mdiArea_, *diagram_);
    placeBesideEditor();
    window->show();
    mdiArea_->setActiveSubWindow(diagram_);
    window->fitIfLarger();
}

void frmMain::placeBesideEditor() {
    // The diagram is read while the rows are edited, so it goes to the right of the editor
    // when the frame has room there; otherwise it stays where child windows open.
    if (!dataEditor_ || !diagram_ || dataEditor_->isMinimized() || dataEditor_->isMaximized())
        return;
    const QRect editor = dataEditor_->geometry();
    const QSize room = mdiArea_->viewport()->size();
    const int left = editor.right() + 1;
    const int width = std::min(diagram_->sizeHint().width(), room.width() - left);
    if (width < diagram_->minimumSizeHint().width() || width < kDiagramMinimumWidth) return;
    const int height = std::max(editor.height(), std::min(diagram_->height(), room.height()));
    diagram_->setGeometry(left, editor.top(), width,
                          std::min(height, room.height() - editor.top()));
}

}  // namespace farvik
