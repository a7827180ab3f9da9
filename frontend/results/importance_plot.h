#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace farvik {

// The Birnbaum importance IB(t) of a few elements over a range of times, one coloured line
// each, with a legend: drawn on screen, printed and exported by the same paint().
class ImportancePlot : public QWidget {
  public:
    struct Line {
        QString label;
        std::vector<double> values;
    };

    explicit ImportancePlot(QWidget* parent = nullptr);

    void setLines(std::vector<double> times, std::vector<Line> lines);
    // The line over the plot; the Birnbaum importance's unless set.
    void setTitle(const QString& title);
    bool empty() const { return lines_.empty(); }
    // Paints the plot into `area`; `pixel` is the size of one screen pixel in its units.
    void paint(QPainter& painter, const QRectF& area, qreal pixel) const;
    QSize sizeHint() const override { return {640, 360}; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::vector<double> times_;
    std::vector<Line> lines_;
    QString title_;
};

}  // namespace farvik
