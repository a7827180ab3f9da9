#pragma once

#include <QList>
#include <QWidget>

class QFrame;
class QLabel;

namespace farvik {

class GraphPlot;
struct GraphPicture;

// The graph's frame (frmgrafico): the plot, the four range labels at its corners, the two
// axis titles and the 11 + 11 grid lines, whose ends show as ticks beside the plot, with the
// values of the inner grid lines beside their ticks where there is room for them.
class GraphFrame : public QWidget {
    Q_OBJECT

  public:
    explicit GraphFrame(QWidget* parent = nullptr);

    GraphPlot* plot() const { return plot_; }
    // Shows the ranges and titles of a graph the scale step accepted, and draws it.
    void display(const GraphPicture& picture);

    // The labels of the inner grid lines 1..9 (tickx(i) below the plot, ticky(i) on its
    // left, grid line 0 at the plot's top); hidden where they would not fit.
    QLabel* tickx(int i) const { return tickx_.value(i - 1); }
    QLabel* ticky(int i) const { return ticky_.value(i - 1); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void lay_out();
    void lay_out_ticks(const QRect& plot, int labelsTop, int labelsRight);

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
};

}  // namespace farvik
