#include "frmdatos.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <limits>

#include "base/document_host.h"
#include "codes.h"
#include "document/number_text.h"
#include "document/system_data.h"
#include "edited_system.h"
#include "editor_limits.h"
#include "filtered_line_edit.h"
#include "key_filters.h"
#include "row_list.h"
#include "spin_arrows.h"

namespace farvik {

using editor::FilteredLineEdit;

frmdatos::frmdatos(DocumentHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setWindowTitle(QStringLiteral("Datos"));
    measureColumns();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildLeftColumn(), 0, Qt::AlignTop);
    layout->addWidget(buildPanes(), 0, Qt::AlignTop);
    layout->addStretch();

    // Structure, redundancy and tabs. toggled() also answers an option selected by the
    // program; clicked() answers a click on the option already selected.
    for (int t = 1; t <= 5; ++t) {
        connect(optsistemas_[t], &QRadioButton::toggled, this, [this, t](bool on) {
            if (on) optsistemas_Click(t);
        });
        connect(optsistemas_[t], &QRadioButton::clicked, this, [this, t] { optsistemas_Click(t); });
    }
    for (int i = 0; i <= 1; ++i)
        connect(optred_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optred_Click(i);
        });
    connect(tabb_, &QTabBar::currentChanged, this, [this] { tabb_Click(); });

    // Simulation settings.
    connect(txtsemilla_, &QLineEdit::textChanged, this, &frmdatos::seedTextChanged);
    connect(txtpruebas_, &QLineEdit::textChanged, this, &frmdatos::trialsTextChanged);
    txtpruebas_->setKeyFilter([](int& key, const QString&) { editor::validanumint(key); });
    txtpruebas_->setTextGuard([](const QString& text) {
        return text.size() <= editor::kTrialsTypedLength &&
               leadingNumber(text) <= std::numeric_limits<std::int32_t>::max();
    });
    connect(txtpruebas_, &FilteredLineEdit::keyPressed, this, &frmdatos::markModified);

    // Counts of subsystems and paths.
    connect(udsubsistemas_, &editor::SpinArrows::changed, this, [this] {
        systemData().subsystemCount = toInt16(txtsubsistemas_->text());
        markModified();
    });
    connect(udsubsistemas_, &editor::SpinArrows::upClick, this, &frmdatos::udsubsistemas_UpClick);
    connect(udsubsistemas_, &editor::SpinArrows::downClick, this,
            &frmdatos::udsubsistemas_DownClick);
    connect(udcaminos_, &editor::SpinArrows::changed, this, [this] {
        systemData().pathCount = toInt16(txtcaminos_->text());
        markModified();
    });
    connect(udcaminos_, &editor::SpinArrows::upClick, this, &frmdatos::udcaminos_UpClick);
    connect(udcaminos_, &editor::SpinArrows::downClick, this, &frmdatos::udcaminos_DownClick);

    // A new description: one subsystem of one exponential element, one path of one entry.
    SystemData& data = systemData();
    resetSystemData(data);
    addSubsystemRow();
    addElementRow(1, 1);
    syncElementRow(false, 1, 1, 1);
    cmbfallo(1)->setCurrentIndex(0);
    addPathRow();
    addPathEntryRow(true, 1, 1);
    syncPathEntryRow(false, 1, 1, 1);

    applyStructureView(1);
    // The selected option counts as clicked, so clicking it again changes nothing.
    lastSystemType() = 1;
    markModified();
}

frmdatos::~frmdatos() = default;

void frmdatos::markModified() {
    refreshValueMarks();
    host_.markModified();
    emit edited();
}

QRadioButton* frmdatos::optsistemas(int t) const {
    return t >= 1 && t <= 5 ? optsistemas_[static_cast<std::size_t>(t)] : nullptr;
}

QRadioButton* frmdatos::optred(int i) const {
    return i == 0 || i == 1 ? optred_[i] : nullptr;
}

QLineEdit* frmdatos::txtpruebas() const {
    return txtpruebas_;
}

void frmdatos::applyStructureView(int t) {
    generalView_ = t == kGeneral;
    if (generalView_) {
        tabb_->setEnabled(true);
        frame1_->setTitle(QStringLiteral("Elementos"));
        label3_->setText(QStringLiteral("Nº de Elementos:"));
    } else {
        tabb_->setCurrentIndex(0);
        tabb_->setEnabled(false);
        frame1_->setTitle(QStringLiteral("Subsistemas"));
        label3_->setText(QStringLiteral("Nº de Subsistemas:"));
    }
    tabb_Click();  // also when the tab did not change
    // The subsystem list means nothing in a general system: every subsystem is one element.
    subsystemList_->setFrozen(generalView_);
    subsystemList_->setVisible(!generalView_);
    const bool countable = t >= 3;
    txtsubsistemas_->setEnabled(countable);
    udsubsistemas_->setEnabled(countable);
}

void frmdatos::optsistemas_Click(int t) {
    if (t < 1 || t > 5 || t == lastSystemType()) return;
    if (!optsistemas_[t]->isChecked()) {
        const QSignalBlocker quiet(optsistemas_[t]);
        optsistemas_[t]->setChecked(true);
    }
    // lastSystemType first: selecting the tab below must not bring us back here.
    lastSystemType() = static_cast<std::int16_t>(t);
    applyStructureView(t);

    // Back to one subsystem of one element; that element keeps its distribution and
    // parameters. The paths are left as they are.
    SystemData& data = systemData();
    for (int n = data.subsystemCount; n > 0 && subsystemRows() > 0; --n) {
        --data.subsystemCount;
        removeSubsystemRow();
    }
    while (subsystemRows() > 0) removeSubsystemRow();
    while (elementRows() > 0) removeElementRow();
    data.subsystemCount = 1;
    resizeGroups(data.subsystems, 1);
    SubsystemRec& first = data.subsystems[1];
    if (first.count < 1) first = oneElementGroup();
    first.count = 1;
    first.elements.resize(2);  // elements dropped here come back fresh if added again

    addSubsystemRow();
    addElementRow(1, 1);
    data.elementCount = 1;
    syncElementRow(true, 1, 1, 1);

    txtsubsistemas_->setText(QStringLiteral("1"));
    udsubsistemas_->setStep(1);
    udelemsubs(1)->setStep(1);
    data.systemType = static_cast<std::int16_t>(t);
    markModified();
}

void frmdatos::optred_Click(int i) {
    if (i != 0 && i != 1) return;
    if (!optred_[i]->isChecked()) {
        const QSignalBlocker quiet(optred_[i]);
        optred_[i]->setChecked(true);  // the other option goes off by itself
    }
    systemData().redundancyStudy = i > 0;
    markModified();
}

void frmdatos::tabb_Click() {
    const bool elements = tabb_->currentIndex() == 0;
    frame1_->setVisible(elements);
    frame2_->setVisible(elements);
    frame11_->setVisible(!elements && generalView_);
    frame22_->setVisible(!elements && generalView_);
}

void frmdatos::seedTextChanged(const QString& text) {
    systemData().seed = toInt16(text);
    markModified();
}

void frmdatos::trialsTextChanged(const QString& text) {
    // An empty box gives 0; a number beyond the 32-bit range is clamped, never wrapped.
    systemData().trialCount = toInt32(text);
    markModified();
}

}  // namespace farvik
