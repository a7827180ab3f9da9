#include "frmimportancia.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "base/child_window.h"
#include "base/dialog_seam.h"
#include "base/named_widget.h"
#include "base/print_job.h"
#include "graph_export.h"
#include "importance_plot.h"
#include "system_reading.h"

namespace farvik {
namespace {

// A cell that sorts by its number (the text shows 10 digits; "inf" and "nan" sort last).
class NumberItem : public QTableWidgetItem {
  public:
    NumberItem(const QString& text, double value) : QTableWidgetItem(text), value_(value) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* number = dynamic_cast<const NumberItem*>(&other);
        if (!number) return QTableWidgetItem::operator<(other);
        const double a = std::isnan(value_) ? HUGE_VAL : value_;
        const double b = std::isnan(number->value_) ? HUGE_VAL : number->value_;
        return a < b;
    }

  private:
    double value_;
};

void fill(QTableWidget& widget, const ExactCheckTable& table) {
    widget.setSortingEnabled(false);
    widget.clear();
    widget.setColumnCount(table.headers.size());
    widget.setHorizontalHeaderLabels(table.headers);
    widget.setRowCount(table.rows.size());
    const QBrush markedBrush(QColor(255, 200, 200));
    for (int r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        for (int c = 0; c < row.cells.size(); ++c) {
            bool number = false;
            const double value = row.exportCells[c].toDouble(&number);
            const bool special = row.exportCells[c].endsWith(QLatin1String("inf")) ||
                                 row.exportCells[c] == QLatin1String("nan");
            QTableWidgetItem* item =
                c > 0 && (number || special)
                    ? new NumberItem(row.cells[c], number ? value
                                                   : row.exportCells[c] == QLatin1String("nan")
                                                       ? std::nan("")
                                                   : row.exportCells[c].startsWith('-') ? -HUGE_VAL
                                                                                        : HUGE_VAL)
                    : new QTableWidgetItem(row.cells[c]);
            item->setTextAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                          : (Qt::AlignRight | Qt::AlignVCenter));
            if (row.marked) item->setBackground(markedBrush);
            widget.setItem(r, c, item);
        }
    }
    widget.resizeColumnsToContents();
    // Sortable by a click on a header, the rows first as the table ranks them.
    widget.horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    widget.setSortingEnabled(true);
}

QTableWidget* makeTable(const char* name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    return table;
}

}  // namespace

frmimportancia::frmimportancia(ImportanceRequest request, QWidget* parent)
    : QWidget(parent), dataFileName_(request.dataFileName) {
    setObjectName(QStringLiteral("frmimportancia"));
    setWindowTitle(QStringLiteral("Importancia y sensibilidad"));
    setAttribute(Qt::WA_DeleteOnClose);

    lbencabezado_ = new QLabel(this);
    lbencabezado_->setObjectName(QStringLiteral("lbencabezado"));
    lbencabezado_->setWordWrap(true);
    cbtiempo_ = new QComboBox(this);
    cbtiempo_->setObjectName(QStringLiteral("cbtiempo"));
    cbtiempo_->setEditable(true);
    cbtiempo_->setInsertPolicy(QComboBox::NoInsert);
    cbtiempo_->setMinimumContentsLength(12);
    tabs_ = new QTabWidget(this);
    importance_ = makeTable("tblimportancia", tabs_);
    sensitivity_ = makeTable("tblsensibilidad", tabs_);
    plot_ = new ImportancePlot(tabs_);
    tabs_->addTab(importance_, QStringLiteral("Importancia y causas"));
    tabs_->addTab(sensitivity_, QStringLiteral("Sensibilidad"));
    tabs_->addTab(plot_, QStringLiteral("IB(t)"));
    prgcalculo_ = new QProgressBar(this);
    prgcalculo_->setObjectName(QStringLiteral("prgcalculo"));
    btcancelar_ = named<QPushButton>("btcancelar", QStringLiteral("&Cancelar"), this);
    btprint_ = named<QPushButton>("btprint", QStringLiteral("&Imprimir"), this);
    btexportar_ = named<QPushButton>("btexportar", QStringLiteral("E&xportar CSV"), this);
    btgrafica_ = named<QPushButton>("btgrafica", QStringLiteral("Exportar &gráfica..."), this);
    btysi_ = named<QPushButton>("btysi", QStringLiteral("¿&Y si...?"), this);
    btysi_->setToolTip(QStringLiteral("El elemento de la fila elegida con otra ley de fallo"));
    btysi_->setEnabled(false);
    btaceptar_ = named<QPushButton>("btdaceptar", QStringLiteral("&Aceptar"), this);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("&Tiempo:"), this));
    static_cast<QLabel*>(timeRow->itemAt(0)->widget())->setBuddy(cbtiempo_);
    timeRow->addWidget(cbtiempo_);
    timeRow->addStretch(1);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(prgcalculo_, 1);
    progressRow->addWidget(btcancelar_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btysi_);
    buttons->addStretch(1);
    buttons->addWidget(btprint_);
    buttons->addWidget(btexportar_);
    buttons->addWidget(btgrafica_);
    buttons->addWidget(btaceptar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbencabezado_);
    layout->addLayout(timeRow);
    layout->addWidget(tabs_, 1);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);

    connect(btcancelar_, &QPushButton::clicked, this, [this] { cancelRequested(); });
    connect(btprint_, &QPushButton::clicked, this, [this] { printView(); });
    connect(btexportar_, &QPushButton::clicked, this, [this] { exportTables(); });
    connect(btgrafica_, &QPushButton::clicked, this, [this] { exportGraph(); });
    connect(btaceptar_, &QPushButton::clicked, this, [this] { closeChildWindow(this); });
    connect(importance_, &QTableWidget::currentCellChanged, this,
            [this] { btysi_->setEnabled(!chosenElement().isEmpty()); });
    connect(btysi_, &QPushButton::clicked, this, [this] {
        if (!chosenElement().isEmpty()) emit whatIfRequested(chosenElement());
    });
    connect(importance_, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!chosenElement().isEmpty()) emit whatIfRequested(chosenElement());
    });
    connect(cbtiempo_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        if (report_ && index >= 0 && std::size_t(index) < report_->times.size()) {
            shownTime_ = std::size_t(index);
            show_tables();
        } else {
            timeTyped();
        }
    });
    connect(cbtiempo_->lineEdit(), &QLineEdit::returnPressed, this, [this] { timeTyped(); });
    start(request);
}

frmimportancia::~frmimportancia() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void frmimportancia::start(const ImportanceRequest& request) {
    for (QPushButton* b : {btprint_, btexportar_, btgrafica_}) b->setEnabled(false);
    cbtiempo_->setEnabled(false);
    analysis::SystemReading reading = analysis::readSystem(
        request.dataFile.toStdString(), QFileInfo(request.dataFileName).fileName().toStdString());
    if (!reading.model) {
        show_failure(QStringLiteral("El motor no acepta los datos: ") +
                     QString::fromStdString(reading.failure));
        return;
    }
    computing_ = true;
    lbencabezado_->setText(QStringLiteral("Calculando la importancia y la sensibilidad..."));
    prgcalculo_->setRange(0, 0);
    btcancelar_->setVisible(true);
    std::optional<std::string> summary;
    if (request.summary) summary = request.summary->toStdString();
    worker_ =
        std::thread([this, model = std::move(*reading.model), times = request.times, summary] {
            auto report = std::make_shared<std::optional<ImportanceReport>>(
                computeImportanceReport(model, times, summary, cancel_));
            std::shared_ptr<const analysis::ExactSystem> exact;
            if (*report && (*report)->failure.isEmpty()) {
                // Kept for the times typed later (the diagram again, well below the report's cost).
                exact = std::make_shared<const analysis::ExactSystem>(model);
            }
            QMetaObject::invokeMethod(
                this,
                [this, report, exact] {
                    computing_ = false;
                    prgcalculo_->setVisible(false);
                    btcancelar_->setVisible(false);
                    if (!*report) {
                        lbencabezado_->setText(QStringLiteral("Cálculo cancelado."));
                        emit finished();
                        return;
                    }
                    report_ = std::move(**report);
                    exact_ = exact;
                    if (!report_->failure.isEmpty()) {
                        QString text = report_->failure;
                        for (const auto& [t, b] : report_->bounds) {
                            text += QStringLiteral("\nCotas de R(%1): entre %2 y %3")
                                        .arg(QString::number(t, 'g', 10),
                                             QString::number(b.lower, 'g', 10),
                                             QString::number(b.upper, 'g', 10));
                        }
                        show_failure(text);
                        return;
                    }
                    show_report();
                },
                Qt::QueuedConnection);
        });
}

void frmimportancia::show_report() {
    cbtiempo_->clear();
    for (const auto& at : report_->times) cbtiempo_->addItem(QString::number(at.t, 'g', 10));
    cbtiempo_->setEnabled(true);
    std::vector<ImportancePlot::Line> lines;
    for (const auto& curve : report_->curves) {
        lines.push_back(
            {QStringLiteral("Elemento ") + report_->labels[curve.element], curve.birnbaum});
    }
    plot_->setLines(report_->curveTimes, std::move(lines));
    shownTime_ = 0;
    show_tables();
    for (QPushButton* b : {btprint_, btexportar_, btgrafica_}) b->setEnabled(true);
    emit finished();
}

void frmimportancia::show_tables() {
    const ExactCheckTable first = importanceTable(*report_, shownTime_);
    fill(*importance_, first);
    const std::optional<std::size_t> at =
        report_->times.empty() ? std::nullopt : std::optional<std::size_t>(shownTime_);
    fill(*sensitivity_, sensitivityTable(*report_, at));
    lbencabezado_->setText(first.heading + QStringLiteral(". ") + first.verdict);
}

void frmimportancia::timeTyped() {
    if (!report_ || !exact_ || computing_) return;
    bool ok = false;
    const double t = QLocale::c().toDouble(cbtiempo_->currentText().trimmed(), &ok);
    if (!ok || !std::isfinite(t) || t < 0) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("El tiempo debe ser un número no negativo."));
        return;
    }
    showTime(t);
}

void frmimportancia::showTime(double t) {
    if (!report_ || !exact_) return;
    for (std::size_t i = 0; i < report_->times.size(); ++i) {
        if (report_->times[i].t == t) {
            shownTime_ = i;
            show_tables();
            cbtiempo_->setCurrentIndex(int(i));
            return;
        }
    }
    // Every measure at one time costs a few sweeps of the structure function: done at once.
    report_->times.push_back(importanceAtTime(*exact_, t));
    cbtiempo_->addItem(QString::number(t, 'g', 10));
    shownTime_ = report_->times.size() - 1;
    cbtiempo_->setCurrentIndex(int(shownTime_));
    show_tables();
}

QString frmimportancia::chosenElement() const {
    const int row = importance_->currentRow();
    const QTableWidgetItem* item = row >= 0 ? importance_->item(row, 0) : nullptr;
    return item && report_ && report_->failure.isEmpty() ? item->text() : QString();
}

void frmimportancia::cancelRequested() {
    cancel_ = true;
}

void frmimportancia::show_failure(const QString& text) {
    computing_ = false;
    prgcalculo_->setVisible(false);
    btcancelar_->setVisible(false);
    lbencabezado_->setText(text);
    emit finished();
}

void frmimportancia::printView() {
    if (!report_ || !report_->failure.isEmpty()) return;
    const ExactCheckTable first = importanceTable(*report_, shownTime_);
    const std::optional<std::size_t> at =
        report_->times.empty() ? std::nullopt : std::optional<std::size_t>(shownTime_);
    const ExactCheckTable second = sensitivityTable(*report_, at);
    PrintJob job;
    job.heading1 = headingLine1();
    job.heading2 = headingLine2(dataFileName_, QDate::currentDate());
    job.text = first.heading + QStringLiteral("\n\n") + textOf(first) + QStringLiteral("\n") +
               first.verdict + QStringLiteral("\n\n") + second.heading + QStringLiteral("\n\n") +
               textOf(second);
    const ImportancePlot* plot = plot_;
    job.graph = [plot](QPainter& painter, const QRectF& area, qreal, qreal pixel) {
        plot->paint(painter, area, pixel);
    };
    printWithDialog(this, job);
}

bool frmimportancia::exportTables() {
    if (!report_ || !report_->failure.isEmpty()) return false;
    const QString path = dialogs().saveFileName(
        this, {QStringLiteral("Exportar la importancia y la sensibilidad"),
               QStringLiteral("Valores separados por comas (*.csv);;Todos los archivos (*)"),
               QFileInfo(dataFileName_).absolutePath()});
    if (path.isEmpty()) return false;
    const std::optional<std::size_t> at =
        report_->times.empty() ? std::nullopt : std::optional<std::size_t>(shownTime_);
    // Both tables in one file, the second without a byte order mark of its own.
    QByteArray second = csvOf(sensitivityTable(*report_, at), CsvFlavour::Comma);
    if (second.startsWith("\xEF\xBB\xBF")) second.remove(0, 3);
    const QByteArray bytes =
        csvOf(importanceTable(*report_, shownTime_), CsvFlavour::Comma) + "\r\n" + second;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se puede escribir el fichero ") + path);
        return false;
    }
    return true;
}

bool frmimportancia::exportGraph() {
    if (plot_->empty()) return false;
    return exportGraphToChosenFile(this, *plot_, QStringLiteral("Importancia de Birnbaum IB(t)"),
                                   QFileInfo(dataFileName_).absolutePath());
}

}  // namespace farvik
