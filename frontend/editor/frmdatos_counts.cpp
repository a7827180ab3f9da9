// The spin-controlled counts: subsystems (elements of a general system), elements of a
// subsystem, paths and entries of a path. Each arrow press has already moved its count box by
// one; these procedures add or remove the matching rows and data, or apply the limits.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "base/dialog_seam.h"
#include "document/number_text.h"
#include "document/system_data.h"
#include "editor_limits.h"
#include "frmdatos.h"
#include "row_list.h"
#include "spin_arrows.h"

namespace farvik {

namespace {

// The count box shows what the group holds: a file the engine runs may hold more than the
// arrows reach (up to 50 elements in a subsystem or entries in a path).
void showGroupCount(QLineEdit* box, const std::vector<SubsystemRec>& groups, int g) {
    if (g < 1 || g >= static_cast<int>(groups.size())) return;
    const QString text = QString::number(groups[static_cast<std::size_t>(g)].count);
    if (box->text() != text) box->setText(text);
}

}  // namespace

void frmdatos::showLimit(const QString& text) {
    dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(), text);
}

void frmdatos::udsubsistemas_UpClick() {
    SystemData& data = data_;
    if (data.subsystemCount >= udsubsistemas_->maximum()) {
        data.subsystemCount = editor::kMaxSubsystems;
        txtsubsistemas_->setText(QString::number(editor::kMaxSubsystems));
        udsubsistemas_->setStep(1);
        showLimit(QStringLiteral("Número máximo de subsistemas = %1").arg(editor::kMaxSubsystems));
    } else {
        const Filling fill(filling_);
        const int n = data.subsystemCount;
        resizeGroups(data.subsystems, n);
        data.subsystems[static_cast<std::size_t>(n)] = oneElementGroup();
        addSubsystemRow();
        ++data.elementCount;
        addElementRow(n, 1);
        cmbfallo(data.elementCount)->setCurrentIndex(0);
        syncElementRow(false, data.elementCount, n, 1);
    }
    commit();
}

void frmdatos::udsubsistemas_DownClick() {
    SystemData& data = data_;
    if (data.subsystemCount <= 0) {
        data.subsystemCount = 1;
        txtsubsistemas_->setText(QStringLiteral("1"));
        udsubsistemas_->setStep(1);
        showLimit(QStringLiteral("Número mínimo de subsistemas = 1"));
    } else {
        resizeGroups(data.subsystems, data.subsystemCount);
        removeSubsystemRow();
    }
    commit();
}

void frmdatos::udelemsubs_UpClick(int i) {
    QLineEdit* box = txtelemsubs(i);
    if (!box) return;
    if (toInt16(box->text()) >= udelemsubs(i)->maximum()) {
        box->setText(QString::number(editor::kMaxElementsPerSubsystem));
        udelemsubs(i)->setStep(1);
        showLimit(QStringLiteral("Número máximo de elementos = %1")
                      .arg(editor::kMaxElementsPerSubsystem));
    } else {
        rebuildElementRows(i, [this, i] { resizeSubsystem(data_, true, i); });
    }
    showGroupCount(box, data_.subsystems, i);
    commit();
}

void frmdatos::udelemsubs_DownClick(int i) {
    QLineEdit* box = txtelemsubs(i);
    if (!box) return;
    if (toInt16(box->text()) <= 0) {
        box->setText(QStringLiteral("1"));
        udelemsubs(i)->setStep(1);
        showLimit(QStringLiteral("Número mínimo de elementos en subsistema = 1"));
    } else {
        rebuildElementRows(i, [this, i] { resizeSubsystem(data_, false, i); });
    }
    showGroupCount(box, data_.subsystems, i);
    commit();
}

void frmdatos::udcaminos_UpClick() {
    SystemData& data = data_;
    if (data.pathCount >= udcaminos_->maximum()) {
        data.pathCount = editor::kMaxPaths;
        txtcaminos_->setText(QString::number(editor::kMaxPaths));
        udcaminos_->setStep(1);
        showLimit(QStringLiteral("Número máximo de caminos = %1").arg(editor::kMaxPaths));
    } else {
        const Filling fill(filling_);
        const int n = data.pathCount;
        resizeGroups(data.paths, n);
        data.paths[static_cast<std::size_t>(n)] = oneElementGroup();
        addPathRow();
        ++data.pathEntryCount;
        addPathEntryRow(true, n, 1);
        syncPathEntryRow(false, data.pathEntryCount, n, 1);
    }
    commit();
}

void frmdatos::udcaminos_DownClick() {
    SystemData& data = data_;
    if (data.pathCount <= 0) {
        data.pathCount = 1;
        txtcaminos_->setText(QStringLiteral("1"));
        udcaminos_->setStep(1);
        showLimit(QStringLiteral("Número mínimo de caminos = 1"));
    } else {
        resizeGroups(data.paths, data.pathCount);
        removePathRow();
    }
    commit();
}

void frmdatos::udelemcams_UpClick(int p) {
    QLineEdit* box = txtelemcams(p);
    if (!box) return;
    if (toInt16(box->text()) >= udelemcams(p)->maximum()) {
        box->setText(QString::number(editor::kMaxEntriesPerPath));
        udelemcams(p)->setStep(1);
        showLimit(
            QStringLiteral("Número máximo de elementos = %1").arg(editor::kMaxEntriesPerPath));
    } else {
        rebuildPathEntryRows(p, [this, p] { resizePath(data_, true, p); });
    }
    showGroupCount(box, data_.paths, p);
    commit();
}

void frmdatos::udelemcams_DownClick(int p) {
    QLineEdit* box = txtelemcams(p);
    if (!box) return;
    if (toInt16(box->text()) <= 0) {
        box->setText(QStringLiteral("1"));
        udelemcams(p)->setStep(1);
        showLimit(QStringLiteral("Número mínimo de elementos = 1"));
    } else {
        rebuildPathEntryRows(p, [this, p] { resizePath(data_, false, p); });
    }
    showGroupCount(box, data_.paths, p);
    commit();
}

// The rows before the changed group keep their keys, labels and values, so only the rows
// from that group on are filled again: the result is the same as rebuilding the whole list.
// The rows already there are reused, each showing the element that now has its key; only the
// row gained or lost at the end of the list is built or destroyed. So a file that grows its
// last group step by step costs one new row a step.
void frmdatos::rebuildElementRows(int from, const std::function<void()>& dataStep) {
    SystemData& data = data_;
    int k = elementsBefore(data.subsystems, from);
    if (k > elementRows()) {  // rows and records disagree: fill them all again
        from = 1;
        k = 0;
    }
    const int position = elementList_->scrollBar()->value();
    const Filling fill(filling_);
    dataStep();

    clearKeysFrom(data.subsystems, from);
    for (int s = from; s <= data.subsystemCount && s < static_cast<int>(data.subsystems.size());
         ++s) {
        for (int e = 1; e <= data.subsystems[static_cast<std::size_t>(s)].count; ++e) {
            if (++k > elementRows())
                addElementRow(s, e);
            else
                reuseElementRow(k, s, e);
            syncElementRow(true, k, s, e);
        }
    }
    while (elementRows() > k) removeElementRow();
    elementList_->scrollBar()->setValue(position);
}

void frmdatos::rebuildPathEntryRows(int from, const std::function<void()>& dataStep) {
    SystemData& data = data_;
    int key = elementsBefore(data.paths, from);
    if (key > pathEntryRows()) {
        from = 1;
        key = 0;
    }
    const int position = pathEntryList_->scrollBar()->value();
    const Filling fill(filling_);
    dataStep();

    clearKeysFrom(data.paths, from);
    for (int p = from; p <= data.pathCount && p < static_cast<int>(data.paths.size()); ++p) {
        for (int j = 1; j <= data.paths[static_cast<std::size_t>(p)].count; ++j) {
            if (++key > pathEntryRows())
                addPathEntryRow(j == 1, p, j);
            else
                reusePathEntryRow(key, j == 1, p);
            syncPathEntryRow(true, key, p, j);
        }
    }
    while (pathEntryRows() > key) removePathEntryRow();
    pathEntryList_->scrollBar()->setValue(position);
}

}  // namespace farvik
