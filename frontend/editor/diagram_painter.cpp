#include "diagram_painter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "block_diagram.h"

namespace farvik::diagram {

void paintDiagram(QPainter& painter, const BlockDiagram& diagram) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(diagram.bounds, Qt::white);

    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& link : diagram.links) painter.drawPolyline(link);

    painter.setBrush(QColor(0x30, 0x30, 0x30));
    const QFontMetricsF fm(diagram.font);
    const double radius = fm.height() / 5;
    for (const QPointF& node : diagram.nodes) painter.drawEllipse(node, radius, radius);

    painter.setFont(diagram.font);
    const double line = fm.lineSpacing();
    for (const Block& b : diagram.blocks) {
        const bool red = b.unknown || b.refused;
        painter.setPen(
            QPen(red ? QColor(0xc0, 0x00, 0x00) : QColor(0x40, 0x50, 0x70), red ? 2.5 : 1.2));
        painter.setBrush(b.fill);
        painter.drawRoundedRect(b.rect, 4, 4);

        painter.setPen(b.unknown ? Qt::white : Qt::black);
        const double top = b.rect.top() + (b.rect.height() - 3 * line) / 2;
        QFont bold = diagram.font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRectF(b.rect.left(), top, b.rect.width(), line), Qt::AlignCenter,
                         b.label);
        painter.setFont(diagram.font);
        painter.drawText(QRectF(b.rect.left(), top + line, b.rect.width(), line), Qt::AlignCenter,
                         b.distribution);
        painter.drawText(QRectF(b.rect.left(), top + 2 * line, b.rect.width(), line),
                         Qt::AlignCenter, b.life);
    }
    painter.restore();
}

}  // namespace farvik::diagram
