#include "engine_checks.h"

#include <cmath>

#include "codes.h"
#include "document/number_text.h"
#include "parameter_rules.h"

namespace farvik::editor {
namespace {

// The value the engine reads back: the file holds the text the writer makes of it.
double asWritten(double value) {
    return parseNumber(numberText(value)).value_or(value);
}

// The groups 1..count that the description really holds.
int groupsIn(const std::vector<SubsystemRec>& groups, int count) {
    return std::max(0, std::min(count, static_cast<int>(groups.size()) - 1));
}

}  // namespace

QString elementLabel(const SystemData& data, int i, int j) {
    return data.systemType == kGeneral ? QString::number(i) : QStringLiteral("%1-%2").arg(i).arg(j);
}

std::vector<EngineRefusal> elementRefusals(const ElementRec& element, const QString& label) {
    std::vector<EngineRefusal> out;
    const int code = element.distribution + 1;
    const auto faults =
        parameterFaults(code, asWritten(element.params[1]), asWritten(element.params[2]));
    for (const ParameterFault& f : faults) {
        EngineRefusal r;
        r.kind = EngineRefusal::Kind::Parameter;
        r.row = element.key;
        r.first = f.concernsFirst();
        r.second = f.concernsSecond();
        r.words = QString::fromStdString(parameterRefusal(f, label.toStdString()));
        out.push_back(r);
    }
    return out;
}

bool pathKeyNamesElement(const SystemData& data, double key) {
    const long long written = std::llround(key);
    const int elements = groupsIn(data.subsystems, data.subsystemCount);
    for (int i = 1; i <= elements; ++i) {
        const auto& group = data.subsystems[static_cast<std::size_t>(i)].elements;
        if (group.size() > 1 && group[1].key == written) return true;
    }
    return false;
}

std::vector<EngineRefusal> engineRefusals(const SystemData& data) {
    std::vector<EngineRefusal> out;
    const int subsystems = groupsIn(data.subsystems, data.subsystemCount);
    const bool general = data.systemType == kGeneral;
    for (int i = 1; i <= subsystems; ++i) {
        const SubsystemRec& group = data.subsystems[static_cast<std::size_t>(i)];
        // A general system writes the first element of each group only.
        const int count = general ? std::min<int>(1, group.count) : group.count;
        for (int j = 1; j <= count && j < static_cast<int>(group.elements.size()); ++j) {
            const ElementRec& element = group.elements[static_cast<std::size_t>(j)];
            // The engine names an element of a general system by the key it is written with.
            const QString label = general ? QString::number(element.key) : elementLabel(data, i, j);
            const auto refusals = elementRefusals(element, label);
            out.insert(out.end(), refusals.begin(), refusals.end());
        }
    }
    if (general) {
        const int paths = groupsIn(data.paths, data.pathCount);
        for (int p = 1; p <= paths; ++p) {
            const SubsystemRec& path = data.paths[static_cast<std::size_t>(p)];
            for (int j = 1; j <= path.count && j < static_cast<int>(path.elements.size()); ++j) {
                const ElementRec& entry = path.elements[static_cast<std::size_t>(j)];
                if (pathKeyNamesElement(data, entry.params[1])) continue;
                EngineRefusal r;
                r.kind = EngineRefusal::Kind::PathEntry;
                r.row = entry.key;
                r.words =
                    QString::fromStdString(unknownPathKeyWords(p, std::llround(entry.params[1])));
                out.push_back(r);
            }
        }
    }
    // The editor's box keeps a seed in range; a file opened with one beyond it does not.
    if (const auto seed = seedFault(data.seed)) {
        EngineRefusal r;
        r.kind = EngineRefusal::Kind::Seed;
        r.words = QString::fromStdString(*seed);
        out.push_back(r);
    }
    if (const auto trials = trialsFault(data.trialCount)) {
        EngineRefusal r;
        r.kind = EngineRefusal::Kind::Trials;
        r.words = QString::fromStdString(*trials);
        out.push_back(r);
    }
    return out;
}

QString refusalSummary(const std::vector<EngineRefusal>& refusals, int shown) {
    QString text =
        QStringLiteral("No se ejecuta: el motor rechazaría estos valores del sistema:\n");
    const int count = static_cast<int>(refusals.size());
    for (int n = 0; n < count && n < shown; ++n) text += QStringLiteral("\n") + refusals[n].words;
    if (count > shown) text += QStringLiteral("\n... y %1 más").arg(count - shown);
    return text;
}

}  // namespace farvik::editor
