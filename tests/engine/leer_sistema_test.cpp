#include "leer_sistema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine_error.h"
#include "free_form_reader.h"

#include "cp1252.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::El;
using testing::general;
using testing::parse;
using testing::subsystems;

std::string join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string out;
    for (const auto& l : lines) out += farvik::utf8ToCp1252(l) + eol;
    return out;
}

// Index of the first line that starts with `label`, at or after `from`.
std::size_t find(const std::vector<std::string>& lines, const std::string& label,
                 std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].rfind(label, 0) == 0) return i;
    }
    ADD_FAILURE() << "no line " << label;
    return 0;
}

// The file with the value line after `label` (the n-th value after it) replaced.
std::string withValue(const farvik::DataFileContent& c, const std::string& label,
                      const std::string& value, int nth = 1) {
    auto lines = farvik::dataFileLines(c);
    std::size_t i = find(lines, label);
    int seen = 0;
    while (++i < lines.size()) {
        double v = 0;
        const std::string word = lines[i].substr(0, lines[i].find(' '));
        if (parseReal(word, v) && ++seen == nth) break;
    }
    lines[i] = value;
    return join(lines);
}

struct Refusal {
    ExitStatus status;
    int line;
    std::string message;
};

Refusal refusal(const std::string& bytes) {
    try {
        parse(bytes);
    } catch (const EngineError& e) {
        const std::string what = e.what();
        const auto at = what.find("línea ");
        return {e.status(), at == std::string::npos ? 0 : std::atoi(what.c_str() + at + 7), what};
    }
    return {kExitOk, 0, ""};
}

const farvik::DataFileContent kThree = subsystems(
    3, 1, {{{1, 0.001}, {2, 2.0, 1500}}, {{4, 800, 300}}, {{5, 1000, 200}, {3, 6.5, 0.4}}}, 17,
    250);

TEST(LeerSistema, ReadsEveryValueOfSubsystemFile) {
    const SystemData s = parse(farvik::dataFileBytes(kThree));
    EXPECT_EQ(s.itipo, 3);
    EXPECT_EQ(s.kclase, 3);
    EXPECT_EQ(s.iredun, 1);
    EXPECT_EQ(s.nsub, 3);
    EXPECT_EQ(s.nelsub[1], 2);
    EXPECT_EQ(s.nelsub[2], 1);
    EXPECT_EQ(s.nelsub[3], 2);
    EXPECT_EQ(s.ndim, 3);
    EXPECT_EQ(s.distribution(2, 1), 2);
    EXPECT_EQ(s.parameter(1, 2, 1), 2.0);
    EXPECT_EQ(s.parameter(2, 2, 1), 1500.0);
    EXPECT_EQ(s.distribution(1, 3), 5);
    EXPECT_EQ(s.parameter(2, 2, 3), 0.4);
    EXPECT_EQ(s.iseed, 17);
    EXPECT_EQ(s.nsim, 250);
}

TEST(LeerSistema, ConvertsDistributionFourRightAfterItsParameters) {
    const SystemData s = parse(farvik::dataFileBytes(kThree));
    const double m = 800, d = 300;
    EXPECT_EQ(s.distribution(1, 2), 4);
    EXPECT_DOUBLE_EQ(s.parameter(1, 1, 2), 2 * std::log(m) - 0.5 * std::log(m * m + d * d));
    EXPECT_DOUBLE_EQ(s.parameter(2, 1, 2), std::sqrt(std::log((m * m + d * d) / (m * m))));
}

TEST(LeerSistema, EmptyLinesAnywhereOrNoneReadTheSame) {
    const auto lines = farvik::dataFileLines(kThree);
    std::vector<std::string> spread, packed;
    for (const auto& l : lines) {
        spread.push_back("");
        spread.push_back(l);
        spread.push_back("   \t");
        if (!l.empty()) packed.push_back(l);
    }
    const SystemData a = parse(join(lines));
    for (const std::string& bytes : {join(spread), join(packed), join(lines, "\n")}) {
        const SystemData b = parse(bytes);
        EXPECT_EQ(a.idist, b.idist);
        EXPECT_EQ(a.par, b.par);
        EXPECT_EQ(a.nsim, b.nsim);
        EXPECT_EQ(a.iseed, b.iseed);
    }
}

TEST(LeerSistema, TextAfterValuesAndLabelsIsIgnored) {
    auto lines = farvik::dataFileLines(kThree);
    for (auto& l : lines) {
        if (!l.empty()) l += " y algo más, 99 / 3";
    }
    const SystemData s = parse(join(lines));
    EXPECT_EQ(s.nsub, 3);
    EXPECT_EQ(s.parameter(2, 2, 1), 1500.0);
    EXPECT_EQ(s.nsim, 250);
}

TEST(LeerSistema, LastLineWithoutLineEnd) {
    std::string bytes = farvik::dataFileBytes(kThree);
    bytes.resize(bytes.size() - 2);
    EXPECT_EQ(parse(bytes).nsim, 250);
}

TEST(LeerSistema, SeriesAndParallelCodesGiveClassesFourAndThree) {
    const std::vector<std::vector<El>> four = {{{1, 0.001}, {1, 0.002}, {1, 0.003}, {1, 0.004}}};
    EXPECT_EQ(parse(farvik::dataFileBytes(subsystems(1, 2, four))).kclase, 4);
    EXPECT_EQ(parse(farvik::dataFileBytes(subsystems(2, 2, four))).kclase, 3);
    EXPECT_EQ(parse(farvik::dataFileBytes(subsystems(4, 2, four))).kclase, 4);
}

TEST(LeerSistema, RedundancyOnlyForOne) {
    for (int answer : {0, 2, 3, -1}) {
        EXPECT_FALSE(
            parse(farvik::dataFileBytes(subsystems(1, answer, {{{1, 0.001}}}))).redundancy());
    }
    EXPECT_TRUE(parse(farvik::dataFileBytes(subsystems(1, 1, {{{1, 0.001}}}))).redundancy());
}

TEST(LeerSistema, GeneralBlocksInAnyKeyOrderFillTheSameTables) {
    const std::vector<std::vector<int>> paths = {{1, 2}, {3, 2}};
    const El a{1, 0.001}, b{2, 1.5, 900}, c{5, 400, 50};
    const SystemData inOrder =
        parse(farvik::dataFileBytes(general(1, {{1, a}, {2, b}, {3, c}}, paths)));
    const SystemData shuffled =
        parse(farvik::dataFileBytes(general(1, {{3, c}, {1, a}, {2, b}}, paths)));
    EXPECT_EQ(inOrder.idist, shuffled.idist);
    EXPECT_EQ(inOrder.par, shuffled.par);
    EXPECT_EQ(shuffled.iclave[1], 3);
    EXPECT_EQ(shuffled.iclave[2], 1);
    EXPECT_EQ(shuffled.icam(2, 2), 2);
    EXPECT_EQ(shuffled.distribution(2, 1), 2);
    EXPECT_EQ(shuffled.parameter(2, 2, 1), 900.0);
}

TEST(LeerSistema, GeneralSkipsTheLineAfterTheKeyWhateverItHolds) {
    auto lines = farvik::dataFileLines(general(2, {{1, {1, 0.5}}}, {{1}}));
    const std::size_t key = find(lines, "Número clave del elemento");
    ASSERT_TRUE(lines[key + 2].empty());
    lines[key + 2] = "4";  // looks like a distribution code, yet is skipped
    const SystemData s = parse(join(lines));
    EXPECT_EQ(s.distribution(1, 1), 1);
    lines.erase(lines.begin() + key + 2);  // without the line, the distribution label is skipped
    EXPECT_NE(refusal(join(lines)).status, kExitOk);
}

TEST(LeerSistema, RefusesWhatWouldLeaveTheTables) {
    const auto two = subsystems(3, 2, {{{1, 0.1}, {1, 0.2}, {1, 0.3}}, {{1, 0.1}}});
    struct Case {
        std::string bytes;
        ExitStatus status;
    };
    const Case cases[] = {
        {withValue(two, "DISPOSICION", "6"), kExitBadStructure},
        {withValue(two, "DISPOSICION", "0"), kExitBadStructure},
        {withValue(two, "Número de subsistemas:", "0"), kExitBadCount},
        {withValue(two, "Número de subsistemas:", "51"), kExitBadCount},
        {withValue(two, "Elementos en el subsistema 2:", "0"), kExitBadCount},
        {withValue(two, "Elementos en el subsistema 1:", "51"), kExitBadCount},
        {withValue(two, "Dimension de las matrices", "2"), kExitBadDimension},
        {withValue(two, "Dimension de las matrices", "51"), kExitBadDimension},
        {withValue(two, "Distribución del fallo:", "6"), kExitBadDistribution},
        {withValue(two, "Distribución del fallo:", "0"), kExitBadDistribution},
        {withValue(two, "Semilla:", "161803399"), kExitBadSeed},
        {withValue(two, "Semilla:", "-161803399"), kExitBadSeed},
        {withValue(two, "Número de pruebas:", "0"), kExitBadTrials},
        {withValue(two, "Número de subsistemas:", "2.0"), kExitBadInteger},
        {withValue(two, "Número de pruebas:", "mil"), kExitBadInteger},
        {withValue(two, "Parámetro 1", "uno"), kExitBadReal},
    };
    for (const Case& c : cases)
        EXPECT_EQ(refusal(c.bytes).status, c.status) << refusal(c.bytes).message;
    EXPECT_EQ(refusal(withValue(two, "Semilla:", "161803398")).status, kExitOk);
    EXPECT_EQ(refusal(withValue(two, "Semilla:", "-161803398")).status, kExitOk);
}

TEST(LeerSistema, RefusalNamesTheLineOfTheValue) {
    const auto two = subsystems(3, 2, {{{1, 0.1}}, {{1, 0.1}}});
    const auto lines = farvik::dataFileLines(two);
    const Refusal r = refusal(withValue(two, "Elementos en el subsistema 2:", "60"));
    EXPECT_EQ(r.line, int(find(lines, "Elementos en el subsistema 2:") + 2));
    EXPECT_NE(r.message.find("prueba.DAT"), std::string::npos);
}

TEST(LeerSistema, RefusesUndefinedDistributions) {
    auto one = [](El e) { return farvik::dataFileBytes(subsystems(1, 2, {{e}})); };
    EXPECT_EQ(refusal(one({1, 0.0})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({1, -0.5})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({2, 0.0, 100})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({2, 1.5, -100})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({3, 2.0, -0.1})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({4, 0.0, 1})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({4, 10, -1})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({5, 10, -1})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({5, -51, 10})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({5, -1, 0})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({3, 800, 1})).status, kExitBadParameter);  // e^800 is no double
    // Lives whose squares the statistics could not add up: beyond 1E+149.
    EXPECT_EQ(refusal(one({1, 1e-160})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({2, 1.0, 1e149})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({5, 2e149, 0})).status, kExitBadParameter);
    EXPECT_EQ(refusal(one({3, 340, 1})).status, kExitBadParameter);  // e^350
    // At the edges, still defined.
    EXPECT_EQ(refusal(one({5, -50, 10})).status, kExitOk);
    EXPECT_EQ(refusal(one({5, 0, 0})).status, kExitOk);
    EXPECT_EQ(refusal(one({2, 1.5, 0})).status, kExitOk);
    EXPECT_EQ(refusal(one({1, 1e-147})).status, kExitOk);  // lives up to 2.1E+148
    EXPECT_EQ(refusal(one({5, 1e148, 0})).status, kExitOk);
}

TEST(LeerSistema, RefusesBadKeysAndPaths) {
    const El e{1, 0.01};
    auto bytes = [&](std::vector<std::pair<int, El>> els, std::vector<std::vector<int>> paths) {
        auto c = general(2, els, paths);
        c.dimension = "3";
        return farvik::dataFileBytes(c);
    };
    EXPECT_EQ(refusal(bytes({{1, e}, {1, e}}, {{1}})).status, kExitBadKey);
    EXPECT_EQ(refusal(bytes({{1, e}, {0, e}}, {{1}})).status, kExitBadKey);
    EXPECT_EQ(refusal(bytes({{1, e}, {2, e}}, {{1, 3}})).status, kExitUnknownPathKey);
    EXPECT_EQ(refusal(bytes({{1, e}, {3, e}}, {{1, 2}})).status, kExitUnknownPathKey);
    // A key above the dimension.
    auto c = general(2, {{1, e}, {2, e}}, {{1, 2}});
    c.dimension = "1";
    EXPECT_EQ(refusal(farvik::dataFileBytes(c)).status, kExitBadDimension);
    c.dimension = "2";
    c.elements[1].key = 3;
    EXPECT_EQ(refusal(farvik::dataFileBytes(c)).status, kExitBadKey);
    // Keys with gaps are fine when the dimension covers them.
    c.dimension = "3";
    c.pathKeys = {{"1", "3"}};
    EXPECT_EQ(refusal(farvik::dataFileBytes(c)).status, kExitOk);
}

TEST(LeerSistema, TruncatedFileEndsWithItsOwnStatus) {
    const std::string full = farvik::dataFileBytes(kThree);
    for (std::size_t cut : {std::size_t{0}, full.size() / 3, full.size() / 2, full.size() - 10}) {
        std::string part = full.substr(0, cut);
        part.erase(part.rfind("\r\n") == std::string::npos ? 0 : part.rfind("\r\n"));
        EXPECT_EQ(refusal(part).status, kExitEndOfData) << cut;
    }
}

}  // namespace
}  // namespace brenta
