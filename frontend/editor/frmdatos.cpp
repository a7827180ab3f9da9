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

#include "codes.h"
#include "document/number_text.h"
#include "document/system_data.h"
#include "document/system_document.h"
#include "editor_limits.h"
#include "filtered_line_edit.h"
#include "key_filters.h"
#include "row_list.h"
#include "spin_arrows.h"

namespace farvik {

using editor::FilteredLineEdit;

frmdatos::frmdatos(SystemDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
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
    connect(txtpruebas_, &FilteredLineEdit::keyPressed, this, [this] { commit(kTrialsField); });

    // Counts of subsystems and paths. The arrow's own procedure, which follows at once, makes
    // the edit one step.
    connect(udsubsistemas_, &editor::SpinArrows::changed, this,
            [this] { data_.subsystemCount = toInt16(txtsubsistemas_->text()); });
    connect(udsubsistemas_, &editor::SpinArrows::upClick, this, &frmdatos::udsubsistemas_UpClick);
    connect(udsubsistemas_, &editor::SpinArrows::downClick, this,
            &frmdatos::udsubsistemas_DownClick);
    connect(udcaminos_, &editor::SpinArrows::changed, this,
            [this] { data_.pathCount = toInt16(txtcaminos_->text()); });
    connect(udcaminos_, &editor::SpinArrows::upClick, this, &frmdatos::udcaminos_UpClick);
    connect(udcaminos_, &editor::SpinArrows::downClick, this, &frmdatos::udcaminos_DownClick);

    load(document_.system());
    // An undo, a redo or another system from outside: shown anew.
    connect(&document_, &SystemDocument::systemReplaced, this,
            [this] { load(document_.system()); });
}

frmdatos::~frmdatos() = default;

void frmdatos::commit(int field) {
    if (filling_) return;
    refreshValueMarks();
    if (data_ != document_.system())
        document_.recordEdit(data_, windowTitle(), field);
    else if (!document_.isModified())
        document_.setModified(true);  // a refused key, a limit: still an edit of the user
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
    if (filling_ || t < 1 || t > 5 || t == lastSystemType_) return;
    if (!optsistemas_[t]->isChecked()) {
        const QSignalBlocker quiet(optsistemas_[t]);
        optsistemas_[t]->setChecked(true);
    }
    // lastSystemType_ first: selecting the tab below must not bring us back here.
    lastSystemType_ = t;
    {
        const Filling fill(filling_);
        applyStructureView(t);

        // Back to one subsystem of one element; that element keeps its distribution and
        // parameters. The paths are left as they are.
        SystemData& data = data_;
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
    }
    commit();
}

void frmdatos::optred_Click(int i) {
    if (filling_ || (i != 0 && i != 1)) return;
    if (!optred_[i]->isChecked()) {
        const QSignalBlocker quiet(optred_[i]);
        optred_[i]->setChecked(true);  // the other option goes off by itself
    }
    data_.redundancyStudy = i > 0;
    commit();
}

void frmdatos::tabb_Click() {
    const bool elements = tabb_->currentIndex() == 0;
    frame1_->setVisible(elements);
    frame2_->setVisible(elements);
    frame11_->setVisible(!elements && generalView_);
    frame22_->setVisible(!elements && generalView_);
}

void frmdatos::seedTextChanged(const QString& text) {
    if (filling_) return;
    data_.seed = toInt16(text);
    commit(kSeedField);
}

void frmdatos::trialsTextChanged(const QString& text) {
    // An empty box gives 0; a number beyond the 32-bit range is clamped, never wrapped.
    if (filling_) return;
    data_.trialCount = toInt32(text);
    commit(kTrialsField);
}

}  // namespace farvik
