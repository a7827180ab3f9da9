#pragma once

#include <QWidget>

#include "base/printable_view.h"
#include "graph_range.h"
#include "reliability_curves.h"

class QButtonGroup;
class QMdiArea;
class QPlainTextEdit;
class QPushButton;

namespace farvik {

class GraphFrame;
class GraphPlot;

// The graph window ("Gráficas"): the reliability table of a run, drawn as the reliability
// curve, the histogram of failures or the failure rate, beside the table's text. The user
// zooms by dragging a rectangle on the plot and goes back to the whole curve with the
// right button; "&Imprimir" prints the table with or without the graph.
class frmgraficos : public QWidget, public PrintableView {
    Q_OBJECT

  public:
    // Reads tablafia.txt from the folder where the engine wrote its results.
    explicit frmgraficos(const QString& resultsFolder, QWidget* parent = nullptr);

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

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void redrawSoon();
    void closeWindow();

    QString tableFile_;
    ReliabilityCurves curves_;
    int selected_ = kReliabilityGraph;
    GraphRange full_;
    GraphRange shown_;
    bool redrawPending_ = false;

    QButtonGroup* optgraf_;
    GraphFrame* frmgrafico_;
    QPlainTextEdit* rtxtdatos_;
    QPushButton* btdaceptar_;
    QPushButton* btprint_;
};

// Opens the graph window of a results folder as a child of the main window's area.
frmgraficos* openGraphs(QMdiArea& area, const QString& resultsFolder);
// Closes every graph window of the area.
void closeGraphs(QMdiArea& area);

}  // namespace farvik
