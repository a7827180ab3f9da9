#include "diagram_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "block_diagram.h"
#include "diagram_painter.h"

namespace farvik::diagram {

DiagramCanvas::DiagramCanvas(const BlockDiagram& diagram, QWidget* parent)
    : QWidget(parent), diagram_(diagram) {
    setObjectName(QStringLiteral("diagramCanvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    diagramChanged();
}

void DiagramCanvas::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    diagramChanged();
}

void DiagramCanvas::diagramChanged() {
    const QSizeF size = diagram_.bounds.size() * zoom_;
    resize(std::max(1, int(std::ceil(size.width()))), std::max(1, int(std::ceil(size.height()))));
    update();
}

void DiagramCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.scale(zoom_, zoom_);
    paintDiagram(painter, diagram_);
}

void DiagramCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (const Block* block = diagram_.blockAt(event->position() / zoom_))
            emit blockMenuAsked(*block, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (const Block* block = diagram_.blockAt(event->position() / zoom_)) emit blockClicked(*block);
}

void DiagramCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    // One notch of a wheel is 120; a touchpad gives a little at a time.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) emit zoomAsked(std::pow(1.2, notches), event->position().toPoint());
    event->accept();
}

}  // namespace farvik::diagram
