#include "datafile_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes.h"
#include "cp1252.h"

namespace farvik {
namespace {

std::vector<Lead> everyLead() {
    using namespace lead;
    return {totalLead(),         structureLead(),       redundancyLead(),
            structureSection(),  subsystemCountLabel(), elementsInSubsystemLabel(12),
            elementCountLabel(), pathCountLabel(),      elementsInPathLabel(3),
            dimensionLabel(),    elementTitle(2, 7),    keyLabel(9),
            afterKeyLine(),      distributionLead(),    parametersSection(),
            parameterLabel(2),   pathsSection(),        pathLabel(4),
            simulationSection(), seedLabel(),           trialsLead()};
}

// The engine skips a label as the next line that is not blank, and the front-end takes every
// line without a comma as one item: a blank label or one with a comma would shift the values.
TEST(DataFileLayout, EveryLeadLineReadsAsItsKindSays) {
    for (const Lead& l : everyLead()) {
        for (const LeadLine& line : l) {
            switch (line.kind) {
                case LeadLine::Kind::Label:
                    EXPECT_NE(line.text.find_first_not_of(" \t"), std::string::npos);
                    EXPECT_EQ(line.text.find(','), std::string::npos) << line.text;
                    EXPECT_NE(line.text.front(), '"') << line.text;
                    EXPECT_FALSE(line.mention.empty()) << line.text;
                    break;
                case LeadLine::Kind::Free:
                    EXPECT_TRUE(line.text.empty());
                    EXPECT_FALSE(line.mention.empty());
                    break;
                case LeadLine::Kind::Empty:
                    EXPECT_TRUE(line.text.empty());
                    break;
            }
        }
    }
}

TEST(DataFileLayout, NumberedLabelsCarryTheirNumbersAndTheEngineNamesThemAsBefore) {
    EXPECT_EQ(lead::elementTitle(2, 7)[1].text, "DATOS DEL ELEMENTO 2-7");
    EXPECT_EQ(lead::elementTitle(2, 7)[1].mention, "DATOS DEL ELEMENTO");
    EXPECT_EQ(lead::elementTitle(2, 7)[2].mention, "DATOS DEL ELEMENTO");
    EXPECT_EQ(lead::keyLabel(9)[0].text, "Número clave del elemento 9");
    EXPECT_EQ(lead::keyLabel(9)[0].mention, "Número clave del elemento");
    EXPECT_EQ(lead::elementsInSubsystemLabel(12)[0].mention, "Elementos en el subsistema 12:");
    EXPECT_EQ(lead::parameterLabel(3)[0].text, "Parámetro 3 (0 si no procede):");
    EXPECT_EQ(lead::pathLabel(4)[0].text, "Nombres de los elementos en serie del camino 4");
    EXPECT_EQ(lead::seedLabel()[0].mention, "DATOS DE LA SIMULACIÓN");
    EXPECT_EQ(lineCount({lead::structureLead(), lead::redundancyLead()}), 8u + 5u);
}

// A system of each structure with every value a text of its own.
DataFileContent sample(int structure) {
    DataFileContent c;
    c.total = "T";
    c.structure = structure;
    c.redundancy = "R";
    c.dimension = "D";
    c.seed = "S";
    c.trials = "N";
    if (structure == kGeneral) {
        c.elementCount = "E";
        c.entriesPerPath = {"P1", "P2"};
        c.pathKeys = {{"K11", "K12"}, {"K21"}};
    } else {
        c.elementsPerSubsystem = {"S1", "S2"};
    }
    for (int b = 1; b <= 3; ++b)
        c.elements.push_back({b,
                              1,
                              4 - b,
                              "d" + std::to_string(b),
                              {"p" + std::to_string(b) + "1", "p" + std::to_string(b) + "2",
                               "p" + std::to_string(b) + "3"}});
    return c;
}

// Reads written lines the two ways the programs do.
class Walk {
  public:
    explicit Walk(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // The engine: labels are the next lines that are not blank, a free line is any line,
    // the value the next line that is not blank.
    std::string engineValue(std::initializer_list<Lead> leads) {
        for (const Lead& l : leads)
            for (const LeadLine& line : l) {
                if (line.kind == LeadLine::Kind::Label) nonBlank();
                if (line.kind == LeadLine::Kind::Free) ++engine_;
            }
        return nonBlank();
    }
    // The front-end: each line one item, the value the last item of its group.
    std::string frontEndValue(std::initializer_list<Lead> leads) {
        frontEnd_ += lineCount(leads);
        return frontEnd_ < lines_.size() ? lines_[frontEnd_++] : "<end>";
    }

  private:
    std::string nonBlank() {
        while (engine_ < lines_.size() &&
               lines_[engine_].find_first_not_of(" \t") == std::string::npos)
            ++engine_;
        return engine_ < lines_.size() ? lines_[engine_++] : "<end>";
    }
    std::vector<std::string> lines_;
    std::size_t engine_ = 0;
    std::size_t frontEnd_ = 0;
};

TEST(DataFileLayout, BothReadersFindEveryValueTheWriterWrote) {
    using namespace lead;
    for (int structure = 1; structure <= 5; ++structure) {
        SCOPED_TRACE(structure);
        const DataFileContent c = sample(structure);
        const bool general = structure == kGeneral;
        Walk w(dataFileLines(c));
        // Each value is looked for by both readers, which must agree with what was written.
        auto expect = [&w](std::initializer_list<Lead> leads, const std::string& value) {
            EXPECT_EQ(w.engineValue(leads), value);
            EXPECT_EQ(w.frontEndValue(leads), value);
        };
        expect({totalLead()}, "T");
        expect({structureLead()}, std::to_string(structure));
        expect({redundancyLead()}, "R");
        if (general) {
            expect({structureSection(), elementCountLabel()}, "E");
            expect({pathCountLabel()}, "2");
            expect({elementsInPathLabel(1)}, "P1");
            expect({elementsInPathLabel(2)}, "P2");
        } else {
            expect({structureSection(), subsystemCountLabel()}, "2");
            expect({elementsInSubsystemLabel(1)}, "S1");
            expect({elementsInSubsystemLabel(2)}, "S2");
        }
        expect({dimensionLabel()}, "D");
        for (const DataFileElement& e : c.elements) {
            if (general) {
                expect({elementTitle(e.group, e.index), keyLabel(e.key)}, std::to_string(e.key));
                expect({afterKeyLine(), distributionLead()}, e.distribution);
            } else {
                expect({elementTitle(e.group, e.index), distributionLead()}, e.distribution);
            }
            expect({parametersSection(), parameterLabel(1)}, e.params[0]);
            expect({parameterLabel(2)}, e.params[1]);
            expect({parameterLabel(3)}, e.params[2]);
        }
        if (general) {
            expect({pathsSection(), pathLabel(1)}, "K11");
            expect({}, "K12");
            expect({pathLabel(2)}, "K21");
        }
        expect({simulationSection(), seedLabel()}, "S");
        expect({trialsLead()}, "N");
        expect({}, "<end>");
    }
}

TEST(DataFileLayout, BytesAreCodePage1252WithEveryLineEndedByCrLf) {
    const DataFileContent c = sample(kGeneral);
    const std::vector<std::string> lines = dataFileLines(c);
    const std::string bytes = dataFileBytes(c);
    std::string expected;
    for (const std::string& l : lines) expected += utf8ToCp1252(l) + "\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(0, 2), "N\xDA");  // "NÚMERO", one byte for the Ú
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "N\r\n");
}

}  // namespace
}  // namespace farvik
