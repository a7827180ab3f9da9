// The bytes the front-end writes, checked against data files written out by hand here.
#include "document/datafile_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/system_data.h"
#include "handwritten_data_file.h"

namespace farvik {
namespace {

using namespace handwritten;

std::string written(const SystemData& data) {
    return dataFileBytesFor(data).toStdString();
}

ElementRec element(int distribution, double p1, double p2, double p3 = 0) {
    ElementRec e;
    e.distribution = static_cast<std::int16_t>(distribution);
    e.params = {0, p1, p2, p3};
    return e;
}

SubsystemRec group(const std::vector<ElementRec>& elements) {
    SubsystemRec g;
    g.count = static_cast<std::int16_t>(elements.size());
    g.elements.push_back(ElementRec{});
    for (const ElementRec& e : elements) g.elements.push_back(e);
    return g;
}

ElementRec entry(int key) {
    ElementRec e;
    e.params[1] = key;
    return e;
}

TEST(DataFileWriterTest, SubsystemsInSeriesAsWrittenByHand) {
    SystemData data;
    resetSystemData(data);
    data.systemType = 3;
    data.redundancyStudy = true;
    data.seed = 7;
    data.trialCount = 500;
    data.subsystemCount = 2;
    data.subsystems = {SubsystemRec{}, group({element(1, 1.5, 200), element(0, 0.01, 0)}),
                       group({element(4, 100, 10)})};
    // Paths are not written for this structure, whatever they hold.
    data.paths = {SubsystemRec{}, group({entry(9)})};

    Lines expected = head("3", "1", "3");
    add(expected,
        {"N\xFAmero de subsistemas:", "2", "Elementos en el subsistema 1:", "2",
         "Elementos en el subsistema 2:", "1", "Dimension de las matrices del sistema:", "2", ""});
    add(expected, {"DATOS DEL ELEMENTO 1-1", std::string(39, '-')});
    add(expected, distributionAndParameters("2", {"1.5", "200", "0"}));
    add(expected, {"DATOS DEL ELEMENTO 1-2", std::string(39, '-')});
    add(expected, distributionAndParameters("1", {"0.01", "0", "0"}));
    add(expected, {"DATOS DEL ELEMENTO 2-1", std::string(39, '-')});
    add(expected, distributionAndParameters("5", {"100", "10", "0"}));
    add(expected, tail("7", "500"));
    EXPECT_EQ(written(data), file(expected));
}

TEST(DataFileWriterTest, DimensionCoversTheLongestSubsystemAndSeriesWritesOneSubsystem) {
    SystemData data;
    resetSystemData(data);
    data.systemType = 1;
    data.subsystems = {SubsystemRec{},
                       group({element(0, 1, 0), element(0, 2, 0), element(0, 3, 0)})};
    data.subsystemCount = 1;
    const DataFileContent c = dataFileContentFor(data);
    EXPECT_EQ(c.total, "3");
    EXPECT_EQ(c.elementsPerSubsystem, std::vector<std::string>{"3"});
    EXPECT_EQ(c.dimension, "3");
    EXPECT_EQ(c.redundancy, "2");
    EXPECT_EQ(c.seed, "1");
    EXPECT_EQ(c.trials, "1000");
}

TEST(DataFileWriterTest, GeneralSystemWithSharedKeysAsWrittenByHand) {
    SystemData data;
    resetSystemData(data);
    data.systemType = 5;
    data.seed = 0;
    data.trialCount = 10000;
    data.subsystemCount = 3;
    data.subsystems = {SubsystemRec{}, group({element(0, 1e-5, 0)}), group({element(1, 2, 1000)}),
                       group({element(3, 500, 100)})};
    for (int k = 1; k <= 3; ++k) data.subsystems[static_cast<std::size_t>(k)].elements[1].key = k;
    // Element 1 lies on both paths.
    data.pathCount = 2;
    data.paths = {SubsystemRec{}, group({entry(1), entry(2)}), group({entry(1), entry(3)})};

    Lines expected = head("5", "2", "3");
    add(expected,
        {"N\xFAmero de elementos en el sistema:", "3", "N\xFAmero de caminos en el sistema:", "2",
         "Elementos en serie en el camino 1:", "2", "Elementos en serie en el camino 2:", "2",
         "Dimension de las matrices del sistema:", "3", ""});
    const std::vector<std::pair<std::string, Lines>> blocks = {
        {"1", {"1E-05", "0", "0"}}, {"2", {"2", "1000", "0"}}, {"4", {"500", "100", "0"}}};
    for (int k = 1; k <= 3; ++k) {
        add(expected, keyedElement(k));
        add(expected, distributionAndParameters(blocks[k - 1].first, blocks[k - 1].second));
    }
    add(expected, {"ESQUEMA DE LOS CAMINOS", std::string(36, '-'),
                   "Nombres de los elementos en serie del camino 1", "1", "2",
                   "Nombres de los elementos en serie del camino 2", "1", "3", ""});
    add(expected, tail("0", "10000"));
    EXPECT_EQ(written(data), file(expected));
}

}  // namespace
}  // namespace farvik
