// The console dialogue and the head and cause section of resumen.TXT, run through the
// engine in a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_error.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::El;
using testing::EngineRun;
using testing::general;
using testing::linesOf;
using testing::subsystems;

const std::string kStars58 = " " + std::string(58, '*');

std::string blankLines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "  \n";
    return s;
}

const auto kSeries = subsystems(1, 2, {{{1, 0.001}, {2, 2.0, 1500}, {5, 1000, 200}}}, 1, 1000);

TEST(Dialogue, QuestionsWithTheirBlankLinesAndTabs) {
    EngineRun r;
    runSystem(r, kSeries, "1\n2\n100\n500\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        blankLines(20) + " quiere calcular algun valor\n" +
        "  de la funcion, F(t), de fiabilidad del sistema ?\n" + "\n" +
        " si quiere introduzca .... 1\n" + " si no quiere introduzca.. 2\n" + blankLines(2) +
        " \tCuantos valores?\n" + blankLines(2) + "  introduce el valor           1 de \"t\"\n" +
        blankLines(2) + "  introduce el valor           2 de \"t\"\n" + blankLines(25) +
        "\n";  // the summary's empty console line after the probabilities
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
}

TEST(Dialogue, AnyOtherAnswerAsksNothingMore) {
    for (const char* answer : {"2\n", "0\n", "7\n"}) {
        EngineRun r;
        runSystem(r, kSeries, answer);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find("Cuantos"), std::string::npos);
        EXPECT_EQ(r.out, blankLines(20) + " quiere calcular algun valor\n" +
                             "  de la funcion, F(t), de fiabilidad del sistema ?\n\n" +
                             " si quiere introduzca .... 1\n si no quiere introduzca.. 2\n" +
                             blankLines(2) + blankLines(25));
    }
}

TEST(Dialogue, BadAnswersStopTheRunBeforeAnySummary) {
    struct Case {
        const char* answers;
        ExitStatus status;
    };
    for (const Case& c : {Case{"si\n", kExitBadAnswer}, Case{"", kExitEndOfInput},
                          Case{"1\n101\n", kExitTooManyTimes}, Case{"1\n2\n100\n", kExitEndOfInput},
                          Case{"1\n1\ncien\n", kExitBadAnswer}, Case{"1.0\n", kExitBadAnswer}}) {
        EngineRun r;
        runSystem(r, kSeries, c.answers);
        EXPECT_EQ(r.status, c.status) << c.answers;
        EXPECT_NE(r.err.find("brenta: "), std::string::npos);
        EXPECT_EQ(r.file("resumen.TXT"), "") << c.answers;
    }
}

TEST(Summary, HeadWithProbabilitiesMatchesTheListing) {
    EngineRun r;
    runSystem(r, kSeries, "1\n2\n100\n500\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = r.lines("resumen.TXT");
    const auto times = testing::listing(r);
    ASSERT_EQ(times.size(), 1000u);
    auto survivors = [&](double t) {
        return std::count_if(times.begin(), times.end(), [t](double x) { return x >= t; });
    };
    // Listing values carry 10 digits; none of these trials lies that close to 100 or 500.
    std::string p100, p500;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15f", survivors(100) / 1000.0);
    p100 = std::string(buf).substr(0, 17);
    std::snprintf(buf, sizeof buf, "%.15f", survivors(500) / 1000.0);
    p500 = std::string(buf).substr(0, 17);
    const std::vector<std::string> head = {
        kStars58,
        " RESULTADOS OBTENIDOS CON",
        "         1000  simulaciones de un  sistema en serie         ",
        kStars58,
        "  ",
        kStars58,
        " LA PROBABILIDAD DE QUE EL SISTEMA FUNCIONE AL MENOS DURANTE ",
        "    100.000000000000       U.T         ES  " + p100 + "     ",
        " LA PROBABILIDAD DE QUE EL SISTEMA FUNCIONE AL MENOS DURANTE ",
        "    500.000000000000       U.T         ES  " + p500 + "     ",
        kStars58,
        kStars58,
        " ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  = ",
    };
    ASSERT_GE(lines.size(), head.size() + 4);
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << i;
    double mean = 0;
    for (double t : times) mean += t;
    mean /= times.size();
    const double written = std::stod(lines[13]);
    EXPECT_NEAR(written, mean, mean * 1e-9);
    EXPECT_EQ(lines[13].size(), 25u);
    EXPECT_EQ(lines[14].substr(0, 18), " error estandar = ");
    EXPECT_EQ(lines[14].size(), 42u);
    EXPECT_EQ(lines[15], kStars58);
    EXPECT_EQ(lines[16], "");
}

TEST(Summary, NoQuestionsNoBlockAndZeroTimesAnEmptyBlock) {
    EngineRun none, zero;
    runSystem(none, kSeries, "2\n");
    runSystem(zero, kSeries, "1\n0\n");
    const auto a = none.lines("resumen.TXT"), b = zero.lines("resumen.TXT");
    EXPECT_EQ(a[4], "  ");
    EXPECT_EQ(a[5], kStars58);
    EXPECT_EQ(a[6], " ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  = ");
    EXPECT_EQ(b[5], kStars58);
    EXPECT_EQ(b[6], kStars58);
    EXPECT_EQ(b[7], kStars58);
    EXPECT_EQ(b[8], a[6]);
}

TEST(Summary, TrialOnAQueryTimeSurvivesItAndEqualTimesHaveNoError) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{5, 100, 0}}}, 1, 50), "1\n2\n100\n100.0001\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = r.lines("resumen.TXT");
    EXPECT_EQ(lines[7], "    100.000000000000       U.T         ES   1.00000000000000     ");
    EXPECT_EQ(lines[9], "    100.000100000000       U.T         ES   0.00000000000000E+000");
    EXPECT_EQ(lines[13], "    100.000000000000     ");
    EXPECT_EQ(lines[14], " error estandar =    0.00000000000000E+000");
}

TEST(Summary, SingleTrialHasZeroStandardError) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{1, 0.001}}}, 1, 1));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.lines("resumen.TXT")[8], " error estandar =    0.00000000000000E+000");
}

TEST(Summary, KindTextFollowsTheStructureCode) {
    const char* kinds[] = {" sistema en serie         ", " sistema en paralelo      ",
                           " sistema serie-paralelo   ", " sistema paralelo-serie   "};
    for (int code = 1; code <= 4; ++code) {
        EngineRun r;
        runSystem(r, subsystems(code, 2, {{{1, 0.01}}}, 1, 10));
        EXPECT_EQ(r.lines("resumen.TXT")[2],
                  std::string("           10  simulaciones de un ") + kinds[code - 1]);
    }
    EngineRun g;
    runSystem(g, general(2, {{1, {1, 0.01}}}, {{1}}, 1, 10));
    EXPECT_EQ(g.lines("resumen.TXT")[2],
              "           10  simulaciones de un  sistema general          ");
}

std::vector<std::string> causeSection(const EngineRun& r) {
    auto lines = r.lines("resumen.TXT");
    const auto first = std::find(lines.begin(), lines.end(), "") + 1;
    const auto last = std::find(first, lines.end(), kStars58);
    EXPECT_EQ(last + 1 < lines.end() ? *(last + 1) : "x", "");
    return {first, last};
}

TEST(Causes, EveryElementOfEverySubsystem) {
    EngineRun r;
    runSystem(r, subsystems(3, 2, {{{1, 0.001}, {1, 0.002}}, {{1, 0.003}}}, 1, 400));
    const auto c = causeSection(r);
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0], " el elemento           1 del subsistema           1");
    EXPECT_EQ(c[3], " el elemento           2 del subsistema           1");
    EXPECT_EQ(c[6], " el elemento           1 del subsistema           2");
    EXPECT_EQ(c[2], "");
    int total = 0;
    for (int k : {1, 4, 7}) {
        EXPECT_EQ(c[k].substr(0, 41), " es causa inmediata del fallo del sistema");
        EXPECT_EQ(c[k].substr(53), " veces");
        total += std::stoi(c[k].substr(41, 12));
    }
    EXPECT_EQ(total, 400) << "continuous times: one cause per trial";
}

TEST(Causes, TiesCountForEveryElement) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{5, 10, 0}, {5, 10, 0}}}, 1, 30));
    const auto c = causeSection(r);
    EXPECT_EQ(c[1], " es causa inmediata del fallo del sistema          30 veces");
    EXPECT_EQ(c[4], " es causa inmediata del fallo del sistema          30 veces");
}

TEST(Causes, GeneralSystemByKeyOnceEachWithItsFirstCell) {
    // Element 2 is on both paths; element 4 on none; key 3 is not used.
    EngineRun r;
    runSystem(r, general(2, {{5, {5, 7, 0}}, {2, {5, 3, 0}}, {1, {5, 5, 0}}, {4, {1, 1}}},
                         {{1, 2}, {5, 2}}, 1, 12));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto c = causeSection(r);
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0], " el elemento           1");
    EXPECT_EQ(c[1], " es causa inmediata del fallo del sistema           0 veces");
    EXPECT_EQ(c[3], " el elemento           2");
    EXPECT_EQ(c[4], " es causa inmediata del fallo del sistema          12 veces");
    EXPECT_EQ(c[6], " el elemento           5");
    EXPECT_EQ(c[7], " es causa inmediata del fallo del sistema           0 veces");
}

}  // namespace
}  // namespace brenta
