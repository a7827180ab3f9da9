#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

#include "graph_painter.h"

namespace farvik {

// The plot area (pctgrafico): draws the graph the scale step last accepted, shows the
// pointer's coordinates as its tooltip and lets the user drag a rectangle to zoom into.
class GraphPlot : public QWidget {
    Q_OBJECT

  public:
    explicit GraphPlot(QWidget* parent = nullptr);

    // Called with the rectangle of a finished drag, and on the right button.
    void setZoomHandler(std::function<void(const GraphRange&)> zoom) { zoom_ = std::move(zoom); }
    void setFullViewHandler(std::function<void()> fullView) { fullView_ = std::move(fullView); }

    // Draws a graph whose range the scale step accepted.
    void setPicture(const GraphPicture& picture);
    const GraphPicture& picture() const { return picture_; }
    bool hasPicture() const { return picture_.curve != nullptr; }

    // Where the range lies on the widget, in pixels.
    QRectF plotRect() const;
    PlotMapping mapping() const { return PlotMapping(plotRect(), picture_.range); }

    bool dragging() const { return dragging_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPointF toUser(QPointF pixel) const { return mapping().toUser(pixel); }

    GraphPicture picture_;
    std::function<void(const GraphRange&)> zoom_;
    std::function<void()> fullView_;
    bool dragging_ = false;
    QPointF anchor_;   // where the drag began, in pixels
    QPointF pointer_;  // where it is now
};

}  // namespace farvik
