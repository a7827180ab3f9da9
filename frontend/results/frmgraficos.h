#pragma once

#include <QByteArray>
#include <QWidget>
#include <atomic>
#include <optional>
#include <thread>

#include "base/printable_view.h"
#include "exact_curves.h"
#include "graph_range.h"
#include "reliability_curves.h"

class QButtonGroup;
class QCheckBox;
class QMdiArea;
class QPlainTextEdit;
class QPushButton;

namespace farvik {

class GraphFrame;
class GraphPlot;

// The graph window ("Gráficas"): the reliability table of a run, drawn as the reliability
// curve, the histogram of failures or the failure rate, beside the table's text. The user
// zooms by dragging a rectangle on the plot and goes back to the whole curve with the
// right button; "&Imprimir" prints the table with or without the graph. With the data file
// of the run, "Curva exacta" draws the exact reliability or hazard over the simulated curve.
class frmgraficos : public QWidget, public PrintableView {
    Q_OBJECT

  public:
    // Reads tablafia.txt from the folder where the engine wrote its results.
    explicit frmgraficos(const QString& resultsFolder, QWidget* parent = nullptr);
    ~frmgraficos() override;  // stops the exact curves' computation and waits for it

    // The data file the table was simulated from: "Curva exacta" can be ticked from then on.
    void setExactSource(const QByteArray& dataFile, const QString& dataFileName);
    QCheckBox* chkexacta() const { return chkexacta_; }
    // The exact curves, once worked out.
    const std::optional<ExactCurves>& exactCurves() const { return exact_; }
    bool computingExact() const { return worker_.joinable() && !exact_; }

    // The title of an exported or printed graph: the data file (or the table when it is not
    // known), the graph, the trials and the seed.
    QString graphTitle() const;

    const ReliabilityCurves& reliabilityCurves() const { return curves_; }
    const QString& tableFile() const { return tableFile_; }
    int selectedGraph() const { return selected_; }
    const GraphRange& fullGraphRange() const { return full_; }
    const GraphRange& shownGraphRange() const { return shown_; }
    GraphPlot* plot() const;
    QSize sizeHint() const override;

    // Choosing a graph, as a click on its option button does.
    void chooseGraph(int index);
    // The selected curve's range, shown whole: cancels any zoom.
    void recomputeRanges();
    // Checks the shown range and draws the selected graph in it; false, after telling
    // the user, when the range cannot be drawn.
    bool redraw();
    // A rectangle dragged on the plot.
    void zoomTo(const GraphRange& range);
    // The right button: back to the whole curve.
    void showWholeGraph();

    // Asks whether to print the graph with the table, then prints.
    void printView() override;

  signals:
    void exactCurvesDone();  // worked out and drawn, or refused

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void redrawSoon();
    void closeWindow();
    void showExactCurve(bool on);
    void startExactCurves();

    QString tableFile_;
    ReliabilityCurves curves_;
    int selected_ = kReliabilityGraph;
    GraphRange full_;
    GraphRange shown_;
    bool redrawPending_ = false;

    QByteArray dataFile_;
    QString dataFileName_;
    std::optional<int> seed_;
    std::optional<long> trials_;
    std::optional<ExactCurves> exact_;
    std::atomic<bool> stopExact_{false};
    std::thread worker_;

    QButtonGroup* optgraf_;
    GraphFrame* frmgrafico_;
    QPlainTextEdit* rtxtdatos_;
    QPushButton* btdaceptar_;
    QPushButton* btprint_;
    QCheckBox* chkexacta_;
};

// Opens the graph window of a results folder as a child of the main window's area; with the
// data file of the run (and its name, for messages) the exact curves can be drawn.
frmgraficos* openGraphs(QMdiArea& area, const QString& resultsFolder,
                        const QByteArray& dataFile = {}, const QString& dataFileName = {});
// Closes every graph window of the area.
void closeGraphs(QMdiArea& area);

}  // namespace farvik
