// What the values of the rows mean, and the values the engine would refuse: a red frame and
// the engine's words on each of them, as the user types.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVariant>
#include <cmath>

#include "codes.h"
#include "document/system_data.h"
#include "engine_checks.h"
#include "filtered_line_edit.h"
#include "frmdatos.h"
#include "mean_life.h"
#include "parameter_hints.h"
#include "parameter_rules.h"
#include "row_list.h"

namespace farvik {

namespace {

// The property that holds the engine's words on a refused box ("" when it is sound).
constexpr const char* kRefusal = "engineRefusal";

// Gives a box its meaning as tooltip and placeholder, and its red frame with the engine's
// words when the engine would refuse its value. Style sheets are set only on a change, as
// each one makes the box work out its looks again.
void markBox(QLineEdit* box, const QString& meaning, const QString& placeholder,
             const QString& refusal) {
    if (!box) return;
    if (box->placeholderText() != placeholder) box->setPlaceholderText(placeholder);
    const QString tip =
        refusal.isEmpty() ? meaning : (meaning.isEmpty() ? refusal : meaning + '\n' + refusal);
    if (box->toolTip() != tip) box->setToolTip(tip);
    if (box->property(kRefusal).toString() == refusal) return;
    box->setProperty(kRefusal, refusal);
    box->setStyleSheet(
        refusal.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #d00000; }"));
}

}  // namespace

void frmdatos::refreshElementHints(int k) {
    if (k < 1 || k > elementRows()) return;
    const ElementRow& row = elementRows_[static_cast<std::size_t>(k - 1)];
    const SystemData& data = data_;
    const ElementRec* element = nullptr;
    int subsystem = 0, index = 0;
    for (std::size_t i = 1; i < data.subsystems.size() && !element; ++i) {
        const auto& elements = data.subsystems[i].elements;
        for (std::size_t j = 1; j < elements.size(); ++j) {
            if (elements[j].key == k) {
                element = &elements[j];
                subsystem = static_cast<int>(i);
                index = static_cast<int>(j);
                break;
            }
        }
    }
    const int position = row.distribution->currentIndex();
    if (!element || position < 0) {
        for (auto* box : row.params) markBox(box, QString(), QString(), QString());
        row.meanLife->clear();
        return;
    }
    QString label = editor::elementLabel(data, subsystem, index);
    if (data.systemType == kGeneral) label = QString::number(element->key);
    QString refusal[2];
    for (const auto& r : editor::elementRefusals(*element, label)) {
        if (r.first && refusal[0].isEmpty()) refusal[0] = r.words;
        if (r.second && refusal[1].isEmpty()) refusal[1] = r.words;
    }
    for (int n = 1; n <= 2; ++n) {
        markBox(row.params[n - 1], editor::parameterTooltip(position, n),
                editor::parameterPlaceholder(position, n), refusal[n - 1]);
    }
    const auto life =
        farvik::meanLife(element->distribution + 1, element->params[1], element->params[2]);
    row.meanLife->setText(editor::meanLifeText(life));
    row.meanLife->setToolTip(QStringLiteral("Vida media del elemento con estos parámetros"));
}

void frmdatos::refreshValueMarks() {
    const SystemData& data = data_;
    // Only a general system's file holds the paths.
    const bool general = data.systemType == kGeneral;
    for (std::size_t p = 1; p < data.paths.size(); ++p) {
        const auto& entries = data.paths[p].elements;
        for (std::size_t j = 1; j < entries.size(); ++j) {
            const ElementRec& entry = entries[j];
            if (entry.key < 1 || entry.key > pathEntryRows()) continue;
            QString refusal;
            if (general && !editor::pathKeyNamesElement(data, entry.params[1])) {
                refusal = QString::fromStdString(
                    unknownPathKeyWords(static_cast<int>(p), std::llround(entry.params[1])));
            }
            markBox(txtcamino(entry.key), QStringLiteral("Número clave del elemento"), QString(),
                    refusal);
        }
    }
    const auto trials = trialsFault(data.trialCount);
    markBox(txtpruebas_, QString(), QString(),
            trials ? QString::fromStdString(*trials) : QString());
}

void frmdatos::selectElementRow(int k) {
    if (k < 1 || k > elementRows()) return;
    if (tabb_->currentIndex() != 0) tabb_->setCurrentIndex(0);
    elementList_->ensureRowVisible(k);
    cmbfallo(k)->setFocus(Qt::OtherFocusReason);
}

void frmdatos::selectPathEntryRow(int e) {
    if (e < 1 || e > pathEntryRows() || !generalView_) return;
    if (tabb_->currentIndex() != 1) tabb_->setCurrentIndex(1);
    pathEntryList_->ensureRowVisible(e);
    txtcamino(e)->setFocus(Qt::OtherFocusReason);
    txtcamino(e)->selectAll();
}

}  // namespace farvik
