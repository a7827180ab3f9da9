#pragma once

#include <QTimer>
#include <QWidget>

#include "base/printable_view.h"
#include "block_diagram.h"

class QPushButton;
class QScrollArea;

namespace farvik {

class SystemDocument;

namespace diagram {
class DiagramCanvas;
}

// The child window "Diagrama de bloques": the system being edited drawn as blocks, redrawn
// after every edit. A click on a block asks for its row in the editor; Ctrl with the wheel
// zooms, "Ajustar" fits the whole diagram into the window; it prints through the print job
// of the results and exports PNG and SVG.
class BlockDiagramWindow : public QWidget, public PrintableView {
    Q_OBJECT
  public:
    // Draws the document's system and follows its changes; its file name heads the print.
    explicit BlockDiagramWindow(const SystemDocument& document, QWidget* parent = nullptr);
    ~BlockDiagramWindow() override;

    const diagram::BlockDiagram& diagram() const { return diagram_; }
    double zoom() const;
    // A zoom the user chose ("100 %", Ctrl and the wheel): the diagram no longer follows the
    // window's size.
    void setZoom(double zoom);
    // "Ajustar": the whole diagram in the window (never above 100 %), and again after every
    // resize of the window and every edit, until the user zooms.
    void fitToWindow();
    bool fitting() const { return fitting_; }
    // Fits a diagram larger than the window; a smaller one stays at its own size.
    void fitIfLarger();

    // Lays the diagram out again from the document's system now; scheduleRefresh() does it once
    // after the edits of the current event, however many they are.
    void refresh();
    void scheduleRefresh();

    void printView() override;
    // "Exportar...": asks for a file through the dialog seam; a .svg name gives SVG.
    void exportToFile();

    diagram::DiagramCanvas* canvas() const { return canvas_; }
    QSize sizeHint() const override;

  signals:
    void elementChosen(int k);    // element row k of the editor
    void pathEntryChosen(int e);  // path-entry row e of the editor

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void blockClicked(const diagram::Block& block);
    void applyFit();

    const SystemDocument& document_;
    diagram::BlockDiagram diagram_;
    diagram::DiagramCanvas* canvas_;
    QScrollArea* scroll_;
    QTimer refreshTimer_;
    bool fitting_ = false;
    bool applyingFit_ = false;
};

}  // namespace farvik
