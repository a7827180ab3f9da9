#pragma once

#include <QWidget>

namespace farvik::diagram {

struct Block;
struct BlockDiagram;

// Paints a block diagram at a zoom; tells of clicks on blocks and of Ctrl with the wheel.
class DiagramCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit DiagramCanvas(const BlockDiagram& diagram, QWidget* parent = nullptr);

    double zoom() const { return zoom_; }
    // Sets the zoom (clamped to 5%..400%) and takes the size the diagram needs at it.
    void setZoom(double zoom);
    // The size of the diagram changed: take it again.
    void diagramChanged();

    static constexpr double kMinZoom = 0.05;
    static constexpr double kMaxZoom = 4.0;

  signals:
    void blockClicked(const farvik::diagram::Block& block);
    // A right click on a block: its context menu is asked for, at `at` on the screen.
    void blockMenuAsked(const farvik::diagram::Block& block, QPoint at);
    // Ctrl and the wheel: factor above 1 to zoom in, at a point of the canvas.
    void zoomAsked(double factor, QPoint at);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    const BlockDiagram& diagram_;
    double zoom_ = 1.0;
};

}  // namespace farvik::diagram
