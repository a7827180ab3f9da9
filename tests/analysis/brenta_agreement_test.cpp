// The exact values against brenta's simulation of 10^5 trials: the examples and random
// systems of every structure code, every reliability, mean life and duplication within 4
// standard errors; and the same check catching a survival function that is slightly wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "analysis_systems.h"
#include "comparison.h"

namespace farvik::analysis {
namespace {

using namespace testing;
using brenta::testing::EngineRun;

constexpr int kTrials = 100000;

// The data file with its number of trials (its last value) replaced.
std::string withTrials(const std::string& bytes, int trials) {
    std::vector<std::string> lines = brenta::testing::linesOf(bytes);
    while (!lines.empty() && lines.back().find_first_not_of(' ') == std::string::npos) {
        lines.pop_back();
    }
    lines.back() = std::to_string(trials);
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

struct Checked {
    Comparison comparison;
    double largestZ = 0;
};

// Runs brenta on the file, asking the reliability at four times around the exact mean
// life, and compares its summary with the exact values computed by `state`.
Checked simulateAndCompare(const std::string& bytes, StateFunction state = elementState,
                           EngineRun* keep = nullptr) {
    const SystemModel model = modelOf(brenta::testing::parse(bytes));
    const ExactSystem exact(model, state);
    const double mean = ExactSystem(model).meanLife().value;
    std::ostringstream answers;
    answers << "1\n4\n";
    for (double f : {0.2, 0.7, 1.5, 3.0}) answers << f * mean << "\n";
    EngineRun local;
    EngineRun& run = keep ? *keep : local;
    run.folder.write("SIS.DAT", bytes);
    brenta::testing::runIn(run, {"SIS"}, answers.str());
    EXPECT_EQ(run.status, 0) << run.err;
    const SimulatedSummary summary = readSimulatedSummary(run.file("resumen.TXT"));
    EXPECT_EQ(summary.trials, kTrials);
    EXPECT_EQ(summary.reliability.size(), 4u);
    Checked c{*compare(summary, exact)};
    for (const auto& r : c.comparison.reliability) {
        c.largestZ = std::max(c.largestZ, std::fabs(r.value.z));
    }
    c.largestZ = std::max(c.largestZ, std::fabs(c.comparison.meanLife.z));
    for (const auto& d : c.comparison.duplications) {
        c.largestZ = std::max(c.largestZ, std::fabs(d.meanLife.z));
    }
    return c;
}

void expectAgreement(const std::string& what, const std::string& bytes) {
    const Checked c = simulateAndCompare(bytes);
    EXPECT_EQ(c.comparison.markedCount(), 0) << what << ": largest |z| " << c.largestZ;
    const brenta::SystemData s = brenta::testing::parse(bytes);
    if (s.redundancy()) {
        EXPECT_EQ(c.comparison.duplications.size(), modelOf(s).elements.size()) << what;
    }
    std::cout << what << ": largest |z| " << c.largestZ << "\n";
}

TEST(BrentaAgreement, Examples) {
    for (const char* name : {"SERIE", "PARALELO", "SERPAR", "PARSER", "GENERAL"}) {
        const std::string bytes = brenta::testing::readFile(std::string(FARVIK_SOURCE_DIR) +
                                                            "/examples/" + name + ".DAT");
        expectAgreement(name, withTrials(bytes, kTrials));
    }
}

El randomElement(std::mt19937& random) {
    std::uniform_real_distribution<double> u(0, 1);
    const auto between = [&](double a, double b) { return a + (b - a) * u(random); };
    switch (random() % 5) {
        case 0:
            return exponential(between(0.0005, 0.005));
        case 1:
            return weibull(between(0.5, 3), between(100, 1000));
        case 2:
            return lognormalOfNormal(between(4, 7), between(0.2, 1));
        case 3: {
            const double mean = between(100, 1000);
            return lognormal(mean, mean * between(0.1, 1));
        }
        default: {
            const double mean = between(50, 1000);
            return normal(mean, mean * between(0.05, 1.2));
        }
    }
}

std::string randomSystem(int code, std::mt19937& random) {
    const int seed = 1 + int(random() % 10000);
    if (code == 5) {
        const int n = 3 + int(random() % 5);
        std::vector<std::pair<int, El>> keyed;
        for (int k = 1; k <= n; ++k) keyed.push_back({k, randomElement(random)});
        std::shuffle(keyed.begin(), keyed.end(), random);  // blocks in any order
        std::vector<std::vector<int>> keys(2 + random() % 4);
        for (auto& path : keys) {
            for (int m = 0, size = 1 + int(random() % 4); m < size; ++m) {
                path.push_back(1 + int(random() % n));  // keys may repeat and be shared
            }
        }
        return farvik::dataFileBytes(brenta::testing::general(1, keyed, keys, seed, kTrials));
    }
    const int count = code <= 2 ? 1 : 2 + int(random() % 2);
    std::vector<std::vector<El>> subs(count);
    for (auto& row : subs) {
        for (int m = 0, size = (code <= 2 ? 2 : 1) + int(random() % 3); m < size; ++m) {
            row.push_back(randomElement(random));
        }
    }
    return farvik::dataFileBytes(brenta::testing::subsystems(code, 1, subs, seed, kTrials));
}

TEST(BrentaAgreement, RandomSystemsOfEveryCode) {
    std::mt19937 random(2024);
    for (int code = 1; code <= 5; ++code) {
        for (int n = 0; n < 3; ++n) {
            expectAgreement("code " + std::to_string(code) + " system " + std::to_string(n),
                            randomSystem(code, random));
        }
    }
}

// Every time 3% shorter than the engine draws it.
ElementState shortened(const ElementLaw& law, double t) {
    return elementState(law, t / 0.97);
}

TEST(BrentaAgreement, AWrongSurvivalFunctionIsCaught) {
    const std::string bytes = withTrials(
        brenta::testing::readFile(std::string(FARVIK_SOURCE_DIR) + "/examples/SERPAR.DAT"),
        kTrials);
    EXPECT_EQ(simulateAndCompare(bytes).comparison.markedCount(), 0);
    const Checked wrong = simulateAndCompare(bytes, shortened);
    EXPECT_GT(wrong.comparison.markedCount(), 0) << "largest |z| " << wrong.largestZ;
    EXPECT_TRUE(wrong.comparison.meanLife.marked);
}

}  // namespace
}  // namespace farvik::analysis
