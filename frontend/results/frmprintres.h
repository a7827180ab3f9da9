#pragma once

#include <QDialog>
#include <functional>

class QButtonGroup;
class QPushButton;

namespace farvik {

// The results chooser ("Archivos de Resultados"): the summary, the failure times of the
// first trials, those with duplicated components, or the reliability table's graphs.
class frmprintres : public QDialog {
    Q_OBJECT

  public:
    struct Actions {
        std::function<void(const QString& path)> mostrar_fichero;  // shows a text file
        std::function<void()> openGraphs;                          // opens the graphs
        std::function<void()> studyReport;  // "Informe del estudio" (no button without it)
    };

    // resultsFolder holds the engine's result files of the current document.
    frmprintres(const QString& resultsFolder, Actions actions, QWidget* parent = nullptr);

    // Option 2, the redundancy results, is offered only when the study had redundancy.
    void setRedundancyOffered(bool withRedundancy);

    // "Aceptar": does what the chosen option says, then closes the chooser.
    void acceptChoice();

  private:
    QString resultsFolder_;
    Actions actions_;
    QButtonGroup* optprintres_;
    QPushButton* command1_;
    QPushButton* btinforme_ = nullptr;
};

}  // namespace farvik
