// Showing a whole system: the rows of the four lists built or reused to match it, and every
// control filled from it, without any of it counting as an edit.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

#include "codes.h"
#include "document/number_text.h"
#include "filtered_line_edit.h"
#include "frmdatos.h"
#include "row_list.h"
#include "spin_arrows.h"

namespace farvik {

namespace {

// The groups a system really holds: its count, and no more than its records.
int groupsIn(const std::vector<SubsystemRec>& groups, int count) {
    return std::clamp(count, 0, std::max(0, static_cast<int>(groups.size()) - 1));
}

int membersOf(const SubsystemRec& group) {
    return std::clamp(static_cast<int>(group.count), 0,
                      std::max(0, static_cast<int>(group.elements.size()) - 1));
}

void showCount(QLineEdit* box, int count) {
    const QString text = QString::number(count);
    if (box->text() != text) box->setText(text);
}

}  // namespace

void frmdatos::load(const SystemData& system) {
    // The focus stays where it is when its control outlives the loading.
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (focused && !isAncestorOf(focused)) focused = nullptr;

    const Filling fill(filling_);
    data_ = system;
    const int t = std::clamp(static_cast<int>(data_.systemType), 1, 5);
    for (int option = 1; option <= 5; ++option) {
        const QSignalBlocker quiet(optsistemas_[option]);
        optsistemas_[option]->setChecked(option == t);
    }
    lastSystemType_ = t;
    applyStructureView(t);
    for (int i = 0; i <= 1; ++i) {
        const QSignalBlocker quiet(optred_[i]);
        optred_[i]->setChecked((i == 1) == data_.redundancyStudy);
    }
    showCount(txtsemilla_, data_.seed);
    showCount(txtpruebas_, data_.trialCount);
    showCount(txtsubsistemas_, data_.subsystemCount);
    showCount(txtcaminos_, data_.pathCount);
    udsubsistemas_->setStep(1);
    udcaminos_->setStep(1);

    loadSubsystemRows();
    loadElementRows();
    loadPathRows();
    loadPathEntryRows();
    refreshValueMarks();

    if (focused && focused->isVisibleTo(this) && focused->isEnabled())
        focused->setFocus(Qt::OtherFocusReason);
}

void frmdatos::loadSubsystemRows() {
    const int n = groupsIn(data_.subsystems, data_.subsystemCount);
    while (subsystemRows() > n) {
        subsystemList_->rowRemoved();
        delete subsystemRows_.back().row;
        subsystemRows_.pop_back();
    }
    while (subsystemRows() < n) addSubsystemRow();
    for (int i = 1; i <= n; ++i) {
        showCount(txtelemsubs(i), membersOf(data_.subsystems[static_cast<std::size_t>(i)]));
        udelemsubs(i)->setStep(1);
    }
}

void frmdatos::loadElementRows() {
    int k = 0;
    const int n = groupsIn(data_.subsystems, data_.subsystemCount);
    for (int i = 1; i <= n; ++i) {
        const int members = membersOf(data_.subsystems[static_cast<std::size_t>(i)]);
        for (int j = 1; j <= members; ++j) {
            if (++k > elementRows()) {
                addElementRow(i, j);
            } else {
                reuseElementRow(k, i, j);
                // The name also follows the structure (a general system names by number).
                elementRows_[static_cast<std::size_t>(k - 1)].name->setText(elementName(i, j));
            }
            syncElementRow(true, k, i, j);
        }
    }
    while (elementRows() > k) removeElementRow();
    data_.elementCount = static_cast<std::int16_t>(k);
}

void frmdatos::loadPathRows() {
    const int n = groupsIn(data_.paths, data_.pathCount);
    while (pathRows() > n) {
        pathList_->rowRemoved();
        delete pathRows_.back().row;
        pathRows_.pop_back();
    }
    while (pathRows() < n) addPathRow();
    for (int p = 1; p <= n; ++p) {
        showCount(txtelemcams(p), membersOf(data_.paths[static_cast<std::size_t>(p)]));
        udelemcams(p)->setStep(1);
    }
}

void frmdatos::loadPathEntryRows() {
    int e = 0;
    const int n = groupsIn(data_.paths, data_.pathCount);
    for (int p = 1; p <= n; ++p) {
        const int members = membersOf(data_.paths[static_cast<std::size_t>(p)]);
        for (int j = 1; j <= members; ++j) {
            if (++e > pathEntryRows())
                addPathEntryRow(j == 1, p, j);
            else
                reusePathEntryRow(e, j == 1, p);
            syncPathEntryRow(true, e, p, j);
        }
    }
    while (pathEntryRows() > e) removePathEntryRow();
    data_.pathEntryCount = static_cast<std::int16_t>(e);
}

}  // namespace farvik
