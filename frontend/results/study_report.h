#pragma once

#include <QByteArray>
#include <QDate>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "exact_check_table.h"
#include "exact_curves.h"
#include "reliability_curves.h"
#include "simulated_summary.h"

class QPainter;
class QRectF;

namespace farvik {

// One element as the data editor holds it: what the report's element table lists.
struct StudyElement {
    QString label;         // "1-2", or the key in a general system
    QString distribution;  // "Weibull"
    QString parameters;    // "1.5 / 1200"
    std::optional<double> meanLife;
};

// What a study report is made from: the data file that was run, the folder of its results,
// the elements as edited and the block diagram as its window draws it.
struct StudySource {
    QString dataFileName;  // the path of the data file
    QByteArray dataFile;   // its bytes, as the engine read them
    QString resultsFolder;
    QDate date;
    std::vector<StudyElement> elements;
    QSizeF diagramSize;  // the whole diagram at 100 %
    // Paints the whole diagram at 100 % from (0, 0): the report scales it to its page.
    std::function<void(QPainter&)> paintDiagram;
};

// The whole study of a run, worked out and ready to lay out on pages or in HTML: the data,
// the summary's figures, the three graphs with their exact curves and the exact check.
struct StudyReport {
    QString fileName;  // "SERPAR.DAT"
    QString structure;
    int elementCount = 0;
    int seed = 0;
    long trials = 0;
    QDate date;
    std::vector<StudyElement> elements;
    QSizeF diagramSize;
    std::function<void(QPainter&)> paintDiagram;

    analysis::SimulatedSummary summary;
    ReliabilityCurves curves;
    std::optional<ExactCurves> exact;
    std::optional<ExactCheckTable> check;
    QString exactFailure;  // why there is no exact check, when there is none

    // The redundancy study ranked by gain, largest first.
    struct Duplication {
        int rank = 0;
        QString label;
        double meanLife = 0;
        double gain = 0;
        double standardError = 0;  // of the duplicated mean life, from the summary
        bool best = false;         // named best by the summary
    };
    std::vector<Duplication> ranked;
};

class StudyReportError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Works the report out. Throws StudyReportError when the run's summary or table cannot be
// read or the data file is refused; the exact parts, when they cannot be had (a system too
// large), are left out with the reason.
StudyReport buildStudyReport(const StudySource& source);

// The name of a structure code in the report: "Serie-paralelo" ...
QString structureName(int code);

// Figures as the report writes them: 10 significant digits, no "-0".
QString reportNumber(double v);
// The 95 % interval of an estimate: value -/+ 1.96 standard errors.
QString interval95(double value, double standardError);

}  // namespace farvik
