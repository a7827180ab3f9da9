#include "importance_report.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "distributions.h"
#include "law_parameters.h"
#include "simulated_causes.h"
#include "simulated_summary.h"

namespace farvik {
namespace {

using namespace analysis;

QString shown(double v) {
    if (std::isnan(v)) return QStringLiteral("nan");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return QString::number(v, 'g', 10);
}

QString exported(double v) {
    if (std::isnan(v)) return QStringLiteral("nan");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return QString::number(v, 'g', 17);
}

void addRow(ExactCheckTable& table, const QString& label, const std::vector<double>& values,
            bool marked = false, int zColumn = -1) {
    ExactCheckTable::Row row;
    row.cells << label;
    row.exportCells << label;
    for (std::size_t c = 0; c < values.size(); ++c) {
        const bool z = int(c) == zColumn;
        row.cells << (z ? QString::number(values[c], 'f', 2) : shown(values[c]));
        row.exportCells << exported(values[c]);
    }
    row.marked = marked;
    table.rows << row;
}

constexpr int kCurvePoints = 101;

}  // namespace

QString parameterName(int code, int k) {
    const Distribution* d = findDistribution(code);
    if (!d || k < 1 || k > d->parameterCount) return QString();
    return QString::fromUtf8(d->parameters[k - 1].name);
}

ImportanceReport::AtTime importanceAtTime(const ExactSystem& exact, double t) {
    ImportanceReport::AtTime at;
    at.t = t;
    at.reliability = exact.reliability(t);
    at.measures = importanceAt(exact, t);
    at.sensitivities = reliabilitySensitivities(exact, t);
    return at;
}

std::optional<ImportanceReport> computeImportanceReport(const SystemModel& model,
                                                        const std::vector<double>& times,
                                                        const std::optional<std::string>& summary,
                                                        const std::atomic<bool>& cancel) {
    ImportanceReport report;
    for (const ModelElement& e : model.elements) {
        report.labels.push_back(QString::fromStdString(e.label));
        report.laws.push_back(e.law);
    }
    if (summary) {
        try {
            report.trials = readSimulatedSummary(*summary).trials;
            report.simulatedCauses = readSimulatedCauses(*summary);
        } catch (const SummaryFormatError&) {
            report.simulatedCauses.clear();
        }
        if (report.simulatedCauses.size() != model.elements.size()) report.simulatedCauses.clear();
    }
    std::optional<ExactSystem> exact;
    try {
        exact.emplace(model);
    } catch (const TooLargeError& e) {
        report.failure = QStringLiteral("El sistema es demasiado grande para el cálculo exacto: ") +
                         QString::fromStdString(e.what());
        if (model.arrangement == Arrangement::Paths) {
            const PathBounds bounds(model);
            for (double t : times) report.bounds.push_back({t, bounds.at(t)});
        }
        return report;
    }
    const auto stop = [&cancel](int, int) { return !cancel.load(); };
    report.meanLife = exact->meanLife().value;
    // Without a run's times the measures are shown at the mean life, to three digits.
    std::vector<double> shownTimes = times;
    if (shownTimes.empty() && report.meanLife > 0) {
        shownTimes.push_back(QString::number(report.meanLife, 'g', 3).toDouble());
    }
    const auto causes = failureCauses(*exact, stop);
    if (!causes) return std::nullopt;
    for (const Estimate& c : *causes) report.causes.push_back(c.value);
    auto sensitivities = meanLifeSensitivities(*exact, stop);
    if (!sensitivities) return std::nullopt;
    report.meanLifeSensitivities = std::move(*sensitivities);
    for (double t : shownTimes) {
        if (cancel) return std::nullopt;
        report.times.push_back(importanceAtTime(*exact, t));
    }

    // The curves over the times' range; the five elements whose IB is largest on average.
    const double last =
        times.empty() ? 2 * report.meanLife : *std::max_element(times.begin(), times.end());
    const std::size_t n = model.elements.size();
    std::vector<std::vector<double>> all(n);
    std::vector<double> p, q, d(n);
    for (int i = 0; i < kCurvePoints; ++i) {
        if (cancel) return std::nullopt;
        const double t = last * i / (kCurvePoints - 1);
        report.curveTimes.push_back(t);
        exact->elementStates(t, p, q);
        exact->structure().reliabilityAndPartials(p.data(), q.data(), d.data());
        for (std::size_t k = 0; k < n; ++k) all[k].push_back(d[k]);
    }
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    auto area = [&](std::size_t k) { return std::accumulate(all[k].begin(), all[k].end(), 0.0); };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return area(a) > area(b); });
    for (std::size_t m = 0; m < std::min<std::size_t>(5, n); ++m) {
        report.curves.push_back({int(order[m]), all[order[m]]});
    }
    return report;
}

ExactCheckTable importanceTable(const ImportanceReport& report, std::size_t at) {
    ExactCheckTable table;
    const bool simulated = !report.simulatedCauses.empty() && report.trials > 0;
    table.headers << QStringLiteral("Elemento") << QStringLiteral("IB") << QStringLiteral("IC")
                  << QStringLiteral("FV") << QStringLiteral("RAW") << QStringLiteral("RRW")
                  << QStringLiteral("Causa exacta");
    if (simulated) table.headers << QStringLiteral("Causa simulada") << QStringLiteral("z");
    const ImportanceReport::AtTime* time = at < report.times.size() ? &report.times[at] : nullptr;
    for (std::size_t k = 0; k < report.labels.size(); ++k) {
        std::vector<double> values;
        if (time) {
            const Importance& m = time->measures[k];
            values = {m.birnbaum, m.criticality, m.fussellVesely, m.achievementWorth,
                      m.reductionWorth};
        } else {
            values.assign(5, std::nan(""));
        }
        values.push_back(report.causes[k]);
        bool marked = false;
        if (simulated) {
            // As for R(t): the standard error of a share of `trials` from the exact value.
            const double exact = report.causes[k];
            const double share = double(report.simulatedCauses[k]) / report.trials;
            const double error = std::sqrt(exact * (1 - exact) / report.trials);
            const double z = error > 0 ? (share - exact) / error : 0;
            values.push_back(share);
            values.push_back(z);
            marked = std::fabs(z) > 4;
        }
        addRow(table, report.labels[k], values, marked, simulated ? 7 : -1);
    }
    table.heading = time ? QStringLiteral("Importancia de cada elemento en t = %1 (R = %2)")
                               .arg(shown(time->t), shown(time->reliability))
                         : QStringLiteral("Causas exactas del fallo del sistema");
    if (simulated) {
        table.verdict =
            QStringLiteral(
                "Causa simulada: la parte de las %1 simulaciones en que el elemento fue causa "
                "inmediata del fallo; z = (simulada - exacta) / error estándar.")
                .arg(report.trials);
    }
    return table;
}

ExactCheckTable sensitivityTable(const ImportanceReport& report, std::optional<std::size_t> at) {
    ExactCheckTable table;
    const ImportanceReport::AtTime* time =
        at && *at < report.times.size() ? &report.times[*at] : nullptr;
    table.headers << QStringLiteral("Elemento") << QStringLiteral("Parámetro")
                  << QStringLiteral("Valor") << QStringLiteral("d vida media")
                  << QStringLiteral("Elasticidad");
    if (time) {
        table.headers << QStringLiteral("dR(t)") << QStringLiteral("Elasticidad de R(t)");
    }
    std::vector<std::size_t> order(report.meanLifeSensitivities.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::fabs(report.meanLifeSensitivities[a].elasticity) >
               std::fabs(report.meanLifeSensitivities[b].elasticity);
    });
    for (std::size_t n : order) {
        const Sensitivity& s = report.meanLifeSensitivities[n];
        std::vector<double> values{double(s.parameter), s.value, s.derivative, s.elasticity};
        if (time) {
            values.push_back(time->sensitivities[n].derivative);
            values.push_back(time->sensitivities[n].elasticity);
        }
        addRow(table, report.labels[s.element], values);
        ExactCheckTable::Row& row = table.rows.back();
        row.cells[1] = row.exportCells[1] =
            QStringLiteral("%1 %2")
                .arg(s.parameter)
                .arg(parameterName(report.laws[s.element].code, s.parameter));
    }
    table.heading =
        time ? QStringLiteral("Sensibilidad de la vida media (%1) y de R(%2)")
                   .arg(shown(report.meanLife), shown(time->t))
             : QStringLiteral("Sensibilidad de la vida media (%1)").arg(shown(report.meanLife));
    return table;
}

}  // namespace farvik
