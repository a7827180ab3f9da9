#include "study_report_sections.h"

#include <cmath>

namespace farvik {

QVector<QPair<QString, QString>> titleItems(const StudyReport& r) {
    return {{QStringLiteral("Sistema"), r.fileName},
            {QStringLiteral("Estructura"), r.structure},
            {QStringLiteral("Elementos"), QString::number(r.elementCount)},
            {QStringLiteral("Semilla"), QString::number(r.seed)},
            {QStringLiteral("Pruebas"), QString::number(r.trials)},
            {QStringLiteral("Fecha"), r.date.toString(QStringLiteral("dd-MM-yyyy"))}};
}

ReportTable elementTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Elementos");
    t.headers = {QStringLiteral("Elemento"), QStringLiteral("Distribución"),
                 QStringLiteral("Parámetros"), QStringLiteral("Vida media")};
    t.rightAligned = {3};
    for (const StudyElement& e : r.elements)
        t.rows << QStringList{e.label, e.distribution, e.parameters,
                              e.meanLife ? reportNumber(*e.meanLife) : QStringLiteral("-")};
    return t;
}

ReportTable reliabilityTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Fiabilidad R(t)");
    t.headers = {QStringLiteral("Tiempo t"), QStringLiteral("R(t) simulada"),
                 QStringLiteral("Error estándar"), QStringLiteral("Intervalo del 95 %")};
    t.rightAligned = {0, 1, 2, 3};
    const double n = double(std::max(r.trials, 1L));
    for (const auto& rel : r.summary.reliability) {
        // The binomial standard error of a share of the trials.
        const double se = std::sqrt(std::max(rel.value * (1 - rel.value), 0.0) / n);
        t.rows << QStringList{reportNumber(rel.t), reportNumber(rel.value), reportNumber(se),
                              interval95(rel.value, se)};
    }
    return t;
}

ReportTable meanLifeTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Vida media del sistema");
    t.headers = {QStringLiteral("Vida media"), QStringLiteral("Error estándar"),
                 QStringLiteral("Intervalo del 95 %")};
    t.rightAligned = {0, 1, 2};
    t.rows << QStringList{reportNumber(r.summary.meanLife), reportNumber(r.summary.standardError),
                          interval95(r.summary.meanLife, r.summary.standardError)};
    return t;
}

ReportTable causeTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Causas del fallo del sistema");
    t.headers = {QStringLiteral("Elemento"), QStringLiteral("Veces"), QStringLiteral("%")};
    t.rightAligned = {1, 2};
    long most = 0;
    for (const auto& c : r.summary.causes) most = std::max(most, c.count);
    for (const auto& c : r.summary.causes) {
        const double share = r.trials > 0 ? 100.0 * double(c.count) / double(r.trials) : 0;
        t.rows << QStringList{QString::fromStdString(c.label), QString::number(c.count),
                              QString::number(share, 'f', 1)};
        t.bars.push_back(most > 0 ? double(c.count) / double(most) : 0);
    }
    return t;
}

ReportTable redundancyTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Estudio de redundancia (de mayor a menor mejora)");
    t.headers = {QStringLiteral("Puesto"),         QStringLiteral("Duplicando"),
                 QStringLiteral("Vida media"),     QStringLiteral("Mejora"),
                 QStringLiteral("Error estándar"), QStringLiteral("Intervalo del 95 %"),
                 QStringLiteral("Mejor")};
    t.rightAligned = {0, 2, 3, 4, 5};
    for (const auto& d : r.ranked) {
        t.rows << QStringList{QString::number(d.rank),
                              d.label,
                              reportNumber(d.meanLife),
                              reportNumber(d.gain),
                              reportNumber(d.standardError),
                              interval95(d.meanLife, d.standardError),
                              d.best ? QStringLiteral("sí") : QString()};
        t.marked << d.best;
    }
    return t;
}

ReportTable checkTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Comprobación exacta");
    if (!r.check) return t;
    // The window's columns: value, simulated, exact, standard error, z and the mark.
    const ExactCheckTable& c = *r.check;
    t.headers = {c.headers[0], c.headers[1], c.headers[2],
                 c.headers[3], c.headers[4], QStringLiteral("> 4 e.e.")};
    t.rightAligned = {1, 2, 3, 4};
    for (const auto& row : c.rows) {
        t.rows << QStringList{row.cells[0], row.cells[1], row.cells[2],
                              row.cells[3], row.cells[4], row.cells[9]};
        t.marked << row.marked;
    }
    return t;
}

ReportTable checkGainTable(const StudyReport& r) {
    ReportTable t;
    t.title = QStringLiteral("Mejora de cada duplicación");
    if (!r.check) return t;
    const ExactCheckTable& c = *r.check;
    t.headers = {c.headers[0], c.headers[5], c.headers[6], c.headers[7], c.headers[8]};
    t.rightAligned = {1, 2, 3, 4};
    for (const auto& row : c.rows)
        if (row.cells[5] != QStringLiteral("-") || row.cells[6] != QStringLiteral("-"))
            t.rows << QStringList{row.cells[0], row.cells[5], row.cells[6], row.cells[7],
                                  row.cells[8]};
    return t;
}

GraphPicture reportGraph(const StudyReport& r, GraphKind kind) {
    GraphPicture p;
    p.kind = kind;
    p.curve = &r.curves.curves[kind];
    p.range = fullRange(*p.curve);
    if (r.exact && kind == kReliabilityGraph) p.exact = &r.exact->reliability;
    if (r.exact && kind == kFailureRateGraph) p.exact = &r.exact->hazard;
    return p;
}

QString reportGraphTitle(const StudyReport& r, GraphKind kind) {
    return studyGraphTitle(r.fileName, kind, r.trials, r.seed);
}

}  // namespace farvik
