#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "document/system_data.h"
#include "results/what_if_runner.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace farvik {

class ImportancePlot;
namespace editor {
class FilteredLineEdit;
}

// The child window "¿Y si...?": one element of the document with another distribution or
// other parameters, typed into its own boxes, and at once, worked out apart from the
// interface, the exact mean life and R(t) at the times of the run (and at a time typed
// there) as the system stands and with the change, the change in %, and both reliability
// curves. The document is not touched until "Aplicar", which asks for one edit of it.
// Parameters are judged by the engine's rules as in the data editor: a value the engine
// would refuse gets a red frame and its words, and turns "Aplicar" off.
class WhatIfPanel : public QWidget {
    Q_OBJECT
  public:
    explicit WhatIfPanel(QWidget* parent = nullptr);

    // Element row `key` of `system`: the boxes take its law, and the comparison is made
    // against `system` at `times` (the run's). False when no element has that key.
    bool setElement(const SystemData& system, int key, const QString& fileName,
                    std::vector<double> times);
    // The document changed meanwhile (an edit, "Aplicar", undo): the comparison is made
    // again against it; the boxes keep what was typed. Closes the panel when the element
    // is gone.
    void systemChanged(const SystemData& system);

    int elementKey() const { return key_; }
    QString elementLabel() const { return label_; }
    // The element as the boxes give it; nothing while a box holds no number.
    std::optional<ElementRec> changedElement() const;
    // The values the engine refuses, in its words; empty when Aplicar may go.
    QStringList refusals() const;
    // The answer shown, to the newest question asked.
    const std::optional<WhatIfAnswer>& shownAnswer() const { return shown_; }
    const WhatIfRunner& runner() const { return *runner_; }
    bool exportGraph();

    QComboBox* cmbfallo() const { return cmbfallo_; }
    QLineEdit* txtparam(int n) const;
    QLineEdit* txttiempo() const;
    QTableWidget* tblcomparacion() const { return table_; }
    ImportancePlot* plot() const { return plot_; }
    QLabel* lbestado() const { return lbestado_; }
    QPushButton* btaplicar() const { return btaplicar_; }
    QPushButton* btcerrar() const { return btcerrar_; }
    QSize sizeHint() const override { return {620, 640}; }

  signals:
    // "Aplicar": the element row `key` is to become `element`.
    void applyRequested(int key, const farvik::ElementRec& element);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void loadBoxes(const ElementRec& element);
    void distributionChosen(int position);
    // Judges the boxes, and asks for the answer when they hold a law the engine takes.
    void boxesChanged();
    void ask();
    void showAnswer(const WhatIfAnswer& answer);
    void showRefusal(const QString& text);
    std::vector<double> shownTimes() const;

    WhatIfRunner* runner_;
    SystemData system_;
    int key_ = 0;
    QString label_;
    QString fileName_;
    std::vector<double> runTimes_;
    std::optional<std::size_t> modelIndex_;  // the element among the model's
    std::optional<WhatIfAnswer> shown_;

    QLabel* lbelemento_;
    QComboBox* cmbfallo_;
    editor::FilteredLineEdit* params_[2];
    editor::FilteredLineEdit* txttiempo_;
    QLabel* lbaviso_;
    QTableWidget* table_;
    ImportancePlot* plot_;
    QLabel* lbestado_;
    QPushButton* btaplicar_;
    QPushButton* btgrafica_;
    QPushButton* btcerrar_;
};

// The element row of the element the engine names `label` ("1-2", or the key of an element
// of a general system); 0 when there is none.
int elementRowOfLabel(const SystemData& system, const QString& label);

}  // namespace farvik
