#pragma once

#include <QList>
#include <QWidget>

class QFrame;
class QLabel;

namespace farvik {

class GraphPlot;
struct GraphPicture;

// The graph's frame (frmgrafico): the plot, the four range labels at its corners, the two
// axis titles and the 11 + 11 grid lines, whose ends show as ticks beside the plot.
class GraphFrame : public QWidget {
    Q_OBJECT

  public:
    explicit GraphFrame(QWidget* parent = nullptr);

    GraphPlot* plot() const { return plot_; }
    // Shows the ranges and titles of a graph the scale step accepted, and draws it.
    void mostrar(const GraphPicture& picture);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void lay_out();

    GraphPlot* plot_;
    QLabel* x0y0x_;
    QLabel* x1y0_;
    QLabel* x0y0y_;
    QLabel* x0y1_;
    QLabel* lbx_;
    QLabel* lby_;
    QList<QFrame*> lineh_;
    QList<QFrame*> linev_;
};

}  // namespace farvik
