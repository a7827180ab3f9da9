#include "importance_plot.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "axis_ticks.h"

namespace farvik {
namespace {

const QColor kColours[] = {QColor(0, 90, 200), QColor(200, 40, 40), QColor(0, 140, 60),
                           QColor(220, 140, 0), QColor(130, 50, 170)};

}  // namespace

ImportancePlot::ImportancePlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("grfimportancia"));
    setMinimumSize(320, 200);
    title_ = QStringLiteral("Importancia de Birnbaum IB(t)");
}

void ImportancePlot::setTitle(const QString& title) {
    title_ = title;
    update();
}

void ImportancePlot::setLines(std::vector<double> times, std::vector<Line> lines) {
    times_ = std::move(times);
    lines_ = std::move(lines);
    update();
}

void ImportancePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    paint(painter, QRectF(rect()), 1.0);
}

void ImportancePlot::paint(QPainter& painter, const QRectF& area, qreal pixel) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal line = metrics.height();
    const QRectF plot = area.adjusted(6 * metrics.averageCharWidth(), 2 * line,
                                      -2 * metrics.averageCharWidth(), -2.5 * line);
    painter.setPen(QPen(Qt::black, pixel));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), line * 1.5), Qt::AlignCenter,
                     title_);
    painter.drawRect(plot);
    if (times_.size() < 2 || lines_.empty()) {
        painter.restore();
        return;
    }
    double top = 0;
    for (const Line& l : lines_) {
        for (double v : l.values) {
            if (std::isfinite(v)) top = std::max(top, v);
        }
    }
    if (!(top > 0)) top = 1;
    const double t0 = times_.front(), t1 = times_.back();
    auto x = [&](double t) { return plot.left() + plot.width() * (t - t0) / (t1 - t0); };
    auto y = [&](double v) { return plot.bottom() - plot.height() * v / top; };

    // Five marks on each axis, their values beside.
    painter.setPen(QPen(QColor(200, 200, 200), pixel));
    for (int i = 0; i <= 4; ++i) {
        const double vx = t0 + (t1 - t0) * i / 4, vy = top * i / 4;
        painter.setPen(QPen(QColor(210, 210, 210), pixel));
        painter.drawLine(QPointF(x(vx), plot.top()), QPointF(x(vx), plot.bottom()));
        painter.drawLine(QPointF(plot.left(), y(vy)), QPointF(plot.right(), y(vy)));
        painter.setPen(QPen(Qt::black, pixel));
        // Centred under its mark, the last one kept inside the area (not cut at its edge).
        QRectF label(x(vx) - 40 * pixel, plot.bottom() + 2 * pixel, 80 * pixel, line);
        if (label.right() > area.right()) label.moveRight(area.right());
        painter.drawText(label,
                         i == 4 && label.center().x() < x(vx) ? Qt::AlignRight | Qt::AlignTop
                                                              : Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(vx, 'g', 4));
        painter.drawText(
            QRectF(area.left(), y(vy) - line / 2, plot.left() - area.left() - 4 * pixel, line),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(vy, 'g', 3));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + line, plot.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("t (U.T)"));

    for (std::size_t n = 0; n < lines_.size(); ++n) {
        QPainterPath path;
        const auto& values = lines_[n].values;
        for (std::size_t i = 0; i < values.size() && i < times_.size(); ++i) {
            const QPointF point(x(times_[i]), y(std::isfinite(values[i]) ? values[i] : 0));
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(kColours[n % 5], 2 * pixel));
        painter.drawPath(path);
    }
    // The legend, at the top right inside the plot.
    qreal width = 0;
    for (const Line& l : lines_) width = std::max(width, metrics.horizontalAdvance(l.label));
    const QRectF legend(plot.right() - width - 40 * pixel, plot.top() + 6 * pixel,
                        width + 34 * pixel, line * lines_.size() + 6 * pixel);
    painter.setPen(QPen(Qt::black, pixel));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(legend);
    for (std::size_t n = 0; n < lines_.size(); ++n) {
        const qreal ly = legend.top() + 3 * pixel + line * (n + 0.5);
        painter.setPen(QPen(kColours[n % 5], 2 * pixel));
        painter.drawLine(QPointF(legend.left() + 4 * pixel, ly),
                         QPointF(legend.left() + 24 * pixel, ly));
        painter.setPen(QPen(Qt::black, pixel));
        painter.drawText(QPointF(legend.left() + 28 * pixel, ly + metrics.ascent() / 2 - pixel),
                         lines_[n].label);
    }
    painter.restore();
}

}  // namespace farvik
