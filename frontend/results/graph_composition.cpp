#include "graph_composition.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "axis_ticks.h"
#include "graph_painter.h"

namespace farvik {

void paintGraphComposition(QPainter& painter, const QRectF& area, const GraphPicture& picture,
                           const QFont& font, qreal indent, qreal pixel, const QString& title) {
    painter.save();
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const qreal line = fm.height();
    const qreal tick = 5 * pixel;
    const qreal gap = 4 * pixel;

    const bool drawn = picture.curve != nullptr;
    const GraphRange& r = picture.range;
    const QString x0 = drawn ? fixedNumber(r.x0, 2) : QString();
    const QString x1 = drawn ? fixedNumber(r.x1, 2) : QString();
    const QString y0 = drawn ? fixedNumber(r.y0, 2) : QString();
    const QString y1 = drawn ? fixedNumber(r.y1, 2) : QString();

    const qreal titleRoom = title.isEmpty() ? 0 : line + gap;
    const qreal top = titleRoom + 2 * line;
    const qreal bottom = 2 * line + tick + 2 * gap;
    const qreal right = fm.horizontalAdvance(x1) / 2 + gap;
    const qreal plotHeight = std::max(area.height() - top - bottom, pixel);

    // The y values first: the column left of the plot must hold them.
    AxisRoom yRoom;
    yRoom.length = plotHeight;
    yRoom.lowEnd = yRoom.highEnd = line / 2;
    yRoom.gap = gap / 2;
    yRoom.extent = [line](const QString&) { return line; };
    const AxisTicks yTicks =
        drawn ? chooseTicks(r.y0, r.y1, yRoom, picture.kind == kFailureCountGraph) : AxisTicks();
    qreal labelWidth = std::max(fm.horizontalAdvance(y0), fm.horizontalAdvance(y1));
    for (const QString& label : yTicks.labels)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(label));
    const qreal left = std::max(indent, labelWidth + tick + 2 * gap);
    const QRectF plot(area.left() + left, area.top() + top,
                      std::max(area.width() - left - right, pixel), plotHeight);

    AxisRoom xRoom;
    xRoom.length = plot.width();
    xRoom.lowEnd = fm.horizontalAdvance(x0);
    xRoom.highEnd = fm.horizontalAdvance(x1);
    xRoom.gap = 2 * gap;
    xRoom.extent = [&fm](const QString& s) { return fm.horizontalAdvance(s); };
    const AxisTicks xTicks = drawn ? chooseTicks(r.x0, r.x1, xRoom) : AxisTicks();

    GraphPicture ticked = picture;
    ticked.xTicks = xTicks.values;
    ticked.yTicks = yTicks.values;
    paintPlot(painter, plot, ticked, pixel);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::darkGray, pixel));
    const auto xAt = [&](double v) {
        return plot.left() + axisPosition(v, r.x0, r.x1, plot.width());
    };
    const auto yAt = [&](double v) {
        return plot.bottom() - axisPosition(v, r.y0, r.y1, plot.height());
    };
    for (qreal x : {plot.left(), plot.right()})
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
    for (qreal y : {plot.top(), plot.bottom()})
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
    for (double v : xTicks.values)
        painter.drawLine(QPointF(xAt(v), plot.bottom()), QPointF(xAt(v), plot.bottom() + tick));
    for (double v : yTicks.values)
        painter.drawLine(QPointF(plot.left() - tick, yAt(v)), QPointF(plot.left(), yAt(v)));

    painter.setPen(Qt::black);
    const qreal labelsTop = plot.bottom() + tick + gap;
    const qreal labelsRight = plot.left() - tick - gap;
    const auto text = [&](qreal x, qreal y, const QString& s) {
        painter.drawText(QPointF(x, y + fm.ascent()), s);
    };
    if (!title.isEmpty()) {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QPointF(area.left() + indent, area.top() + fm.ascent()), title);
        painter.setFont(font);
    }
    text(plot.left(), labelsTop, x0);
    text(plot.right() - fm.horizontalAdvance(x1), labelsTop, x1);
    text(labelsRight - fm.horizontalAdvance(y0), plot.bottom() - line / 2, y0);
    text(labelsRight - fm.horizontalAdvance(y1), plot.top() - line / 2, y1);
    for (std::size_t i = 0; i < xTicks.values.size(); ++i)
        text(xAt(xTicks.values[i]) - fm.horizontalAdvance(xTicks.labels[i]) / 2, labelsTop,
             xTicks.labels[i]);
    for (std::size_t i = 0; i < yTicks.values.size(); ++i)
        text(labelsRight - fm.horizontalAdvance(yTicks.labels[i]), yAt(yTicks.values[i]) - line / 2,
             yTicks.labels[i]);
    if (drawn) {
        // The x title on the line under the values, the y title above the plot.
        const QString& xTitle = picture.curve->xTitle;
        text(plot.center().x() - fm.horizontalAdvance(xTitle) / 2, labelsTop + line, xTitle);
        text(plot.left(), area.top() + titleRoom, picture.curve->yTitle);
    }
    painter.restore();
}

}  // namespace farvik
