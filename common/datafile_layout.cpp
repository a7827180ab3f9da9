#include "datafile_layout.h"

#include <iterator>

#include "codes.h"
#include "cp1252.h"
#include "distributions.h"

namespace farvik {
namespace {

using Kind = LeadLine::Kind;

LeadLine empty() {
    return {Kind::Empty, "", ""};
}
// A label the engine names by its own text, or by `mention` when given.
LeadLine label(std::string text, std::string mention = "") {
    if (mention.empty()) mention = text;
    return {Kind::Label, std::move(text), std::move(mention)};
}
// The line of dashes under a title, named as the title.
LeadLine dashes(int n, std::string title) {
    return {Kind::Label, std::string(static_cast<std::size_t>(n), '-'), std::move(title)};
}
// A title and its dashes, with an empty line in front of them.
Lead section(const char* title, int n) {
    return {empty(), label(title), dashes(n, title)};
}
// A title, its dashes and the options listed under it, all named as the title.
Lead options(Lead lead, const char* title, const char* const* first, const char* const* last) {
    for (const char* const* o = first; o != last; ++o) lead.push_back(label(*o, title));
    return lead;
}

// A label that a number completes, named without it: its blank at the end dropped.
std::string withoutNumber(std::string text) {
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

namespace lead {
using namespace labels;

Lead totalLead() {
    return {label(kTotal), dashes(69, kTotal)};
}
Lead structureLead() {
    return options(section(kArrangement, 69), kArrangement, std::begin(kStructure),
                   std::end(kStructure));
}
Lead redundancyLead() {
    const char* const answers[] = {kYes, kNo};
    return options(section(kRedundancy, 46), kRedundancy, std::begin(answers), std::end(answers));
}
Lead structureSection() {
    return section(kSystemStructure, 46);
}
Lead subsystemCountLabel() {
    return {label(kSubsystemCount)};
}
Lead elementsInSubsystemLabel(int subsystem) {
    return {label(kElementsInSubsystem + std::to_string(subsystem) + ":")};
}
Lead elementCountLabel() {
    return {label(kElementCount)};
}
Lead pathCountLabel() {
    return {label(kPathCount)};
}
Lead elementsInPathLabel(int path) {
    return {label(kElementsInPath + std::to_string(path) + ":")};
}
Lead dimensionLabel() {
    return {label(kDimension)};
}
// The engine names the element's lines without the numbers, which it has not read yet.
Lead elementTitle(int group, int index) {
    const std::string title = withoutNumber(kElementData);
    return {empty(),
            label(kElementData + std::to_string(group) + "-" + std::to_string(index), title),
            dashes(39, title)};
}
Lead keyLabel(int key) {
    return {label(kElementKey + std::to_string(key), withoutNumber(kElementKey))};
}
Lead afterKeyLine() {
    return {{Kind::Free, "", "la línea que sigue al número clave"}};
}
Lead distributionLead() {
    Lead lead{label(kDistribution), dashes(31, kDistribution)};
    const Distribution* table = distributionTable();
    for (int k = 0; k < kDistributionCount; ++k) {
        lead.push_back(label(table[k].fileOption, kDistribution));
    }
    return lead;
}
Lead parametersSection() {
    return section(kParameters, 39);
}
Lead parameterLabel(int k) {
    return {label(kParameter + std::to_string(k) + kParameterTail)};
}
Lead pathsSection() {
    return section(kPaths, 36);
}
Lead pathLabel(int path) {
    return {label(kPathElements + std::to_string(path))};
}
Lead simulationSection() {
    return section(kSimulation, 36);
}
// Named as its section, as the engine has always named it.
Lead seedLabel() {
    return {label(kSeed, kSimulation)};
}
Lead trialsLead() {
    return {empty(), label(kTrials)};
}

}  // namespace lead

std::size_t lineCount(std::initializer_list<Lead> leads) {
    std::size_t n = 0;
    for (const Lead& l : leads) n += l.size();
    return n;
}

std::vector<std::string> dataFileLines(const DataFileContent& c) {
    using namespace lead;
    std::vector<std::string> out;
    auto put = [&out](const Lead& l) {
        for (const LeadLine& line : l) out.push_back(line.text);
    };
    auto value = [&out](std::string text) { out.push_back(std::move(text)); };
    const bool general = c.structure == kGeneral;

    put(totalLead());
    value(c.total);
    put(structureLead());
    value(std::to_string(c.structure));
    put(redundancyLead());
    value(c.redundancy);
    put(structureSection());

    if (!general) {
        put(subsystemCountLabel());
        value(std::to_string(c.elementsPerSubsystem.size()));
        for (size_t i = 0; i < c.elementsPerSubsystem.size(); ++i) {
            put(elementsInSubsystemLabel(static_cast<int>(i + 1)));
            value(c.elementsPerSubsystem[i]);
        }
    } else {
        put(elementCountLabel());
        value(c.elementCount);
        put(pathCountLabel());
        value(std::to_string(c.entriesPerPath.size()));
        for (size_t p = 0; p < c.entriesPerPath.size(); ++p) {
            put(elementsInPathLabel(static_cast<int>(p + 1)));
            value(c.entriesPerPath[p]);
        }
    }
    put(dimensionLabel());
    value(c.dimension);

    for (const DataFileElement& e : c.elements) {
        put(elementTitle(e.group, e.index));
        if (general) {
            put(keyLabel(e.key));
            value(std::to_string(e.key));
            put(afterKeyLine());
        }
        put(distributionLead());
        value(e.distribution);
        put(parametersSection());
        for (int k = 1; k <= 3; ++k) {
            put(parameterLabel(k));
            value(e.params[static_cast<std::size_t>(k - 1)]);
        }
    }

    if (general) {
        put(pathsSection());
        for (size_t p = 0; p < c.pathKeys.size(); ++p) {
            put(pathLabel(static_cast<int>(p + 1)));
            for (const std::string& key : c.pathKeys[p]) value(key);
        }
    }

    put(simulationSection());
    put(seedLabel());
    value(c.seed);
    put(trialsLead());
    value(c.trials);
    return out;
}

std::string dataFileBytes(const DataFileContent& content) {
    std::string bytes;
    for (const std::string& l : dataFileLines(content)) {
        bytes += utf8ToCp1252(l);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace farvik
