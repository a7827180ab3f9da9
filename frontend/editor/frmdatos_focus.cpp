// The order in which Tab and Shift+Tab walk the editor's controls.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <algorithm>

#include "document/system_document.h"
#include "filtered_line_edit.h"
#include "frmdatos.h"
#include "row_list.h"

namespace farvik {

namespace {

// A control the keyboard can work: shown, enabled and taking the focus by Tab.
bool canStop(const QWidget* control, const QWidget* editor) {
    return control && control->isVisibleTo(editor) && control->isEnabled() &&
           (control->focusPolicy() & Qt::TabFocus);
}

}  // namespace

std::vector<QWidget*> frmdatos::tabStops() const {
    // Rows are created and destroyed at the end of their lists, and Qt's own chain puts each
    // new control last in the window: a new path's count box would come after the entries
    // of the paths before it. So the chain is built from the layout every time, in reading
    // order.
    std::vector<QWidget*> stops;
    const auto add = [&](QWidget* control) {
        if (canStop(control, this)) stops.push_back(control);
    };
    // An option group is one stop, its selected option; the arrow keys move inside it.
    for (int t = 1; t <= 5; ++t)
        if (optsistemas_[static_cast<std::size_t>(t)]->isChecked())
            add(optsistemas_[static_cast<std::size_t>(t)]);
    add(optred_[1]->isChecked() ? optred_[1] : optred_[0]);
    add(txtsemilla_);
    add(txtpruebas_);
    add(tabb_);

    add(txtsubsistemas_);
    for (const CountRow& row : subsystemRows_) add(row.count);
    for (const ElementRow& row : elementRows_) {
        add(row.distribution);
        for (editor::FilteredLineEdit* box : row.params) add(box);
    }
    add(txtcaminos_);
    for (const CountRow& row : pathRows_) add(row.count);
    for (const PathEntryRow& row : pathEntryRows_) add(row.key);
    return stops;
}

bool frmdatos::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = tabStops();
    if (stops.empty()) return QWidget::focusNextPrevChild(next);
    const int n = static_cast<int>(stops.size());
    const auto here = std::find(stops.begin(), stops.end(), focusWidget());
    int target;
    if (here == stops.end())
        target = next ? 0 : n - 1;
    else
        target = (static_cast<int>(here - stops.begin()) + (next ? 1 : n - 1)) % n;
    stops[static_cast<std::size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                           : Qt::BacktabFocusReason);
    return true;
}

int frmdatos::focusedElementRow() const {
    const QWidget* focus = focusWidget();
    if (!focus) return 0;
    for (int k = 1; k <= elementRows(); ++k) {
        if (focus == cmbfallo(k)) return k;
        for (int n = 1; n <= 3; ++n)
            if (focus == txtparam(n, k)) return k;
    }
    const SystemData& system = document_.system();
    for (int e = 1; e <= pathEntryRows(); ++e) {
        if (focus != txtcamino(e)) continue;
        for (std::size_t p = 1; p < system.paths.size(); ++p) {
            const SubsystemRec& path = system.paths[p];
            for (std::size_t m = 1; m <= std::size_t(path.count) && m < path.elements.size(); ++m) {
                const ElementRec& entry = path.elements[m];
                if (entry.key != e) continue;
                const int key = static_cast<int>(entry.params[1]);
                return findElementByKey(system, key) ? key : 0;
            }
        }
    }
    return 0;
}

}  // namespace farvik
