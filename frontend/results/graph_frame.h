#pragma once

#include <QList>
#include <QWidget>

#include "axis_ticks.h"
#include "graph_painter.h"

class QFrame;
class QLabel;

namespace farvik {

class GraphPlot;
struct GraphPicture;

// The graph's frame (frmgrafico): the plot, the four range labels at its corners, the two
// axis titles and the 11 + 11 grid lines, whose ends show as ticks beside the plot: lines 0
// and 10 at the plot's edges, the others at round values of the shown range, as many as
// their labels have room for, each with its value beside it.
class GraphFrame : public QWidget {
    Q_OBJECT

  public:
    explicit GraphFrame(QWidget* parent = nullptr);

    GraphPlot* plot() const { return plot_; }
    // Shows the ranges and titles of a graph the scale step accepted, and draws it.
    void display(const GraphPicture& picture);

    // The labels of the inner grid lines 1..9 (tickx(i) below the plot from the left,
    // ticky(i) on its left from the top); those the axis has no round value for are hidden.
    QLabel* tickx(int i) const { return tickx_.value(i - 1); }
    QLabel* ticky(int i) const { return ticky_.value(i - 1); }
    // The round values of the axes as now laid out.
    const AxisTicks& xTicks() const { return xTicks_; }
    const AxisTicks& yTicks() const { return yTicks_; }
    // The picture as the plot draws it, ticks included.
    const GraphPicture& picture() const { return picture_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void lay_out();
    void place_ticks(const QRect& plot, int labelsTop, int labelsRight);

    GraphPlot* plot_;
    QLabel* x0y0x_;
    QLabel* x1y0_;
    QLabel* x0y0y_;
    QLabel* x0y1_;
    QLabel* lbx_;
    QLabel* lby_;
    QList<QFrame*> lineh_;
    QList<QFrame*> linev_;
    QList<QLabel*> tickx_;
    QList<QLabel*> ticky_;
    GraphPicture picture_;
    AxisTicks xTicks_;
    AxisTicks yTicks_;
};

}  // namespace farvik
