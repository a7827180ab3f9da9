// The values of the rows: the distribution and parameters of each element, the element key of
// each path entry, and the two copies between a row and its record.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "distributions.h"
#include "document/number_text.h"
#include "document/system_data.h"
#include "filtered_line_edit.h"
#include "frmdatos.h"

namespace farvik {

namespace {

// Setting a box's text lays the text out again even when it stays the same; the same text
// changes nothing else (no text change is reported), so it is left alone.
void showText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

}  // namespace

void frmdatos::distributionChosen(int k, int position) {
    if (position < 0) return;  // the list was emptied of its choice
    ElementRec* element = findElementByKey(data_, k);
    if (!element) return;
    const bool edit = !filling_;
    if (edit) element->distribution = static_cast<std::int16_t>(position);

    const ElementRow& row = elementRows_[static_cast<std::size_t>(k - 1)];
    row.params[0]->show();
    const Distribution* law = findDistribution(position + 1);
    if (law && law->parameterCount == 1) {
        // One parameter (the exponential's rate): the other two are stored as 0. The choice
        // and the zeros are one edit.
        for (int n : {1, 2}) {
            if (row.params[n]->text() != QLatin1String("0")) {
                const QSignalBlocker quiet(row.params[n]);
                row.params[n]->setText(QStringLiteral("0"));
                if (edit) element->params[static_cast<std::size_t>(n + 1)] = 0;
            }
            row.params[n]->hide();
        }
    } else {
        row.params[1]->show();
        row.params[2]->hide();
    }
    refreshElementHints(k);
    if (edit) commit();
}

void frmdatos::paramTextChanged(int k, int n, const QString& text) {
    // An empty box keeps the last value; so does a text that is no number (a lone "."),
    // which the key filter cannot keep out.
    if (filling_ || text.isEmpty()) return;
    const auto value = parseNumber(text);
    if (!value) return;
    for (SubsystemRec& subsystem : data_.subsystems)
        for (std::size_t e = 1; e < subsystem.elements.size(); ++e)
            if (subsystem.elements[e].key == k)
                subsystem.elements[e].params[static_cast<std::size_t>(n)] = *value;
    refreshElementHints(k);
    commit(paramField(k, n));
}

void frmdatos::pathEntryTextChanged(int e, const QString& text) {
    if (filling_ || text.isEmpty()) return;
    const auto value = parseNumber(text);
    if (!value) return;
    // Whether the key names an existing element is not checked here.
    if (ElementRec* entry = findPathEntryByKey(data_, e)) entry->params[1] = *value;
    commit(pathEntryField(e));
}

void frmdatos::syncElementRow(bool load, int k, int i, int j) {
    SystemData& data = data_;
    if (i < 1 || i >= static_cast<int>(data.subsystems.size())) return;
    auto& elements = data.subsystems[static_cast<std::size_t>(i)].elements;
    if (j < 1 || j >= static_cast<int>(elements.size()) || !cmbfallo(k)) return;
    ElementRec& element = elements[static_cast<std::size_t>(j)];
    element.key = static_cast<std::int16_t>(k);

    if (load) {
        // Choosing the distribution shows the boxes it needs (and zeroes the unused ones of
        // an exponential) before the parameters are shown.
        if (cmbfallo(k)->currentIndex() != element.distribution)
            cmbfallo(k)->setCurrentIndex(element.distribution);
        for (int n = 1; n <= 3; ++n) showText(txtparam(n, k), numberText(element.params[n]));
    } else {
        if (cmbfallo(k)->currentIndex() >= 0)
            element.distribution = static_cast<std::int16_t>(cmbfallo(k)->currentIndex());
        for (int n = 1; n <= 3; ++n)
            if (const auto value = parseNumber(txtparam(n, k)->text())) element.params[n] = *value;
    }
    refreshElementHints(k);
}

void frmdatos::syncPathEntryRow(bool load, int e, int p, int j) {
    SystemData& data = data_;
    if (p < 1 || p >= static_cast<int>(data.paths.size())) return;
    auto& entries = data.paths[static_cast<std::size_t>(p)].elements;
    if (j < 1 || j >= static_cast<int>(entries.size()) || !txtcamino(e)) return;
    ElementRec& entry = entries[static_cast<std::size_t>(j)];
    entry.key = static_cast<std::int16_t>(e);

    if (load)
        showText(txtcamino(e), numberText(entry.params[1]));
    else
        entry.params[1] = leadingNumber(txtcamino(e)->text());
}

}  // namespace farvik
