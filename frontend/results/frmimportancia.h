#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "base/printable_view.h"
#include "importance_report.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace farvik {

class ImportancePlot;

// What the window is asked about: a data file, the times of its run and, when the document
// has results of its own, the summary of that run (for the simulated causes).
struct ImportanceRequest {
    QByteArray dataFile;
    QString dataFileName;
    std::vector<double> times;
    std::optional<QByteArray> summary;
};

// The window "Importancia y sensibilidad": at a time of the run (or one typed in its box)
// the importance measures of every element with its exact and simulated cause shares, the
// sensitivities of the mean life and of R(t), both tables sortable by any column, and the
// Birnbaum curves of the five most important elements. Worked out apart from the user
// interface, with "Cancelar"; the tables print and export CSV, the graph PNG or SVG.
class frmimportancia : public QWidget, public PrintableView {
    Q_OBJECT

  public:
    explicit frmimportancia(ImportanceRequest request, QWidget* parent = nullptr);
    ~frmimportancia() override;  // stops the computation and waits for it

    void printView() override;
    QSize sizeHint() const override { return {980, 560}; }
    bool exportTables();  // CSV, through the dialog seam
    bool exportGraph();   // PNG, or SVG for a name ending in .svg
    void cancelRequested();
    // Shows the measures at `t`, working them out when it is not one of the report's times.
    void showTime(double t);

    bool computing() const { return computing_; }
    const std::optional<ImportanceReport>& report() const { return report_; }
    QTableWidget* tblimportancia() const { return importance_; }
    QTableWidget* tblsensibilidad() const { return sensitivity_; }
    ImportancePlot* plot() const { return plot_; }

    // The element of the importance table's current row ("1-2", or a key); empty for none.
    QString chosenElement() const;

  signals:
    void finished();  // the tables are shown, or the computation failed or was cancelled
    // "¿Y si...?" (or a double click on a row): the element named `label` with another law.
    void whatIfRequested(const QString& label);

  private:
    void start(const ImportanceRequest& request);
    void show_report();
    void show_tables();
    void show_failure(const QString& text);
    void timeTyped();

    QString dataFileName_;
    std::optional<ImportanceReport> report_;
    std::shared_ptr<const analysis::ExactSystem> exact_;
    std::size_t shownTime_ = 0;
    bool computing_ = false;
    std::atomic<bool> cancel_{false};
    std::thread worker_;

    QLabel* lbencabezado_;
    QComboBox* cbtiempo_;
    QTabWidget* tabs_;
    QTableWidget* importance_;
    QTableWidget* sensitivity_;
    ImportancePlot* plot_;
    QProgressBar* prgcalculo_;
    QPushButton* btcancelar_;
    QPushButton* btprint_;
    QPushButton* btexportar_;
    QPushButton* btgrafica_;
    QPushButton* btysi_;
    QPushButton* btaceptar_;
};

}  // namespace farvik
