#include "frmcomprobacion.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/child_window.h"
#include "base/dialog_seam.h"
#include "base/named_widget.h"
#include "base/print_job.h"
#include "reliability_bounds.h"
#include "result_printing.h"
#include "system_reading.h"

namespace farvik {
namespace {

// The whole computation, apart from the user interface: the engine's reader, the exact
// values, and the comparison with the summary when there is one.
struct Outcome {
    std::optional<ExactCheckTable> table;  // nothing: cancelled
    QString failure;
};

// A general system out of reach, with a run of its own that asked for reliabilities: what
// can still be said at the run's times, bounds of R from the paths and cuts.
std::optional<ExactCheckTable> boundsAtTheRunsTimes(const analysis::SystemModel& model,
                                                    const std::optional<QByteArray>& summary,
                                                    const QString& reason) {
    using namespace analysis;
    if (!summary || model.arrangement != Arrangement::Paths) return std::nullopt;
    try {
        const SimulatedSummary simulated = readSimulatedSummary(summary->toStdString());
        if (simulated.reliability.empty()) return std::nullopt;
        const PathBounds paths(model);
        std::vector<ReliabilityBounds> bounds;
        for (const auto& r : simulated.reliability) bounds.push_back(paths.at(r.t));
        return tableOfBounds(reason, simulated, bounds);
    } catch (const std::exception&) {
        return std::nullopt;  // the refusal alone, then
    }
}

Outcome compute(const analysis::SystemModel& model, bool redundancy,
                const std::optional<QByteArray>& summary,
                const analysis::DuplicationProgress& progress) {
    using namespace analysis;
    Outcome out;
    try {
        const ExactSystem exact(model);
        if (summary) {
            const SimulatedSummary simulated = readSimulatedSummary(summary->toStdString());
            const auto c = compare(simulated, exact, progress);
            if (c) out.table = tableOf(*c);
            return out;
        }
        const Estimate life = exact.meanLife();
        if (!redundancy) {
            out.table = tableOfExact(exact, life, nullptr);
            return out;
        }
        const auto list = exact.duplications(progress);
        if (list) out.table = tableOfExact(exact, life, &*list);
    } catch (const TooLargeError& e) {
        out.table = boundsAtTheRunsTimes(model, summary, QString::fromStdString(e.what()));
        if (out.table) return out;
        out.failure = QStringLiteral("El sistema es demasiado grande para el cálculo exacto: ") +
                      QString::fromStdString(e.what());
    } catch (const std::exception& e) {
        out.failure = QString::fromStdString(e.what());
    }
    return out;
}

}  // namespace

frmcomprobacion::frmcomprobacion(ExactCheckRequest request, QWidget* parent)
    : QWidget(parent),
      dataFileName_(request.dataFileName),
      announceFailure_(request.announceFailure) {
    setObjectName(QStringLiteral("frmcomprobacion"));
    setWindowTitle(QStringLiteral("Comprobación exacta"));
    setAttribute(Qt::WA_DeleteOnClose);

    lbencabezado_ = new QLabel(this);
    lbencabezado_->setObjectName(QStringLiteral("lbencabezado"));
    lbencabezado_->setWordWrap(true);
    table_widget_ = new QTableWidget(this);
    table_widget_->setObjectName(QStringLiteral("tblcomprobacion"));
    table_widget_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_widget_->verticalHeader()->setVisible(false);
    lbveredicto_ = new QLabel(this);
    lbveredicto_->setObjectName(QStringLiteral("lbveredicto"));
    lbveredicto_->setWordWrap(true);
    prgcalculo_ = new QProgressBar(this);
    prgcalculo_->setObjectName(QStringLiteral("prgcalculo"));
    btcancelar_ = named<QPushButton>("btcancelar", QStringLiteral("&Cancelar"), this);
    btprint_ = named<QPushButton>("btprint", QStringLiteral("&Imprimir"), this);
    btexportar_ = named<QPushButton>("btexportar", QStringLiteral("E&xportar CSV"), this);
    btimportancia_ = named<QPushButton>("btimportancia", QStringLiteral("I&mportancia..."), this);
    btaceptar_ = named<QPushButton>("btdaceptar", QStringLiteral("&Aceptar"), this);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(prgcalculo_, 1);
    progressRow->addWidget(btcancelar_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btprint_);
    buttons->addWidget(btexportar_);
    buttons->addWidget(btimportancia_);
    buttons->addWidget(btaceptar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbencabezado_);
    layout->addWidget(table_widget_, 1);
    layout->addWidget(lbveredicto_);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);

    connect(btcancelar_, &QPushButton::clicked, this, [this] { cancelRequested(); });
    connect(btprint_, &QPushButton::clicked, this, [this] { printView(); });
    connect(btexportar_, &QPushButton::clicked, this, [this] { exportToFile(); });
    connect(btimportancia_, &QPushButton::clicked, this, [this] { emit importanceRequested(); });
    connect(btaceptar_, &QPushButton::clicked, this, [this] { closeChildWindow(this); });
    start(request);
}

frmcomprobacion::~frmcomprobacion() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void frmcomprobacion::start(const ExactCheckRequest& request) {
    btprint_->setEnabled(false);
    btexportar_->setEnabled(false);
    analysis::SystemReading reading = analysis::readSystem(
        request.dataFile.toStdString(), QFileInfo(request.dataFileName).fileName().toStdString());
    if (!reading.model) {
        show_failure(QStringLiteral("El motor no acepta los datos: ") +
                     QString::fromStdString(reading.failure));
        return;
    }
    computing_ = true;
    lbencabezado_->setText(QStringLiteral("Calculando los valores exactos..."));
    prgcalculo_->setRange(0, 0);  // busy until the duplications report how many there are
    btcancelar_->setVisible(true);
    const auto summary = request.summary;
    worker_ = std::thread(
        [this, model = std::move(*reading.model), redundancy = reading.redundancy, summary] {
            const Outcome out = compute(model, redundancy, summary, [this](int done, int total) {
                QMetaObject::invokeMethod(
                    this, [this, done, total] { progress(done, total); }, Qt::QueuedConnection);
                return !cancel_.load();
            });
            QMetaObject::invokeMethod(
                this,
                [this, out] {
                    computing_ = false;
                    prgcalculo_->setVisible(false);
                    btcancelar_->setVisible(false);
                    if (!out.failure.isEmpty()) {
                        show_failure(out.failure);
                    } else if (!out.table) {
                        lbencabezado_->setText(QStringLiteral("Cálculo cancelado."));
                        emit finished();
                    } else {
                        show_table(*out.table);
                    }
                },
                Qt::QueuedConnection);
        });
}

void frmcomprobacion::progress(int done, int total) {
    prgcalculo_->setRange(0, total);
    prgcalculo_->setValue(done);
}

void frmcomprobacion::cancelRequested() {
    cancel_ = true;
}

void frmcomprobacion::show_table(const ExactCheckTable& table) {
    table_ = table;
    lbencabezado_->setText(table.heading);
    lbveredicto_->setText(table.verdict);
    table_widget_->setColumnCount(table.headers.size());
    table_widget_->setHorizontalHeaderLabels(table.headers);
    table_widget_->setRowCount(table.rows.size());
    const QBrush markedBrush(QColor(255, 200, 200));
    for (int r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        for (int c = 0; c < row.cells.size(); ++c) {
            auto* item = new QTableWidgetItem(row.cells[c]);
            item->setTextAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                          : (Qt::AlignRight | Qt::AlignVCenter));
            if (row.marked) item->setBackground(markedBrush);
            table_widget_->setItem(r, c, item);
        }
    }
    table_widget_->resizeColumnsToContents();
    btprint_->setEnabled(true);
    btexportar_->setEnabled(true);
    emit finished();
}

void frmcomprobacion::show_failure(const QString& text) {
    computing_ = false;
    prgcalculo_->setVisible(false);
    btcancelar_->setVisible(false);
    lbencabezado_->setText(text);
    if (announceFailure_)
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(), text);
    emit finished();
}

void frmcomprobacion::printView() {
    if (table_.rows.isEmpty()) return;
    PrintJob job;
    job.heading1 = headingLine1();
    job.heading2 = headingLine2(dataFileName_, QDate::currentDate());
    job.text = textOf(table_);
    printWithDialog(this, job);
}

bool frmcomprobacion::exportToFile() {
    if (table_.rows.isEmpty()) return false;
    const QFileInfo data(dataFileName_);
    const std::optional<CsvTarget> target =
        chooseCsvFile(this, QStringLiteral("Exportar la comprobación"),
                      data.absolutePath() + QStringLiteral("/comprobacion.csv"));
    if (!target) return false;
    return writeCsvFile(this, target->path, csvOf(table_, target->flavour));
}

}  // namespace farvik
