#include "exact_check_table.h"

#include <algorithm>
#include <cmath>

#include "graph_range.h"

namespace farvik {
namespace {

using analysis::ComparedValue;

QString shown(double v) {
    return shownFigure(v);
}

QString exported(double v) {
    return csvNumber(v, CsvFlavour::Comma);
}

const QString kMark = QStringLiteral("*");

QStringList headers() {
    return {QStringLiteral("Valor"),
            QStringLiteral("Simulado"),
            QStringLiteral("Exacto"),
            QStringLiteral("Error estándar"),
            QStringLiteral("z"),
            QStringLiteral("Mejora simulada"),
            QStringLiteral("Mejora exacta"),
            QStringLiteral("Error estándar de la mejora"),
            QStringLiteral("z de la mejora"),
            QStringLiteral("Más de 4 e.e.")};
}

// A row with the simulated value and the gains given; NaN leaves a cell empty. gain, when
// given, is the simulated gain beside the exact one.
ExactCheckTable::Row row(const QString& what, const ComparedValue* v, double exact,
                         double simulatedGain, double exactGain,
                         const ComparedValue* gain = nullptr) {
    ExactCheckTable::Row r;
    const bool sim = v != nullptr;
    r.marked = sim && v->marked;
    const double cells[] = {sim ? v->simulated : NAN,
                            exact,
                            sim ? v->standardError : NAN,
                            sim ? v->z : NAN,
                            simulatedGain,
                            exactGain,
                            gain ? gain->standardError : NAN,
                            gain ? gain->z : NAN};
    const auto isZ = [](int n) { return n == 3 || n == 7; };
    r.cells << what;
    r.exportCells << what;
    r.exportRow << CsvField::ofText(what);
    for (int n = 0; n < 8; ++n) {
        r.cells << (isZ(n) ? (std::isnan(cells[n]) ? QStringLiteral("-") : shownZ(cells[n]))
                           : shown(cells[n]));
        r.exportCells << exported(cells[n]);
        r.exportRow << CsvField::ofNumber(std::isnan(cells[n]) ? std::nullopt
                                                               : std::optional<double>(cells[n]));
    }
    r.cells << (r.marked ? kMark : QString());
    r.exportCells << (r.marked ? kMark : QString());
    r.exportRow << CsvField::ofText(r.marked ? kMark : QString());
    return r;
}

QStringList boundsHeaders() {
    return {QStringLiteral("Valor"), QStringLiteral("Simulado"), QStringLiteral("Cota inferior"),
            QStringLiteral("Cota superior"), QStringLiteral("Más de 4 e.e.")};
}

QString reliabilityName(double t) {
    return QStringLiteral("R(%1)").arg(shown(t));
}
QString duplicationName(const std::string& label) {
    return QStringLiteral("Duplicando %1").arg(QString::fromStdString(label));
}

}  // namespace

QString shownFigure(double v) {
    if (std::isnan(v)) return QStringLiteral("-");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("infinito") : QStringLiteral("-infinito");
    if (v == 0) v = 0;  // no "-0"
    return QString::number(v, 'g', 10);
}

QString shownZ(double z) {
    if (std::isinf(z) || std::isnan(z)) return shownFigure(z);
    return fixedNumber(z, 2);
}

ExactCheckTable tableOf(const analysis::Comparison& c) {
    ExactCheckTable t;
    t.headers = headers();
    t.heading =
        QStringLiteral("Simulación de %1 pruebas (resumen.TXT) frente a los valores exactos")
            .arg(c.trials);
    for (const auto& r : c.reliability) {
        t.rows << row(reliabilityName(r.t), &r.value, r.value.exact, NAN, NAN);
    }
    t.rows << row(QStringLiteral("Vida media"), &c.meanLife, c.meanLife.exact, NAN, NAN);
    QString simulatedBest, exactBest;
    for (const auto& d : c.duplications) {
        t.rows << row(duplicationName(d.label), &d.meanLife, d.meanLife.exact, d.simulatedGain,
                      d.exactGain, &d.gain);
        const QString label = QString::fromStdString(d.label);
        if (d.simulatedBest) simulatedBest += (simulatedBest.isEmpty() ? "" : ", ") + label;
        if (d.exactBest) exactBest += (exactBest.isEmpty() ? "" : ", ") + label;
    }
    if (!c.duplications.empty()) {
        t.verdict = c.bestAgrees
                        ? QStringLiteral(
                              "El mejor resultado simulado (duplicando %1) es también "
                              "el mejor exacto.")
                              .arg(simulatedBest)
                        : QStringLiteral(
                              "El mejor resultado simulado (duplicando %1) no es el "
                              "mejor exacto (duplicando %2).")
                              .arg(simulatedBest.isEmpty() ? QStringLiteral("-") : simulatedBest,
                                   exactBest);
    }
    return t;
}

ExactCheckTable tableOfExact(const analysis::ExactSystem& exact, const analysis::Estimate& life,
                             const std::vector<analysis::Duplication>* duplications) {
    ExactCheckTable t;
    t.headers = headers();
    t.heading = QStringLiteral(
        "Valores exactos del sistema que se está editando (sin resultados de una simulación "
        "suya)");
    t.rows << row(QStringLiteral("Vida media"), nullptr, life.value, NAN, NAN);
    if (duplications) {
        for (const auto& d : *duplications) {
            t.rows << row(duplicationName(exact.model().elements[d.element].label), nullptr,
                          d.meanLife.value, NAN, d.gain.value);
        }
        const auto& best = (*duplications)[analysis::bestDuplication(*duplications)];
        t.verdict = QStringLiteral("El mejor resultado exacto se obtiene duplicando %1.")
                        .arg(QString::fromStdString(exact.model().elements[best.element].label));
    }
    return t;
}

ExactCheckTable tableOfBounds(const QString& reason, const analysis::SimulatedSummary& simulated,
                              const std::vector<analysis::ReliabilityBounds>& bounds) {
    ExactCheckTable t;
    t.bounds = true;
    t.headers = boundsHeaders();
    t.heading = QStringLiteral(
                    "El sistema es demasiado grande para el cálculo exacto: %1.\nSimulación de "
                    "%2 pruebas (resumen.TXT) frente a las cotas de la fiabilidad exacta que dan "
                    "los caminos y cortes mínimos del sistema (cotas, no estimaciones).")
                    .arg(reason)
                    .arg(simulated.trials);
    const double n = double(std::max(simulated.trials, 1L));
    const auto error = [n](double b) { return std::sqrt(b * (1 - b) / n); };
    for (std::size_t k = 0; k < simulated.reliability.size() && k < bounds.size(); ++k) {
        const double s = simulated.reliability[k].value;
        const analysis::ReliabilityBounds& b = bounds[k];
        ExactCheckTable::Row r;
        r.marked = s < b.lower - 4 * error(b.lower) || s > b.upper + 4 * error(b.upper);
        const QString name = reliabilityName(simulated.reliability[k].t);
        r.cells << name;
        r.exportCells << name;
        r.exportRow << CsvField::ofText(name);
        for (double v : {s, b.lower, b.upper}) {
            r.cells << shown(v);
            r.exportCells << exported(v);
            r.exportRow << CsvField::ofNumber(v);
        }
        r.cells << (r.marked ? kMark : QString());
        r.exportCells << (r.marked ? kMark : QString());
        r.exportRow << CsvField::ofText(r.marked ? kMark : QString());
        t.rows << r;
    }
    return t;
}

QByteArray csvOf(const ExactCheckTable& table, CsvFlavour flavour) {
    QVector<CsvRow> rows;
    for (const auto& r : table.rows) rows << r.exportRow;
    return csvBytes(table.headers, rows, flavour);
}

QString textOf(const ExactCheckTable& table) {
    // A printed page holds about 80 columns: value, simulated, exact, standard error and z in
    // one line, the gains of a duplication on a second line below it.
    auto cell = [](const QString& text, int width) { return text.rightJustified(width); };
    QString out = table.heading + QStringLiteral("\n\n");
    if (table.bounds) {
        out += QStringLiteral("Valor").leftJustified(17) + cell(QStringLiteral("Simulado"), 16) +
               cell(QStringLiteral("Cota inferior"), 16) +
               cell(QStringLiteral("Cota superior"), 16) + QLatin1Char('\n');
        for (const auto& r : table.rows) {
            out += r.cells[0].leftJustified(17) + cell(r.cells[1], 16) + cell(r.cells[2], 16) +
                   cell(r.cells[3], 16) + (r.marked ? QStringLiteral(" *") : QString()) +
                   QLatin1Char('\n');
        }
        out += QStringLiteral(
            "\n* : el valor simulado queda fuera de las cotas por más de 4 errores "
            "estándar.\n");
        return out;
    }
    out += QStringLiteral("Valor").leftJustified(17) + cell(QStringLiteral("Simulado"), 16) +
           cell(QStringLiteral("Exacto"), 16) + cell(QStringLiteral("Error est."), 16) +
           cell(QStringLiteral("z"), 9) + QLatin1Char('\n');
    for (const auto& r : table.rows) {
        out += r.cells[0].leftJustified(17) + cell(r.cells[1], 16) + cell(r.cells[2], 16) +
               cell(r.cells[3], 16) + cell(r.cells[4], 9) +
               (r.marked ? QStringLiteral(" *") : QString()) + QLatin1Char('\n');
        if (r.cells[5] != QStringLiteral("-") || r.cells[6] != QStringLiteral("-")) {
            out += QStringLiteral("    mejora simulada ") + r.cells[5] +
                   QStringLiteral("   mejora exacta ") + r.cells[6];
            if (r.cells[7] != QStringLiteral("-"))
                out +=
                    QStringLiteral("   e.e. ") + r.cells[7] + QStringLiteral("   z ") + r.cells[8];
            out += QLatin1Char('\n');
        }
    }
    if (!table.verdict.isEmpty()) out += QLatin1Char('\n') + table.verdict + QLatin1Char('\n');
    out += QStringLiteral(
        "\nz = (simulado - exacto) / error estándar; * : más de 4 errores "
        "estándar.\n");
    return out;
}

}  // namespace farvik
