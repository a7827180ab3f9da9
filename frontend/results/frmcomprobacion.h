#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <atomic>
#include <optional>
#include <thread>

#include "base/printable_view.h"
#include "exact_check_table.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace farvik {

// What the check is asked to compare: a data file and, when the document has results of
// its own, the summary of that run.
struct ExactCheckRequest {
    QByteArray dataFile;                // the bytes of the data file, as the engine reads them
    QString dataFileName;               // for messages and the printed heading
    std::optional<QByteArray> summary;  // resumen.TXT of a run of this very file
    bool announceFailure = true;        // false: a failure is told in the window only
};

// The window "Comprobación exacta": the simulated values beside the exact ones, with z and
// the marks of values beyond 4 standard errors. The exact values are worked out apart from
// the user interface, with a progress bar and "Cancelar"; the table prints and exports CSV.
class frmcomprobacion : public QWidget, public PrintableView {
    Q_OBJECT

  public:
    explicit frmcomprobacion(ExactCheckRequest request, QWidget* parent = nullptr);
    ~frmcomprobacion() override;  // stops the computation and waits for it

    void printView() override;
    QSize sizeHint() const override { return {980, 460}; }  // the table whole, as a rule
    bool exportToFile();  // asks for a file through the dialog seam; true when written
    void cancelRequested();

    bool computing() const { return computing_; }
    const ExactCheckTable& table() const { return table_; }
    QTableWidget* tblcomprobacion() const { return table_widget_; }

  signals:
    void finished();             // the table is shown, or the computation failed or was cancelled
    void importanceRequested();  // "Importancia...": the importance window of the same system

  private:
    void start(const ExactCheckRequest& request);
    void progress(int done, int total);
    void show_table(const ExactCheckTable& table);
    void show_failure(const QString& text);

    QString dataFileName_;
    bool announceFailure_ = true;
    ExactCheckTable table_;
    bool computing_ = false;
    std::atomic<bool> cancel_{false};
    std::thread worker_;

    QLabel* lbencabezado_;
    QTableWidget* table_widget_;
    QLabel* lbveredicto_;
    QProgressBar* prgcalculo_;
    QPushButton* btcancelar_;
    QPushButton* btprint_;
    QPushButton* btexportar_;
    QPushButton* btimportancia_;
    QPushButton* btaceptar_;
};

}  // namespace farvik
