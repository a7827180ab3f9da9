#include "graph_composition.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "graph_painter.h"

namespace farvik {

void paintGraphComposition(QPainter& painter, const QRectF& area, const GraphPicture& picture,
                           const QFont& font, qreal indent, qreal pixel) {
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

    const qreal labelWidth = std::max(fm.horizontalAdvance(y0), fm.horizontalAdvance(y1));
    const qreal left = std::max(indent, labelWidth + tick + 2 * gap);
    const qreal top = 2 * line;
    const qreal bottom = line + tick + 2 * gap;
    const qreal right = fm.horizontalAdvance(x1) / 2 + gap;
    const QRectF plot(area.left() + left, area.top() + top,
                      std::max(area.width() - left - right, pixel),
                      std::max(area.height() - top - bottom, pixel));
    paintPlot(painter, plot, picture, pixel);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::darkGray, pixel));
    for (int i = 0; i <= 10; ++i) {
        const qreal x = gridLine(i, plot.left(), plot.width());
        const qreal y = gridLine(i, plot.top(), plot.height());
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
    }

    painter.setPen(Qt::black);
    const qreal labelsTop = plot.bottom() + tick + gap;
    const qreal labelsRight = plot.left() - tick - gap;
    const auto text = [&](qreal x, qreal y, const QString& s) {
        painter.drawText(QPointF(x, y + fm.ascent()), s);
    };
    text(plot.left(), labelsTop, x0);
    text(plot.right() - fm.horizontalAdvance(x1), labelsTop, x1);
    text(labelsRight - fm.horizontalAdvance(y0), plot.bottom() - line / 2, y0);
    text(labelsRight - fm.horizontalAdvance(y1), plot.top() - line / 2, y1);
    if (drawn) {
        const QString& xTitle = picture.curve->xTitle;
        text(plot.center().x() - fm.horizontalAdvance(xTitle) / 2, labelsTop, xTitle);
        text(plot.left(), area.top(), picture.curve->yTitle);
    }
    painter.restore();
}

}  // namespace farvik
