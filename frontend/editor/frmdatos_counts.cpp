// The spin-controlled counts: subsystems (elements of a general system), elements of a
// subsystem, paths and entries of a path. Each arrow press has already moved its count box by
// one; these procedures add or remove the matching rows and data, or apply the limits.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "editor_limits.h"
#include "frmdatos.h"
#include "number_text.h"
#include "row_list.h"
#include "shell/dialog_seam.h"
#include "spin_arrows.h"
#include "system_data.h"

namespace farvik {

using editor::toInt16;

void frmdatos::showLimit(const QString& text) {
    dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(), text);
}

void frmdatos::udsubsistemas_UpClick() {
    SystemData& data = systemData();
    if (data.subsystemCount >= udsubsistemas_->maximum()) {
        data.subsystemCount = editor::kMaxSubsystems;
        txtsubsistemas_->setText(QString::number(editor::kMaxSubsystems));
        udsubsistemas_->setStep(1);
        showLimit(QStringLiteral("Número máximo de subsistemas = %1").arg(editor::kMaxSubsystems));
    } else {
        const int n = data.subsystemCount;
        resizeGroups(data.subsystems, n);
        data.subsystems[static_cast<std::size_t>(n)] = oneElementGroup();
        addSubsystemRow();
        ++data.elementCount;
        addElementRow(n, 1);
        cmbfallo(data.elementCount)->setCurrentIndex(0);
        syncElementRow(false, data.elementCount, n, 1);
    }
    markModified();
}

void frmdatos::udsubsistemas_DownClick() {
    SystemData& data = systemData();
    if (data.subsystemCount <= 0) {
        data.subsystemCount = 1;
        txtsubsistemas_->setText(QStringLiteral("1"));
        udsubsistemas_->setStep(1);
        showLimit(QStringLiteral("Número mínimo de subsistemas = 1"));
    } else {
        resizeGroups(data.subsystems, data.subsystemCount);
        removeSubsystemRow();
    }
    markModified();
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
        rebuildElementRows([i] { resizeSubsystem(systemData(), true, i); });
    }
    markModified();
}

void frmdatos::udelemsubs_DownClick(int i) {
    QLineEdit* box = txtelemsubs(i);
    if (!box) return;
    if (toInt16(box->text()) <= 0) {
        box->setText(QStringLiteral("1"));
        udelemsubs(i)->setStep(1);
        showLimit(QStringLiteral("Número mínimo de elementos en subsistema = 1"));
    } else {
        rebuildElementRows([i] { resizeSubsystem(systemData(), false, i); });
    }
    markModified();
}

void frmdatos::udcaminos_UpClick() {
    SystemData& data = systemData();
    if (data.pathCount >= udcaminos_->maximum()) {
        data.pathCount = editor::kMaxPaths;
        txtcaminos_->setText(QString::number(editor::kMaxPaths));
        udcaminos_->setStep(1);
        showLimit(QStringLiteral("Número máximo de caminos = %1").arg(editor::kMaxPaths));
    } else {
        const int n = data.pathCount;
        resizeGroups(data.paths, n);
        data.paths[static_cast<std::size_t>(n)] = oneElementGroup();
        addPathRow();
        ++data.pathEntryCount;
        addPathEntryRow(true, n, 1);
        syncPathEntryRow(false, data.pathEntryCount, n, 1);
    }
    markModified();
}

void frmdatos::udcaminos_DownClick() {
    SystemData& data = systemData();
    if (data.pathCount <= 0) {
        data.pathCount = 1;
        txtcaminos_->setText(QStringLiteral("1"));
        udcaminos_->setStep(1);
        showLimit(QStringLiteral("Número mínimo de caminos = 1"));
    } else {
        resizeGroups(data.paths, data.pathCount);
        removePathRow();
    }
    markModified();
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
        rebuildPathEntryRows([p] { resizePath(systemData(), true, p); });
    }
    markModified();
}

void frmdatos::udelemcams_DownClick(int p) {
    QLineEdit* box = txtelemcams(p);
    if (!box) return;
    if (toInt16(box->text()) <= 0) {
        box->setText(QStringLiteral("1"));
        udelemcams(p)->setStep(1);
        showLimit(QStringLiteral("Número mínimo de elementos = 1"));
    } else {
        rebuildPathEntryRows([p] { resizePath(systemData(), false, p); });
    }
    markModified();
}

void frmdatos::rebuildElementRows(const std::function<void()>& dataStep) {
    SystemData& data = systemData();
    const int position = elementList_->scrollBar()->value();
    const int n = data.elementCount;
    while (elementRows() > 0) removeElementRow();
    data.elementCount = static_cast<std::int16_t>(n);
    dataStep();

    // Every element gets its row again, keyed afresh in order; its values come back from the
    // record. Old keys are cleared first so that no row ever reaches a stale duplicate.
    clearElementKeys(data);
    int k = 0;
    for (int s = 1; s <= data.subsystemCount && s < static_cast<int>(data.subsystems.size()); ++s) {
        for (int e = 1; e <= data.subsystems[static_cast<std::size_t>(s)].count; ++e) {
            addElementRow(s, e);
            syncElementRow(true, ++k, s, e);
        }
    }
    elementList_->scrollBar()->setValue(position);
}

void frmdatos::rebuildPathEntryRows(const std::function<void()>& dataStep) {
    SystemData& data = systemData();
    const int position = pathEntryList_->scrollBar()->value();
    const int n = data.pathEntryCount;
    while (pathEntryRows() > 0) removePathEntryRow();
    data.pathEntryCount = static_cast<std::int16_t>(n);
    dataStep();

    clearPathEntryKeys(data);
    int key = 0;
    for (int p = 1; p <= data.pathCount && p < static_cast<int>(data.paths.size()); ++p) {
        for (int j = 1; j <= data.paths[static_cast<std::size_t>(p)].count; ++j) {
            addPathEntryRow(j == 1, p, j);
            syncPathEntryRow(true, ++key, p, j);
        }
    }
    pathEntryList_->scrollBar()->setValue(position);
}

}  // namespace farvik
