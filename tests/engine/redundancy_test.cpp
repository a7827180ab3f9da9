// The redundancy comparison at the end of resumen.TXT.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_systems.h"

namespace brenta {
namespace {

using testing::El;
using testing::EngineRun;
using testing::general;
using testing::subsystems;

const std::string kStars58 = " " + std::string(58, '*');
const std::string kStars73 = " " + std::string(73, '*');
const std::string kZero = "   0.00000000000000E+000";
const std::string kHundred = "   100.000000000000     ";

// The lines after the cause section.
std::vector<std::string> report(const EngineRun& r) {
    const auto lines = r.lines("resumen.TXT");
    auto it = std::find(lines.begin(), lines.end(), "") + 1;  // after the head
    it = std::find(it, lines.end(), kStars58) + 2;            // after the causes
    return {it, lines.end()};
}

std::vector<std::string> cellLines(const std::string& first, const std::string& second = "") {
    std::vector<std::string> out = {first};
    if (!second.empty()) out.push_back(second);
    out.push_back(" mejora" + kZero);
    out.push_back(" la desviaci\xF3n tipica es " + kZero);
    out.insert(out.end(), {"", "", ""});
    return out;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Two elements of fixed life 100: every duplication gains exactly 0.
const std::vector<std::vector<El>> kTwoFixed = {{{5, 100, 0}, {5, 100, 0}}};

TEST(Redundancy, ClassFourNamesEveryBestAndUsesTheLastForTheInterval) {
    EngineRun r;
    runSystem(r, subsystems(1, 1, kTwoFixed, 1, 10));
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected;
    append(
        expected,
        cellLines(" LA VIDA MEDIA DUPLICANDO EL ELEMENTO           1del subsistema           1"));
    append(
        expected,
        cellLines(" LA VIDA MEDIA DUPLICANDO EL ELEMENTO           2del subsistema           1"));
    append(expected,
           {kStars58, " CONVIENE DUPLICAR EL ELEMENTO           1    DEL SUBSISTEMA           1",
            " CONVIENE DUPLICAR EL ELEMENTO           2    DEL SUBSISTEMA           1", kStars58,
            " el intervalo de confianza al 95% para la vida media de este elemento es: ",
            " " + kHundred + kHundred, "",
            " si se duplica el elemento           1    DEL SUBSISTEMA           1",
            "  la diferencia no es significativa", kStars73});
    EXPECT_EQ(report(r), expected);
}

TEST(Redundancy, ClassThreeNamesOnlyTheFirstBest) {
    EngineRun r;
    runSystem(r, subsystems(2, 1, kTwoFixed, 1, 10));
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected;
    append(
        expected,
        cellLines(" LA VIDA MEDIA DUPLICANDO EL ELEMENTO           1    DEL SUBSISTEMA           1",
                  "  ES" + kHundred));
    append(
        expected,
        cellLines(" LA VIDA MEDIA DUPLICANDO EL ELEMENTO           2    DEL SUBSISTEMA           1",
                  "  ES" + kHundred));
    append(expected,
           {kStars58, " EL MEJOR RESULTADO SE OBTIENE DUPLICANDO EL ELEMENTO           1",
            "     DEL SUBSISTEMA           1", kStars58,
            " el intervalo de confianza al 95% para la vida media del sistema si se duplica e",
            " ste elemento es: " + kHundred + kHundred,
            " si se duplica el elemento           2    DEL SUBSISTEMA           1",
            "  la diferencia no es significativa", kStars73});
    EXPECT_EQ(report(r), expected);
}

TEST(Redundancy, ClassFiveByElementNumber) {
    EngineRun r;
    runSystem(r, general(1, {{2, {5, 100, 0}}, {1, {5, 100, 0}}}, {{1}, {2, 1}}, 1, 10));
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected;
    append(expected,
           cellLines(" LA VIDA MEDIA DUPLICANDO EL ELEMENTO           1   ES" + kHundred));
    append(expected,
           cellLines(" LA VIDA MEDIA DUPLICANDO EL ELEMENTO           2   ES" + kHundred));
    append(
        expected,
        {kStars58, " CONVIENE DUPLICAR EL ELEMENTO           1",
         " CONVIENE DUPLICAR EL ELEMENTO           2", kStars58,
         " el intervalo de confianza al 95% para la vida media\tcuando se duplica este elem",
         " ento es: " + kHundred + kHundred, "",
         " si se duplica el elemento           1     la diferencia no es significativa", kStars73});
    EXPECT_EQ(report(r), expected);
}

TEST(Redundancy, BestGainItsIntervalAndTheIndistinguishable) {
    // A weak element in series with two strong ones: duplicating it gains most.
    EngineRun r;
    runSystem(r, subsystems(4, 1, {{{1, 0.01}, {1, 0.0001}, {1, 0.0001}}}, 3, 4000));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = report(r);
    std::vector<double> gain, ee;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(" mejora", 0) == 0) gain.push_back(std::stod(lines[i].substr(7)));
        if (lines[i].rfind(" la desviaci", 0) == 0) ee.push_back(std::stod(lines[i].substr(25)));
    }
    ASSERT_EQ(gain.size(), 3u);
    EXPECT_GT(gain[0], 10 * gain[1]);
    const auto best = std::find(lines.begin(), lines.end(), kStars58);
    ASSERT_NE(best, lines.end());
    EXPECT_EQ(best[1], " CONVIENE DUPLICAR EL ELEMENTO           1    DEL SUBSISTEMA           1");
    EXPECT_EQ(best[2], kStars58);
    EXPECT_EQ(lines.back(), kStars73);
    // The weak element's interval excludes the strong ones.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind(" si se duplica", 0) == 0; }),
              0);
}

TEST(Redundancy, NoReportWithoutTheStudy) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, kTwoFixed, 1, 10));
    const auto lines = r.lines("resumen.TXT");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[lines.size() - 2], kStars58);
    EXPECT_EQ(r.lines("redun.TXT").size(), 4u) << "headers only";
}

}  // namespace
}  // namespace brenta
