#include "datafile_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "codes.h"
#include "document/number_text.h"
#include "system_data.h"

namespace farvik {
namespace {

std::string text(long long value) {
    return std::to_string(value);
}

std::string valueText(double value) {
    return numberText(value).toStdString();
}

DataFileElement elementFor(const ElementRec& element, int group, int index) {
    DataFileElement out;
    out.group = group;
    out.index = index;
    out.key = element.key;
    out.distribution = text(element.distribution + 1);
    for (int n = 0; n < 3; ++n) out.params[n] = valueText(element.params[n + 1]);
    return out;
}

// The groups 1..count that the description really holds.
int groupsIn(const std::vector<SubsystemRec>& groups, int count) {
    return std::clamp(count, 0, static_cast<int>(groups.size()) - 1);
}

}  // namespace

DataFileContent dataFileContentFor(const SystemData& data) {
    DataFileContent c;
    c.structure = data.systemType;
    c.redundancy = data.redundancyStudy ? "1" : "2";
    c.seed = text(data.seed);
    c.trials = text(data.trialCount);

    const int subsystems = groupsIn(data.subsystems, data.subsystemCount);
    if (data.systemType == kGeneral) {
        // Every element of a general system is a group of one element.
        for (int i = 1; i <= subsystems; ++i) {
            const auto& elements = data.subsystems[static_cast<std::size_t>(i)].elements;
            if (elements.size() > 1) c.elements.push_back(elementFor(elements[1], i, 1));
        }
        const int paths = groupsIn(data.paths, data.pathCount);
        for (int p = 1; p <= paths; ++p) {
            const SubsystemRec& path = data.paths[static_cast<std::size_t>(p)];
            std::vector<std::string> keys;
            for (std::size_t j = 1; j < path.elements.size() && j <= std::size_t(path.count); ++j)
                keys.push_back(text(std::llround(path.elements[j].params[1])));
            c.entriesPerPath.push_back(text(static_cast<long long>(keys.size())));
            c.pathKeys.push_back(std::move(keys));
        }
        const auto count = static_cast<long long>(c.elements.size());
        c.total = c.elementCount = c.dimension = text(count);
        return c;
    }

    long long total = 0;
    long long widest = subsystems;
    for (int i = 1; i <= subsystems; ++i) {
        const SubsystemRec& subsystem = data.subsystems[static_cast<std::size_t>(i)];
        int count = 0;
        for (std::size_t j = 1; j < subsystem.elements.size() && j <= std::size_t(subsystem.count);
             ++j) {
            c.elements.push_back(elementFor(subsystem.elements[j], i, static_cast<int>(j)));
            ++count;
        }
        c.elementsPerSubsystem.push_back(text(count));
        total += count;
        widest = std::max<long long>(widest, count);
    }
    c.total = text(total);
    c.dimension = text(widest);
    return c;
}

QByteArray dataFileBytesFor(const SystemData& data) {
    const std::string bytes = dataFileBytes(dataFileContentFor(data));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace farvik
