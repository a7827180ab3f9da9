#include "study_report.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "comparison.h"
#include "exact_system.h"
#include "result_file_names.h"
#include "result_files.h"
#include "system_reading.h"

namespace farvik {
namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<StudyReport::Duplication> rankDuplications(const analysis::SimulatedSummary& s) {
    std::vector<StudyReport::Duplication> list;
    for (const auto& d : s.duplications) {
        StudyReport::Duplication row;
        row.label = QString::fromStdString(d.label);
        row.meanLife = d.meanLife;
        row.gain = d.gain;
        row.standardError = d.standardError;
        row.best = std::find(s.best.begin(), s.best.end(), d.label) != s.best.end();
        list.push_back(row);
    }
    // Largest gain first; equal gains keep the summary's order.
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.gain > b.gain; });
    for (std::size_t i = 0; i < list.size(); ++i) list[i].rank = int(i) + 1;
    return list;
}

}  // namespace

QString structureName(int code) {
    switch (code) {
        case 1:
            return QStringLiteral("Elementos en serie");
        case 2:
            return QStringLiteral("Elementos en paralelo");
        case 3:
            return QStringLiteral("Serie-paralelo (subsistemas en serie de elementos en paralelo)");
        case 4:
            return QStringLiteral("Paralelo-serie (subsistemas en paralelo de elementos en serie)");
        case 5:
            return QStringLiteral("Sistema general (caminos)");
    }
    return QString::number(code);
}

QString reportNumber(double v) {
    return shownFigure(v);
}

QString interval95(double value, double standardError) {
    return QStringLiteral("[%1, %2]")
        .arg(reportNumber(value - 1.96 * standardError),
             reportNumber(value + 1.96 * standardError));
}

StudyReport buildStudyReport(const StudySource& source) {
    StudyReport r;
    r.fileName = QFileInfo(source.dataFileName).fileName();
    r.date = source.date;
    r.elements = source.elements;
    r.diagramSize = source.diagramSize;
    r.paintDiagram = source.paintDiagram;

    const analysis::SystemReading reading =
        analysis::readSystem(source.dataFile.toStdString(), r.fileName.toStdString());
    if (!reading.model) {
        throw StudyReportError("El motor no acepta los datos: " + reading.failure);
    }
    r.structure = structureName(reading.structureCode);
    r.seed = reading.seed;
    r.elementCount =
        r.elements.empty() ? int(reading.model->elements.size()) : int(r.elements.size());

    const QByteArray summary = readBytes(
        resultFilePath(source.resultsFolder, QString::fromLatin1(result_files::kSummary)));
    try {
        r.summary = analysis::readSimulatedSummary(summary.toStdString());
    } catch (const analysis::SummaryFormatError& e) {
        throw StudyReportError(std::string("No se puede leer el resumen de resultados: ") +
                               e.what());
    }
    r.trials = r.summary.trials;
    r.ranked = rankDuplications(r.summary);
    r.curves = readReliabilityTable(readBytes(resultFilePath(
        source.resultsFolder, QString::fromLatin1(result_files::kReliabilityTable))));

    // The exact parts, as the windows work them out.
    try {
        const analysis::ExactSystem exact(*reading.model);
        const std::atomic<bool> never{false};
        r.exact = exactCurves(exact, exactCurveTimes(r.curves), never);
        if (const auto c = analysis::compare(r.summary, exact)) r.check = tableOf(*c);
    } catch (const analysis::TooLargeError& e) {
        r.exactFailure = QStringLiteral("El sistema es demasiado grande para el cálculo exacto: ") +
                         QString::fromStdString(e.what());
    } catch (const std::exception& e) {
        r.exactFailure = QString::fromStdString(e.what());
    }
    return r;
}

}  // namespace farvik
