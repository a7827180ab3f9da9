#include "frmgraficos.h"

#include "base/child_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/dialog_seam.h"
#include "graph_composition.h"
#include "graph_export.h"
#include "graph_frame.h"
#include "graph_plot.h"
#include "result_file_names.h"
#include "result_files.h"
#include "result_printing.h"
#include "system_reading.h"

namespace farvik {
namespace {

QFont courier(qreal points) {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    // A table that cannot be read has no rows, and no graph can be drawn from it.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

frmgraficos::frmgraficos(const QString& resultsFolder, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmgraficos"));
    setWindowTitle(QStringLiteral("Gráficas"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frmgraf = new QGroupBox(this);
    frmgraf->setObjectName(QStringLiteral("frmgraf"));
    auto* choices = new QHBoxLayout(frmgraf);
    optgraf_ = new QButtonGroup(this);
    const QStringList captions = {QStringLiteral("Fiabilidad"), QStringLiteral("Histograma"),
                                  QStringLiteral("Tasa de fallo")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frmgraf);
        option->setObjectName(QStringLiteral("optgraf(%1)").arg(i));
        optgraf_->addButton(option, i);
        choices->addWidget(option);
    }
    optgraf_->button(kReliabilityGraph)->setChecked(true);
    connect(optgraf_, &QButtonGroup::idClicked, this, &frmgraficos::chooseGraph);

    frmgrafico_ = new GraphFrame(this);
    frmgrafico_->plot()->setZoomHandler([this](const GraphRange& r) { zoomTo(r); });
    frmgrafico_->plot()->setFullViewHandler([this] { showWholeGraph(); });

    rtxtdatos_ = new QPlainTextEdit(this);
    rtxtdatos_->setObjectName(QStringLiteral("rtxtdatos"));
    rtxtdatos_->setReadOnly(true);
    rtxtdatos_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtxtdatos_->setFont(courier(9));
    // Room for the table's widest line.
    const QFontMetrics fm(rtxtdatos_->font());
    rtxtdatos_->setMinimumWidth(fm.horizontalAdvance(QString(71, QLatin1Char('0'))) + 32);

    btdaceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    btdaceptar_->setObjectName(QStringLiteral("btdaceptar"));
    connect(btdaceptar_, &QPushButton::clicked, this, &frmgraficos::closeWindow);
    btprint_ = new QPushButton(QStringLiteral("&Imprimir"), this);
    btprint_->setObjectName(QStringLiteral("btprint"));
    connect(btprint_, &QPushButton::clicked, this, &frmgraficos::printView);

    // Off until the data file of the run is known, and off by default: the graph is the
    // simulation's alone unless asked.
    chkexacta_ = new QCheckBox(QStringLiteral("&Curva exacta"), this);
    chkexacta_->setObjectName(QStringLiteral("chkexacta"));
    chkexacta_->setToolTip(QStringLiteral(
        "La fiabilidad o la tasa de fallo exactas del sistema, sobre las simuladas"));
    chkexacta_->setEnabled(false);
    connect(chkexacta_, &QCheckBox::toggled, this, &frmgraficos::showExactCurve);

    tableFile_ =
        resultFilePath(resultsFolder, QString::fromLatin1(result_files::kReliabilityTable));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(frmgraf);
    buttons->addWidget(chkexacta_);
    buttons->addStretch(1);
    buttons->addWidget(makeExportButton(
        this, frmgrafico_, [this] { return graphTitle(); }, tableFile_, resultsFolder));
    buttons->addWidget(btprint_);
    buttons->addWidget(btdaceptar_);
    auto* graph = new QVBoxLayout;
    graph->addWidget(frmgrafico_, 1);
    graph->addLayout(buttons);
    auto* all = new QHBoxLayout(this);
    all->addLayout(graph, 1);
    all->addWidget(rtxtdatos_);

    curves_ = readReliabilityTable(readBytes(tableFile_));
    rtxtdatos_->setPlainText(readResultText(tableFile_).remove(QLatin1Char('\r')));
    selected_ = optgraf_->checkedId();
    recomputeRanges();
}

frmgraficos::~frmgraficos() {
    stopExact_ = true;
    if (worker_.joinable()) worker_.join();
}

void frmgraficos::setExactSource(const QByteArray& dataFile, const QString& dataFileName) {
    dataFile_ = dataFile;
    dataFileName_ = dataFileName;
    chkexacta_->setEnabled(true);
    const analysis::SystemReading reading = analysis::readSystem(
        dataFile.toStdString(), QFileInfo(dataFileName).fileName().toStdString());
    if (reading.model) {
        seed_ = reading.seed;
        trials_ = reading.trials;
    }
}

QString frmgraficos::graphTitle() const {
    const QString file = QFileInfo(dataFileName_.isEmpty() ? tableFile_ : dataFileName_).fileName();
    // Every trial's failure falls in one interval of the table.
    long trials = 0;
    for (const QPointF& p : curves_.curves[kFailureCountGraph].points) trials += std::lround(p.y());
    return studyGraphTitle(file, static_cast<GraphKind>(selected_), trials_.value_or(trials),
                           seed_);
}

void frmgraficos::showExactCurve(bool on) {
    if (on && !exact_ && !worker_.joinable()) startExactCurves();
    redraw();
}

// A general system's decision diagram may take a while: the curves are worked out apart
// from the user interface, and drawn when they are done.
void frmgraficos::startExactCurves() {
    const std::vector<double> times = exactCurveTimes(curves_);
    const std::string data = dataFile_.toStdString();
    const std::string name = QFileInfo(dataFileName_).fileName().toStdString();
    worker_ = std::thread([this, times, data, name] {
        std::optional<ExactCurves> curves;
        QString failure;
        const analysis::SystemReading reading = analysis::readSystem(data, name);
        if (!reading.model) {
            failure = QStringLiteral("El motor no acepta los datos: ") +
                      QString::fromStdString(reading.failure);
        } else {
            try {
                curves =
                    farvik::exactCurves(analysis::ExactSystem(*reading.model), times, stopExact_);
            } catch (const analysis::TooLargeError& e) {
                failure =
                    QStringLiteral("El sistema es demasiado grande para el cálculo exacto: ") +
                    QString::fromStdString(e.what());
            } catch (const std::exception& e) {
                failure = QString::fromStdString(e.what());
            }
        }
        if (stopExact_) return;
        QMetaObject::invokeMethod(
            this,
            [this, curves, failure] {
                worker_.join();
                if (curves) {
                    exact_ = curves;
                    if (chkexacta_->isChecked()) redraw();
                } else {
                    dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                                      failure);
                    chkexacta_->setChecked(false);
                }
                emit exactCurvesDone();
            },
            Qt::QueuedConnection);
    });
}

GraphPlot* frmgraficos::plot() const {
    return frmgrafico_->plot();
}

QSize frmgraficos::sizeHint() const {
    return QSize(1000, 540);
}

void frmgraficos::chooseGraph(int index) {
    if (index < 0 || index > 2) return;
    selected_ = index;
    if (QAbstractButton* option = optgraf_->button(index)) option->setChecked(true);
    recomputeRanges();
    redraw();
}

void frmgraficos::recomputeRanges() {
    computeRanges(curves_);
    full_ = shown_ = fullRange(curves_.curves[selected_]);
}

bool frmgraficos::redraw() {
    redrawPending_ = false;
    if (const std::optional<QString> refusal = rangeRefusal(shown_)) {
        dialogs().message(this, MessageIcon::Critical, MessageButtons::Ok,
                          QStringLiteral("Advertencia"), refusalMessage(*refusal));
        return false;
    }
    GraphPicture picture;
    picture.kind = static_cast<GraphKind>(selected_);
    picture.curve = &curves_.curves[selected_];
    picture.range = shown_;
    if (exact_ && chkexacta_->isChecked()) {
        if (selected_ == kReliabilityGraph) picture.exact = &exact_->reliability;
        if (selected_ == kFailureRateGraph) picture.exact = &exact_->hazard;
    }
    frmgrafico_->display(picture);
    return true;
}

void frmgraficos::zoomTo(const GraphRange& range) {
    const GraphRange before = shown_;
    shown_ = range;
    if (!redraw()) shown_ = before;
}

void frmgraficos::showWholeGraph() {
    shown_ = full_;
    redraw();
}

void frmgraficos::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (window()->isMinimized() || (frame && frame->isMinimized())) return;
    recomputeRanges();
    redrawSoon();
}

// Resizes come in bursts while a window opens or is dragged: one redraw for all of them,
// once the events of the moment are handled.
void frmgraficos::redrawSoon() {
    if (redrawPending_) return;
    redrawPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (redrawPending_) redraw();
        },
        Qt::QueuedConnection);
}

void frmgraficos::printView() {
    const MessageAnswer answer = dialogs().message(
        this, MessageIcon::Question, MessageButtons::YesNoCancel, QStringLiteral("Impresora"),
        QStringLiteral("¿Quiere imprimir los resultados con el gráfico?"));
    if (answer == MessageAnswer::Cancel) return;
    PrintJob job;
    job.heading1 = headingLine1();
    job.heading2 = headingLine2(tableFile_, QDate::currentDate());
    job.text = rtxtdatos_->toPlainText();
    if (answer == MessageAnswer::Yes) {
        const GraphPicture picture = plot()->picture();
        const QString title = graphTitle();
        job.graph = [picture, title](QPainter& painter, const QRectF& area, qreal indent,
                                     qreal pixel) {
            paintGraphComposition(painter, area, picture, courier(10), indent, pixel, title);
        };
    }
    printWithDialog(this, job);
}

void frmgraficos::closeWindow() {
    // Inside the main window the child's frame closes with it.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void closeGraphs(QMdiArea& area) {
    for (QMdiSubWindow* w : area.subWindowList())
        if (qobject_cast<frmgraficos*>(w->widget())) w->close();
}

frmgraficos* openGraphs(QMdiArea& area, const QString& resultsFolder, const QByteArray& dataFile,
                        const QString& dataFileName) {
    // One graph window: an earlier one may show an earlier table.
    closeGraphs(area);
    auto* graphWindow = new frmgraficos(resultsFolder);
    if (!dataFile.isEmpty()) graphWindow->setExactSource(dataFile, dataFileName);
    QMdiSubWindow* frame = area.addSubWindow(graphWindow);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    graphWindow->show();
    // Its own size, as far as the area has room for it, and wholly inside the area.
    placeChildWindow(area, *frame);
    return graphWindow;
}

}  // namespace farvik
