// fiabilidad_exacta as scripts run it: its lines, and a refused file as brenta refuses it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>

#include "analysis_systems.h"
#include "engine_error.h"
#include "exact_command.h"
#include "folder_lock.h"
#include "importance.h"
#include "sensitivity.h"

namespace farvik::analysis {
namespace {

using namespace testing;
using brenta::testing::TempFolder;

struct Result {
    int status = -1;
    std::string out;
};

// Runs a program of the bin folder in `folder`, standard error into the output.
Result runProgram(const TempFolder& folder, const std::string& commandLine) {
    const std::string command =
        "cd '" + folder.path().string() + "' && " + FARVIK_BIN_DIR + "/" + commandLine + " 2>&1";
    Result r;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(ExactCommand, LinesForTimesMeanAndDuplications) {
    TempFolder folder;
    const auto content = brenta::testing::general(
        1, {{2, weibull(1.5, 300)}, {1, exponential(0.004)}, {3, normal(250, 80)}},
        {{1, 3}, {2}, {2, 3}});
    folder.write("SIS.DAT", farvik::dataFileBytes(content));
    const Result r = runProgram(folder, "fiabilidad_exacta SIS.DAT 100 2.5e2");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> lines = brenta::testing::linesOf(r.out, "\n");
    ASSERT_EQ(lines.size(), 6u) << r.out;

    const ExactSystem exact(modelOfContent(content));
    EXPECT_EQ(lines[0], "R 100 " + seventeenDigits(exact.reliability(100)));
    EXPECT_EQ(lines[1], "R 250 " + seventeenDigits(exact.reliability(250)));
    const Estimate life = exact.meanLife();
    EXPECT_EQ(lines[2], "MEDIA " + seventeenDigits(life.value) + " " + seventeenDigits(life.error));
    const auto list = exact.duplications();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(lines[3 + k], "DUPLICANDO " + std::to_string(k + 1) + " " +
                                    seventeenDigits((*list)[k].meanLife.value));
    }
    // Seventeen significant digits, "." decimals.
    const std::string digits = lines[0].substr(std::min<std::size_t>(lines[0].size(), 8));
    EXPECT_EQ(lines[0].rfind("R 100 0.", 0), 0u) << lines[0];
    EXPECT_EQ(digits.size(), 17u) << lines[0];
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << lines[0];
    EXPECT_EQ(seventeenDigits(0.1), "0.10000000000000001");
    EXPECT_EQ(seventeenDigits(1.0 / 3), "0.33333333333333331");
}

TEST(ExactCommand, SubsystemElementsAndNoStudy) {
    TempFolder folder;
    folder.write("ps.dat",
                 farvik::dataFileBytes(brenta::testing::subsystems(
                     4, 1, {{exponential(0.01), exponential(0.02)}, {exponential(0.03)}})));
    // The engine's way of finding NAME.DAT: letter case does not matter.
    const Result r = runProgram(folder, "fiabilidad_exacta PS.DAT");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> lines = brenta::testing::linesOf(r.out, "\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].rfind("DUPLICANDO 1-1 ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("DUPLICANDO 1-2 ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("DUPLICANDO 2-1 ", 0), 0u);

    const auto one = brenta::testing::subsystems(1, 2, {{exponential(0.01)}});
    folder.write("NO.DAT", farvik::dataFileBytes(one));
    const Estimate life = ExactSystem(modelOfContent(one)).meanLife();
    EXPECT_EQ(runProgram(folder, "fiabilidad_exacta NO.DAT").out,
              "MEDIA " + seventeenDigits(life.value) + " " + seventeenDigits(life.error) + "\n");
}

TEST(ExactCommand, RefusedFilesAsTheEngineRefusesThem) {
    TempFolder folder;
    auto bad = brenta::testing::subsystems(1, 2, {{exponential(0.01), weibull(-1, 5)}});
    folder.write("MAL.DAT", farvik::dataFileBytes(bad));
    const Result engine = runProgram(folder, "brenta MAL < /dev/null");
    const Result exact = runProgram(folder, "fiabilidad_exacta MAL.DAT");
    EXPECT_EQ(engine.status, 21);
    EXPECT_EQ(exact.status, engine.status);
    const std::string message = engine.out.substr(engine.out.find("brenta: ") + 8);
    EXPECT_EQ(exact.out, "fiabilidad_exacta: " + message);

    const Result missing = runProgram(folder, "fiabilidad_exacta NADA.DAT");
    EXPECT_EQ(missing.status, 11);
    EXPECT_NE(missing.out.find("no se puede abrir el fichero de datos NADA.DAT"),
              std::string::npos);
    EXPECT_EQ(runProgram(folder, "fiabilidad_exacta").status, 10);
    EXPECT_EQ(runProgram(folder, "fiabilidad_exacta MAL.DAT 1,5").status, 10);
}

// A pipe would hold an ordinary open() until something writes into it: refused at once
// (timeout ends a program that blocks, with status 124).
TEST(ExactCommand, OnlyRegularFilesAreRead) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder.path() / "TUBO.DAT").c_str(), 0644), 0);
    std::filesystem::create_directory(folder.path() / "CARPETA.DAT");
    for (const char* name : {"TUBO.DAT", "TUBO", "CARPETA.DAT"}) {
        const Result r = runProgram(folder, std::string("fiabilidad_exacta ") + name);
        EXPECT_EQ(r.status, brenta::kExitNoDataFile) << name << ": " << r.out;
    }
    const Result pipe = runProgram(folder, "fiabilidad_exacta TUBO.DAT");
    EXPECT_EQ(pipe.out,
              "fiabilidad_exacta: no se puede abrir el fichero de datos TUBO.DAT: es una tubería "
              "(FIFO), no un fichero\n");
    const std::string command = "cd '" + folder.path().string() + "' && timeout 10 " +
                                FARVIK_BIN_DIR + "/brenta TUBO < /dev/null > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == brenta::kExitNoDataFile);
}

// It only reads: a folder that a run holds is no hindrance, and its options touch nothing.
TEST(ExactCommand, HelpVersionAndAHeldFolder) {
    TempFolder folder;
    folder.write("SIS.DAT",
                 farvik::dataFileBytes(brenta::testing::subsystems(1, 2, {{exponential(0.01)}})));
    const brenta::FolderLock held(folder.path().string());
    EXPECT_EQ(runProgram(folder, "fiabilidad_exacta SIS.DAT").status, 0);

    const Result help = runProgram(folder, "fiabilidad_exacta --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, kExactHelp);
    const Result version = runProgram(folder, "fiabilidad_exacta --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("fiabilidad_exacta (Farvik) ", 0), 0u) << version.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    folder.write("--version.DAT",
                 farvik::dataFileBytes(brenta::testing::subsystems(1, 2, {{exponential(0.01)}})));
    const Result data = runProgram(folder, "fiabilidad_exacta --version");
    EXPECT_EQ(data.status, 0);
    EXPECT_EQ(data.out.rfind("MEDIA 100", 0), 0u) << data.out;
}

TEST(ExactCommand, ImportanceLinesForEachTimeThenTheCauses) {
    TempFolder folder;
    // Key 4 stands on no path: left out, as from the DUPLICANDO lines. Without the
    // redundancy study every element still gets its lines.
    const auto content = brenta::testing::general(2,
                                                  {{1, exponential(0.002)},
                                                   {2, weibull(1.5, 300)},
                                                   {3, exponential(0.001)},
                                                   {4, normal(100, 10)}},
                                                  {{1, 2}, {3}});
    folder.write("IMP.DAT", farvik::dataFileBytes(content));
    const Result r = runProgram(folder, "fiabilidad_exacta --importancia IMP.DAT 0 150");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> lines = brenta::testing::linesOf(r.out, "\n");
    ASSERT_EQ(lines.size(), 9u) << r.out;

    const ExactSystem exact(modelOfContent(content));
    // At 0 nothing can have failed, and no single element matters: 0 / 0 is nan.
    EXPECT_EQ(lines[0], "IMPORTANCIA 0 1 0 nan nan nan nan");
    // Element 3 made perfect leaves nothing to fail: x / 0 is inf.
    EXPECT_EQ(lines[5].substr(lines[5].size() - 4), " inf");
    const auto at150 = importanceAt(exact, 150);
    for (int k = 0; k < 3; ++k) {
        const Importance& m = at150[k];
        EXPECT_EQ(lines[3 + k],
                  "IMPORTANCIA 150 " + std::to_string(k + 1) + " " + seventeenDigits(m.birnbaum) +
                      " " + seventeenDigits(m.criticality) + " " +
                      seventeenDigits(m.fussellVesely) + " " + seventeenDigits(m.achievementWorth) +
                      " " + seventeenDigits(m.reductionWorth));
    }
    const auto causes = failureCauses(exact).value();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(lines[6 + k],
                  "CAUSA " + std::to_string(k + 1) + " " + seventeenDigits(causes[k].value));
    }
}

TEST(ExactCommand, SensitivityLinesForTheMeanThenEachTime) {
    TempFolder folder;
    const auto content = brenta::testing::subsystems(
        3, 1, {{exponential(0.002), lognormal(900, 300)}, {normal(700, 100)}});
    folder.write("SEN.DAT", farvik::dataFileBytes(content));
    const Result none = runProgram(folder, "fiabilidad_exacta --sensibilidad SEN.DAT");
    ASSERT_EQ(none.status, 0) << none.out;
    const std::vector<std::string> lines = brenta::testing::linesOf(none.out, "\n");
    // The exponential has its rate only.
    ASSERT_EQ(lines.size(), 5u) << none.out;
    const ExactSystem exact(modelOfContent(content));
    const auto list = meanLifeSensitivities(exact).value();
    const char* names[] = {"1-1 1", "1-2 1", "1-2 2", "2-1 1", "2-1 2"};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(lines[n], std::string("SENSIBILIDAD ") + names[n] + " " +
                                seventeenDigits(list[n].derivative) + " " +
                                seventeenDigits(list[n].elasticity));
    }
    // The lognormal's parameters are its own mean and deviation, as in the data file.
    EXPECT_NEAR(list[1].value, 900, 1e-9);
    EXPECT_NEAR(list[2].value, 300, 1e-9);

    const Result timed = runProgram(folder, "fiabilidad_exacta --sensibilidad SEN.DAT 500");
    const std::vector<std::string> withTime = brenta::testing::linesOf(timed.out, "\n");
    ASSERT_EQ(withTime.size(), 10u) << timed.out;
    const auto at500 = reliabilitySensitivities(exact, 500);
    EXPECT_EQ(withTime[5], "SENSIBILIDAD_R 500 1-1 1 " + seventeenDigits(at500[0].derivative) +
                               " " + seventeenDigits(at500[0].elasticity));
    EXPECT_EQ(withTime[9].rfind("SENSIBILIDAD_R 500 2-1 2 ", 0), 0u);
    EXPECT_EQ(runProgram(folder, "fiabilidad_exacta --importancia").status, 10);
}

TEST(ExactCommand, ASystemOutOfReachGivesBoundsAndItsOwnStatus) {
    TempFolder folder;
    // Fifty elements on fifty random paths of thirteen keys.
    std::mt19937 rng(4);
    std::vector<std::pair<int, El>> elements;
    for (int k = 1; k <= 50; ++k) elements.push_back({k, exponential(0.001 * (1 + k % 4))});
    std::vector<std::vector<int>> keys(50);
    for (auto& path : keys) {
        for (int m = 0; m < 13; ++m) path.push_back(1 + int(rng() % 50));
    }
    folder.write("G.DAT", farvik::dataFileBytes(brenta::testing::general(2, elements, keys)));
    const Result r = runProgram(folder, "fiabilidad_exacta --importancia G.DAT 10 100");
    EXPECT_EQ(r.status, 50);
    const std::vector<std::string> lines = brenta::testing::linesOf(r.out, "\n");
    ASSERT_EQ(lines.size(), 3u) << r.out;
    const char* const times[] = {"10", "100"};
    for (int n = 0; n < 2; ++n) {
        std::istringstream words(lines[n]);
        std::string word, time, rest;
        double lower = -1, upper = -1;
        ASSERT_TRUE(words >> word >> time >> lower >> upper) << lines[n];
        EXPECT_EQ(word, "COTAS");
        EXPECT_EQ(time, times[n]);
        EXPECT_FALSE(words >> rest) << lines[n];
        EXPECT_LE(0, lower);
        EXPECT_LT(lower, upper);
        EXPECT_LE(upper, 1);
    }
    EXPECT_EQ(lines[2].rfind("fiabilidad_exacta: el sistema es demasiado grande para el "
                             "cálculo exacto: el diagrama de los caminos",
                             0),
              0u);
}

}  // namespace
}  // namespace farvik::analysis
