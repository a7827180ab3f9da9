#include "what_if_panel.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/child_window.h"
#include "base/dialog_seam.h"
#include "base/named_widget.h"
#include "codes.h"
#include "document/datafile_writer.h"
#include "document/number_text.h"
#include "editor/distribution_names.h"
#include "editor/editor_limits.h"
#include "editor/engine_checks.h"
#include "editor/filtered_line_edit.h"
#include "editor/key_filters.h"
#include "editor/parameter_hints.h"
#include "results/exact_check_table.h"
#include "results/graph_export.h"
#include "results/importance_plot.h"
#include "system_reading.h"

namespace farvik {
namespace {

constexpr int kTimeTypedLength = 12;
const char* const kRefusalStyle = "QLineEdit { border: 2px solid #d00000; }";

// The row and column of element row `key` in the groups of `system`.
const ElementRec* findElement(const SystemData& system, int key, int& group, int& index) {
    const int groups = std::min<int>(system.subsystemCount, int(system.subsystems.size()) - 1);
    for (int i = 1; i <= groups; ++i) {
        const SubsystemRec& s = system.subsystems[std::size_t(i)];
        for (int j = 1; j <= s.count && j < int(s.elements.size()); ++j) {
            if (s.elements[std::size_t(j)].key == key) {
                group = i;
                index = j;
                return &s.elements[std::size_t(j)];
            }
        }
    }
    return nullptr;
}

// The model of a system as the engine reads its data file; nothing when it refuses the file.
std::optional<analysis::SystemModel> modelOf(const SystemData& system, const QString& fileName,
                                             QString& failure) {
    analysis::SystemReading reading = analysis::readSystem(
        dataFileBytesFor(system).toStdString(), QFileInfo(fileName).fileName().toStdString());
    if (!reading.model) failure = QString::fromStdString(reading.failure);
    return reading.model;
}

std::optional<std::size_t> indexOfLabel(const analysis::SystemModel& model, const QString& label) {
    const std::string wanted = label.toStdString();
    for (std::size_t k = 0; k < model.elements.size(); ++k)
        if (model.elements[k].label == wanted) return k;
    return std::nullopt;
}

QString changeText(double before, double after) {
    if (!std::isfinite(before) || !std::isfinite(after) || before == 0) return QStringLiteral("-");
    return shownFigure(100 * (after - before) / before);
}

QTableWidgetItem* cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(number ? (Qt::AlignRight | Qt::AlignVCenter)
                                  : (Qt::AlignLeft | Qt::AlignVCenter));
    return item;
}

}  // namespace

int elementRowOfLabel(const SystemData& system, const QString& label) {
    const QStringList parts = label.split(QLatin1Char('-'));
    int group = 0, index = 0;
    if (system.systemType == kGeneral) {
        bool ok = false;
        const int key = label.toInt(&ok);
        return ok && findElement(system, key, group, index) ? key : 0;
    }
    if (parts.size() != 2) return 0;
    const int i = parts[0].toInt(), j = parts[1].toInt();
    if (i < 1 || i > system.subsystemCount || i >= int(system.subsystems.size())) return 0;
    const SubsystemRec& s = system.subsystems[std::size_t(i)];
    if (j < 1 || j > s.count || j >= int(s.elements.size())) return 0;
    return s.elements[std::size_t(j)].key;
}

WhatIfPanel::WhatIfPanel(QWidget* parent) : QWidget(parent), runner_(new WhatIfRunner) {
    runner_->setParent(this);
    setObjectName(QStringLiteral("frmysi"));
    setWindowTitle(QStringLiteral("¿Y si...?"));
    setAttribute(Qt::WA_DeleteOnClose);

    lbelemento_ = named<QLabel>("lbelemento", this);
    lbelemento_->setWordWrap(true);
    cmbfallo_ = named<QComboBox>("cmbfallo", this);
    cmbfallo_->addItems(editor::distributionNames());
    for (int n = 0; n < 2; ++n) {
        auto* box = new editor::FilteredLineEdit(this);
        box->setObjectName(n == 0 ? QStringLiteral("txtparam1") : QStringLiteral("txtparam2"));
        box->setKeyFilter([](int& key, const QString& text) {
            editor::validanumfloat(editor::kParamTypedLength, key, text);
        });
        box->setTextGuard(
            [](const QString& text) { return text.size() <= editor::kParamTypedLength; });
        params_[n] = box;
    }
    txttiempo_ = new editor::FilteredLineEdit(this);
    txttiempo_->setObjectName(QStringLiteral("txttiempo"));
    txttiempo_->setKeyFilter(
        [](int& key, const QString& text) { editor::validanumfloat(kTimeTypedLength, key, text); });
    txttiempo_->setTextGuard([](const QString& text) { return text.size() <= kTimeTypedLength; });
    txttiempo_->setPlaceholderText(QStringLiteral("otro tiempo"));
    lbaviso_ = named<QLabel>("lbaviso", this);
    lbaviso_->setWordWrap(true);
    lbaviso_->setStyleSheet(QStringLiteral("color: #d00000;"));
    table_ = named<QTableWidget>("tblcomparacion", this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->setColumnCount(4);
    table_->setHorizontalHeaderLabels({QString(), QStringLiteral("Actual"),
                                       QStringLiteral("Con el cambio"),
                                       QStringLiteral("Cambio (%)")});
    table_->horizontalHeader()->setStretchLastSection(true);
    plot_ = new ImportancePlot(this);
    plot_->setObjectName(QStringLiteral("grfysi"));
    plot_->setTitle(QStringLiteral("Fiabilidad exacta R(t)"));
    lbestado_ = named<QLabel>("lbestado", this);
    btaplicar_ = named<QPushButton>("btaplicar", QStringLiteral("&Aplicar"), this);
    btgrafica_ = named<QPushButton>("btgrafica", QStringLiteral("Exportar &gráfica..."), this);
    btcerrar_ = named<QPushButton>("btcerrar", QStringLiteral("&Cerrar"), this);

    auto* boxes = new QGridLayout;
    const QString captions[] = {QStringLiteral("&Distribución:"), QStringLiteral("Parámetro &1:"),
                                QStringLiteral("Parámetro &2:"), QStringLiteral("&Tiempo:")};
    QWidget* fields[] = {cmbfallo_, params_[0], params_[1], txttiempo_};
    for (int r = 0; r < 4; ++r) {
        auto* caption = new QLabel(captions[r], this);
        caption->setBuddy(fields[r]);
        boxes->addWidget(caption, r, 0);
        boxes->addWidget(fields[r], r, 1);
    }
    boxes->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lbestado_, 1);
    buttons->addWidget(btaplicar_);
    buttons->addWidget(btgrafica_);
    buttons->addWidget(btcerrar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbelemento_);
    layout->addLayout(boxes);
    layout->addWidget(lbaviso_);
    layout->addWidget(table_, 1);
    layout->addWidget(plot_, 2);
    layout->addLayout(buttons);

    connect(cmbfallo_, qOverload<int>(&QComboBox::activated), this,
            [this](int position) { distributionChosen(position); });
    for (auto* box : params_)
        connect(box, &QLineEdit::textEdited, this, [this] { boxesChanged(); });
    connect(txttiempo_, &QLineEdit::textEdited, this, [this] { ask(); });
    connect(runner_, &WhatIfRunner::answered, this,
            [this](const WhatIfAnswer& a) { showAnswer(a); });
    connect(btaplicar_, &QPushButton::clicked, this, [this] {
        if (const auto element = changedElement(); element && refusals().isEmpty())
            emit applyRequested(key_, *element);
    });
    connect(btgrafica_, &QPushButton::clicked, this, [this] { exportGraph(); });
    connect(btcerrar_, &QPushButton::clicked, this, [this] { closeChildWindow(this); });
    btaplicar_->setEnabled(false);
    btgrafica_->setEnabled(false);
}

void WhatIfPanel::keyPressEvent(QKeyEvent* event) {
    // Escape is Cerrar: the document stays as it was.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeChildWindow(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

QLineEdit* WhatIfPanel::txtparam(int n) const {
    return n == 1 || n == 2 ? params_[n - 1] : nullptr;
}

QLineEdit* WhatIfPanel::txttiempo() const {
    return txttiempo_;
}

bool WhatIfPanel::setElement(const SystemData& system, int key, const QString& fileName,
                             std::vector<double> times) {
    int group = 0, index = 0;
    const ElementRec* element = findElement(system, key, group, index);
    if (!element) return false;
    key_ = key;
    fileName_ = fileName;
    runTimes_ = std::move(times);
    modelIndex_.reset();  // nothing is asked until the comparison is set up below
    loadBoxes(*element);
    systemChanged(system);
    return true;
}

void WhatIfPanel::loadBoxes(const ElementRec& element) {
    cmbfallo_->setCurrentIndex(element.distribution);
    for (int n = 0; n < 2; ++n) params_[n]->setText(numberText(element.params[std::size_t(n + 1)]));
    distributionChosen(element.distribution);
}

void WhatIfPanel::systemChanged(const SystemData& system) {
    int group = 0, index = 0;
    if (!findElement(system, key_, group, index)) {
        closeChildWindow(this);
        return;
    }
    // The row may stand elsewhere now (rows are numbered anew when groups change).
    const ElementRec& element = system.subsystems[std::size_t(group)].elements[std::size_t(index)];
    label_ = system.systemType == kGeneral ? QString::number(element.key)
                                           : QStringLiteral("%1-%2").arg(group).arg(index);
    lbelemento_->setText(QStringLiteral("Elemento %1 de %2: otra ley de fallo, sin tocar los datos "
                                        "hasta «Aplicar».")
                             .arg(label_, QFileInfo(fileName_).fileName()));
    system_ = system;
    modelIndex_.reset();
    shown_.reset();
    QString failure;
    std::optional<analysis::SystemModel> model = modelOf(system_, fileName_, failure);
    if (!model) {
        showRefusal(QStringLiteral("El motor no acepta los datos del documento: ") + failure);
    } else if (!(modelIndex_ = indexOfLabel(*model, label_))) {
        showRefusal(QStringLiteral("El elemento %1 no está en ningún camino: su ley no cambia "
                                   "la vida del sistema.")
                        .arg(label_));
    } else {
        const std::vector<double>& t = runTimes_;
        runner_->setSystem(std::move(*model),
                           t.empty() ? 0 : *std::max_element(t.begin(), t.end()));
    }
    boxesChanged();
}

void WhatIfPanel::distributionChosen(int position) {
    // Only the boxes the distribution uses are open, each named as in the data editor.
    for (int n = 0; n < 2; ++n) {
        const QString name = editor::parameterPlaceholder(position, n + 1);
        params_[n]->setEnabled(!name.isEmpty());
        params_[n]->setPlaceholderText(name);
        params_[n]->setProperty("meaning", editor::parameterTooltip(position, n + 1));
    }
    boxesChanged();
}

std::optional<ElementRec> WhatIfPanel::changedElement() const {
    int group = 0, index = 0;
    const ElementRec* original = findElement(system_, key_, group, index);
    if (!original) return std::nullopt;
    ElementRec element = *original;
    element.distribution = static_cast<std::int16_t>(std::max(0, cmbfallo_->currentIndex()));
    for (int n = 0; n < 2; ++n) {
        if (!params_[n]->isEnabled()) continue;  // kept as it was: the law does not use it
        const std::optional<double> value = parseNumber(params_[n]->text());
        if (!value) return std::nullopt;
        element.params[std::size_t(n + 1)] = *value;
    }
    return element;
}

QStringList WhatIfPanel::refusals() const {
    QStringList words;
    const std::optional<ElementRec> element = changedElement();
    if (!element) {
        for (int n = 0; n < 2; ++n) {
            if (params_[n]->isEnabled() && !parseNumber(params_[n]->text()))
                words << QStringLiteral("parámetro %1: escribe un número").arg(n + 1);
        }
        return words;
    }
    for (const editor::EngineRefusal& r : editor::elementRefusals(*element, label_))
        words << r.words;
    return words;
}

void WhatIfPanel::boxesChanged() {
    const std::optional<ElementRec> element = changedElement();
    bool refused[2] = {element ? false : true, element ? false : true};
    QStringList words;
    if (element) {
        for (const editor::EngineRefusal& r : editor::elementRefusals(*element, label_)) {
            refused[0] = refused[0] || r.first;
            refused[1] = refused[1] || r.second;
            words << r.words;
        }
    } else {
        words = refusals();
        for (int n = 0; n < 2; ++n)
            refused[n] = params_[n]->isEnabled() && !parseNumber(params_[n]->text());
    }
    for (int n = 0; n < 2; ++n) {
        const bool bad = refused[n] && params_[n]->isEnabled();
        const QString meaning = params_[n]->property("meaning").toString();
        params_[n]->setToolTip(bad ? meaning + '\n' + words.join('\n') : meaning);
        params_[n]->setStyleSheet(bad ? QString::fromLatin1(kRefusalStyle) : QString());
    }
    lbaviso_->setText(words.join('\n'));
    lbaviso_->setVisible(!words.isEmpty());
    btaplicar_->setEnabled(element && words.isEmpty());
    if (element && words.isEmpty())
        ask();
    else if (shown_)
        lbestado_->setText(QStringLiteral("Se muestra el último cambio válido."));
}

std::vector<double> WhatIfPanel::shownTimes() const {
    std::vector<double> times = runTimes_;
    const std::optional<double> typed = parseNumber(txttiempo_->text());
    if (typed && *typed >= 0 && std::find(times.begin(), times.end(), *typed) == times.end())
        times.push_back(*typed);
    return times;
}

void WhatIfPanel::ask() {
    const std::optional<ElementRec> element = changedElement();
    if (!element || !modelIndex_ || !editor::elementRefusals(*element, label_).empty()) return;
    // The law as the engine reads it from the data file with the change.
    SystemData changed = system_;
    int group = 0, index = 0;
    findElement(system_, key_, group, index);
    changed.subsystems[std::size_t(group)].elements[std::size_t(index)] = *element;
    QString failure;
    const std::optional<analysis::SystemModel> model = modelOf(changed, fileName_, failure);
    if (!model || *modelIndex_ >= model->elements.size()) return;
    runner_->ask(*modelIndex_, model->elements[*modelIndex_].law, shownTimes());
    lbestado_->setText(QStringLiteral("Calculando..."));
}

void WhatIfPanel::showAnswer(const WhatIfAnswer& answer) {
    shown_ = answer;
    table_->setRowCount(0);
    auto addRow = [&](const QString& name, const QString& before, const QString& after,
                      const QString& change) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        table_->setItem(r, 0, cell(name, false));
        table_->setItem(r, 1, cell(before, true));
        table_->setItem(r, 2, cell(after, true));
        table_->setItem(r, 3, cell(change, true));
    };
    if (!answer.refusal.isEmpty()) {
        // Out of reach of the exact analysis: the bounds of R, as "Importancia" shows them.
        for (std::size_t i = 0; i < answer.boundsBefore.size(); ++i) {
            const auto& b = answer.boundsBefore[i];
            const auto& a = answer.boundsAfter[i];
            addRow(QStringLiteral("Cotas de R(%1)").arg(shownFigure(answer.times[i])),
                   QStringLiteral("%1 a %2").arg(shownFigure(b.lower), shownFigure(b.upper)),
                   QStringLiteral("%1 a %2").arg(shownFigure(a.lower), shownFigure(a.upper)),
                   QStringLiteral("-"));
        }
        plot_->setLines({}, {});
        lbestado_->setText(answer.refusal);
        btgrafica_->setEnabled(false);
    } else {
        if (answer.meanLifePending) {
            addRow(QStringLiteral("Vida media"), shownFigure(answer.before.meanLife.value),
                   QStringLiteral("calculando..."), QStringLiteral("-"));
        } else {
            addRow(QStringLiteral("Vida media"), shownFigure(answer.before.meanLife.value),
                   shownFigure(answer.after.meanLife.value),
                   changeText(answer.before.meanLife.value, answer.after.meanLife.value));
        }
        for (std::size_t i = 0; i < answer.times.size(); ++i) {
            const double b = answer.before.atTimes[i], a = answer.after.atTimes[i];
            addRow(QStringLiteral("R(%1)").arg(shownFigure(answer.times[i])), shownFigure(b),
                   shownFigure(a), changeText(b, a));
        }
        plot_->setLines(answer.curveTimes, {{QStringLiteral("Actual"), answer.before.curve},
                                            {QStringLiteral("Con el cambio"), answer.after.curve}});
        lbestado_->setText(answer.meanLifePending
                               ? QStringLiteral("R(t) en %1 ms; calculando la vida media...")
                                     .arg(answer.milliseconds)
                               : QStringLiteral("Calculado en %1 ms").arg(answer.milliseconds));
        btgrafica_->setEnabled(true);
    }
    table_->resizeColumnsToContents();
}

void WhatIfPanel::showRefusal(const QString& text) {
    table_->setRowCount(0);
    plot_->setLines({}, {});
    lbestado_->setText(text);
    btgrafica_->setEnabled(false);
}

bool WhatIfPanel::exportGraph() {
    if (plot_->empty()) return false;
    return exportGraphToChosenFile(
        this, *plot_,
        QStringLiteral("%1: ¿Y si...? elemento %2").arg(QFileInfo(fileName_).fileName(), label_),
        QFileInfo(fileName_).absolutePath());
}

}  // namespace farvik
