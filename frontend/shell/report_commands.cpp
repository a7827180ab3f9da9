// "Informe del estudio": the whole study of the document's last run in one document.
#include <QDate>
#include <QFile>
#include <QPainter>
#include <set>

#include "base/dialog_seam.h"
#include "distributions.h"
#include "editor/block_diagram.h"
#include "editor/diagram_painter.h"
#include "editor/distribution_names.h"
#include "file_names.h"
#include "main_window.h"
#include "mean_life.h"
#include "results/study_report.h"
#include "results/study_report_command.h"
#include "toolbar_layout.h"

namespace farvik {
namespace {

QString parameterText(double v) {
    return QString::number(v == 0 ? 0.0 : v, 'g', 10);
}

// Each element once, in the order the diagram shows them, as the editor holds it.
std::vector<StudyElement> elementsOf(const diagram::BlockDiagram& d, const SystemData& data) {
    std::vector<StudyElement> list;
    std::set<int> seen;
    const QStringList names = editor::distributionNames();
    for (const diagram::Block& b : d.blocks) {
        if (b.unknown || b.elementRow <= 0 || !seen.insert(b.elementRow).second) continue;
        const ElementRec* e = findElementByKey(data, b.elementRow);
        if (!e) continue;
        StudyElement row;
        row.label = b.label;
        row.distribution = names.value(e->distribution);
        row.parameters = parameterText(e->params[1]);
        const Distribution* law = findDistribution(e->distribution + 1);
        if (law && law->parameterCount > 1)
            row.parameters += QStringLiteral(" / ") + parameterText(e->params[2]);
        row.meanLife = meanLife(e->distribution + 1, e->params[1], e->params[2]);
        list.push_back(row);
    }
    return list;
}

}  // namespace

void frmMain::studyReport() {
    // The results are the document's only while it is the file of the run, unchanged since
    // (as for EditarR).
    if (systemDocument_.fileName().isEmpty() || !systemDocument_.resultsAreOwn()) {
        dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(),
                          QStringLiteral("El informe del estudio necesita los resultados de una "
                                         "ejecución de este documento: ejecútalo antes."));
        return;
    }
    if (resultsReplaced()) return;
    StudySource source;
    source.dataFileName = systemDocument_.fileName();
    QFile data(systemDocument_.fileName());
    if (data.open(QIODevice::ReadOnly)) source.dataFile = data.readAll();
    source.resultsFolder = folderOf(systemDocument_.fileName());
    source.date = QDate::currentDate();
    const diagram::BlockDiagram picture = diagram::layOut(systemDocument_.system(), font());
    source.elements = elementsOf(picture, systemDocument_.system());
    source.diagramSize = picture.bounds.size();
    source.paintDiagram = [picture](QPainter& painter) {
        painter.translate(-picture.bounds.topLeft());
        diagram::paintDiagram(painter, picture);
    };
    writeStudyReport(this, source);
}

}  // namespace farvik
