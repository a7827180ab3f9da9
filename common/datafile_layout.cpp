#include "datafile_layout.h"

#include "codes.h"
#include "cp1252.h"

namespace farvik {

std::vector<std::string> dataFileLines(const DataFileContent& c) {
    using namespace labels;
    std::vector<std::string> out;
    auto line = [&out](std::string text) { out.push_back(std::move(text)); };
    auto dashes = [&out](int n) { out.push_back(std::string(n, '-')); };
    const bool general = c.structure == kGeneral;

    line(kTotal);
    dashes(69);
    line(c.total);
    line("");
    line(kArrangement);
    dashes(69);
    for (const char* s : kStructure) line(s);
    line(std::to_string(c.structure));
    line("");
    line(kRedundancy);
    dashes(46);
    line(kYes);
    line(kNo);
    line(c.redundancy);
    line("");
    line(kSystemStructure);
    dashes(46);

    if (!general) {
        line(kSubsystemCount);
        line(std::to_string(c.elementsPerSubsystem.size()));
        for (size_t i = 0; i < c.elementsPerSubsystem.size(); ++i) {
            line(kElementsInSubsystem + std::to_string(i + 1) + ":");
            line(c.elementsPerSubsystem[i]);
        }
    } else {
        line(kElementCount);
        line(c.elementCount);
        line(kPathCount);
        line(std::to_string(c.entriesPerPath.size()));
        for (size_t p = 0; p < c.entriesPerPath.size(); ++p) {
            line(kElementsInPath + std::to_string(p + 1) + ":");
            line(c.entriesPerPath[p]);
        }
    }
    line(kDimension);
    line(c.dimension);
    line("");

    for (const DataFileElement& e : c.elements) {
        line(kElementData + std::to_string(e.group) + "-" + std::to_string(e.index));
        dashes(39);
        if (general) {
            line(kElementKey + std::to_string(e.key));
            line(std::to_string(e.key));
            line("");
        }
        line(kDistribution);
        dashes(31);
        for (const char* s : kDistributions) line(s);
        line(e.distribution);
        line("");
        line(kParameters);
        dashes(39);
        for (int k = 0; k < 3; ++k) {
            line(kParameter + std::to_string(k + 1) + kParameterTail);
            line(e.params[k]);
        }
        line("");
    }

    if (general) {
        line(kPaths);
        dashes(36);
        for (size_t p = 0; p < c.pathKeys.size(); ++p) {
            line(kPathElements + std::to_string(p + 1));
            for (const std::string& key : c.pathKeys[p]) line(key);
        }
        line("");
    }

    line(kSimulation);
    dashes(36);
    line(kSeed);
    line(c.seed);
    line("");
    line(kTrials);
    line(c.trials);
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
