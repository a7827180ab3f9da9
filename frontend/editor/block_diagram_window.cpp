#include "block_diagram_window.h"

#include <QDate>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "base/dialog_seam.h"
#include "base/print_job.h"
#include "diagram_canvas.h"
#include "diagram_export.h"
#include "diagram_painter.h"
#include "document/system_data.h"
#include "document/system_document.h"

namespace farvik {

using diagram::BlockDiagram;
using diagram::DiagramCanvas;

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

// The text under the printed diagram: each element once, with what its block shows.
QString elementList(const BlockDiagram& d) {
    QString text;
    std::set<QString> seen;
    for (const diagram::Block& b : d.blocks) {
        if (b.unknown || !seen.insert(b.label).second) continue;
        text += b.label + QLatin1Char('\t') + b.distribution + QLatin1Char('\t') + b.life +
                QLatin1Char('\n');
    }
    return text;
}

}  // namespace

BlockDiagramWindow::BlockDiagramWindow(const SystemDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setWindowTitle(QStringLiteral("Diagrama de bloques"));
    setObjectName(QStringLiteral("blockDiagram"));

    canvas_ = new DiagramCanvas(diagram_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("diagramScroll"));
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(false);
    scroll_->setBackgroundRole(QPalette::Base);

    QPushButton* fit = button(QStringLiteral("fitButton"), QStringLiteral("A&justar"), this);
    QPushButton* actual = button(QStringLiteral("actualSizeButton"), QStringLiteral("100 %"), this);
    QPushButton* print = button(QStringLiteral("printButton"), QStringLiteral("&Imprimir"), this);
    QPushButton* save =
        button(QStringLiteral("exportButton"), QStringLiteral("E&xportar..."), this);
    fit->setToolTip(QStringLiteral("Todo el diagrama en la ventana (Ctrl y la rueda: zoom)"));
    connect(fit, &QPushButton::clicked, this, &BlockDiagramWindow::fitToWindow);
    connect(actual, &QPushButton::clicked, this, [this] { setZoom(1.0); });
    connect(print, &QPushButton::clicked, this, &BlockDiagramWindow::printView);
    connect(save, &QPushButton::clicked, this, &BlockDiagramWindow::exportToFile);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fit);
    buttons->addWidget(actual);
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);

    connect(canvas_, &DiagramCanvas::blockClicked, this, &BlockDiagramWindow::blockClicked);
    connect(canvas_, &DiagramCanvas::zoomAsked, this, [this](double factor, QPoint at) {
        // The point under the mouse stays where it is.
        const QPointF inDiagram = QPointF(at) / zoom();
        const QPoint inView = at - QPoint(scroll_->horizontalScrollBar()->value(),
                                          scroll_->verticalScrollBar()->value());
        setZoom(zoom() * factor);
        const QPointF after = inDiagram * zoom();
        scroll_->horizontalScrollBar()->setValue(int(after.x()) - inView.x());
        scroll_->verticalScrollBar()->setValue(int(after.y()) - inView.y());
    });

    scroll_->viewport()->installEventFilter(this);

    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &BlockDiagramWindow::refresh);
    // Every edit, undo and new document redraws it.
    connect(&document_, &SystemDocument::systemChanged, this, &BlockDiagramWindow::scheduleRefresh);
    refresh();
}

BlockDiagramWindow::~BlockDiagramWindow() = default;

QSize BlockDiagramWindow::sizeHint() const {
    return QSize(800, 500);
}

double BlockDiagramWindow::zoom() const {
    return canvas_->zoom();
}

void BlockDiagramWindow::setZoom(double zoom) {
    fitting_ = false;
    canvas_->setZoom(zoom);
}

void BlockDiagramWindow::fitToWindow() {
    fitting_ = true;
    applyFit();
}

void BlockDiagramWindow::applyFit() {
    const QSize view = scroll_->viewport()->size();
    const QSizeF size = diagram_.bounds.size();
    // The scroll bars that come or go with the new size resize the viewport once more.
    if (size.isEmpty() || view.isEmpty() || applyingFit_) return;
    applyingFit_ = true;
    canvas_->setZoom(std::min({view.width() / size.width(), view.height() / size.height(), 1.0}));
    applyingFit_ = false;
}

// The viewport's own resizes: they follow the window's, once its layout has run.
bool BlockDiagramWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && fitting_) applyFit();
    return QWidget::eventFilter(watched, event);
}

void BlockDiagramWindow::fitIfLarger() {
    // The window's own size is settled once its layout has run.
    QTimer::singleShot(0, this, [this] {
        const QSize view = scroll_->viewport()->size();
        const QSizeF size = diagram_.bounds.size();
        if (size.width() > view.width() || size.height() > view.height()) fitToWindow();
    });
}

void BlockDiagramWindow::refresh() {
    refreshTimer_.stop();
    diagram_ = diagram::layOut(document_.system(), font());
    canvas_->diagramChanged();
    if (fitting_) applyFit();
}

void BlockDiagramWindow::scheduleRefresh() {
    if (!refreshTimer_.isActive()) refreshTimer_.start();
}

void BlockDiagramWindow::blockClicked(const diagram::Block& block) {
    if (block.elementRow > 0)
        emit elementChosen(block.elementRow);
    else if (block.pathEntryRow > 0)
        emit pathEntryChosen(block.pathEntryRow);
}

void BlockDiagramWindow::printView() {
    if (refreshTimer_.isActive()) refresh();
    PrintJob job;
    job.heading1 = headingLine1();
    job.heading2 = headingLine2(document_.fileName(), QDate::currentDate());
    job.text = elementList(diagram_);
    const BlockDiagram picture = diagram_;
    job.graph = [picture](QPainter& painter, const QRectF& area, qreal indent, qreal) {
        // The whole diagram in the area between the text's margins, its shape kept.
        const QRectF room = area.adjusted(indent, 0, -indent, 0);
        const QSizeF size = picture.bounds.size();
        if (room.isEmpty() || size.isEmpty()) return;
        const double scale = std::min(room.width() / size.width(), room.height() / size.height());
        painter.save();
        painter.translate(room.left() + (room.width() - size.width() * scale) / 2, room.top());
        painter.scale(scale, scale);
        diagram::paintDiagram(painter, picture);
        painter.restore();
    };
    printWithDialog(this, job);
}

void BlockDiagramWindow::exportToFile() {
    if (refreshTimer_.isActive()) refresh();
    const QString file = document_.fileName();
    FileDialogRequest request;
    request.title = QStringLiteral("Exportar diagrama");
    request.filter = QStringLiteral("Imagen PNG (*.png);;Dibujo SVG (*.svg)");
    request.initialFolder = file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
    QString path = dialogs().saveFileName(this, request);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    if (!diagram::exportDiagram(diagram_, path)) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se ha podido escribir el fichero ") + path);
    }
}

}  // namespace farvik
