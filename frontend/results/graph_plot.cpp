#include "graph_plot.h"

#include "axis_ticks.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace farvik {

GraphPlot::GraphPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pctgrafico"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void GraphPlot::setPicture(const GraphPicture& picture) {
    picture_ = picture;
    update();
}

QRectF GraphPlot::plotRect() const {
    return QRectF(0, 0, std::max(width() - 1, 1), std::max(height() - 1, 1));
}

void GraphPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPlot(painter, plotRect(), picture_, 1.0);
    if (dragging_ && anchor_ != pointer_) {
        // A dotted inverting pen: dark blue on the white plot, and still seen on the curves.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QPen(kDarkBlue, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(anchor_, pointer_).normalized());
    }
}

void GraphPlot::mousePressEvent(QMouseEvent* event) {
    if (!hasPicture()) return;
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        anchor_ = pointer_ = event->position();
    } else if (event->button() == Qt::RightButton) {
        if (fullView_) fullView_();
    }
}

void GraphPlot::mouseMoveEvent(QMouseEvent* event) {
    if (!hasPicture()) return;
    if (dragging_) {
        pointer_ = event->position();
        update();
    } else if (event->buttons() == Qt::NoButton) {
        const QPointF p = toUser(event->position());
        const GraphRange& r = picture_.range;
        // "####0.0000" unless the axis needs more to tell its grid lines apart.
        const QString text = QStringLiteral("(") + pointerForm(r.x0, r.x1).text(p.x()) +
                             QStringLiteral(",") + pointerForm(r.y0, r.y1).text(p.y()) +
                             QStringLiteral(")");
        setToolTip(text);
        // A tooltip on show follows the pointer.
        if (QToolTip::isVisible())
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
    }
}

void GraphPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    pointer_ = event->position();
    update();
    const std::optional<GraphRange> zoom = zoomRange(toUser(anchor_), toUser(pointer_));
    if (zoom && zoom_) zoom_(*zoom);
}

}  // namespace farvik
