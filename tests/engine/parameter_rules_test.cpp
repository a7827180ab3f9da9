// The engine refuses exactly the parameters the shared rules refuse, in the rules' words, and
// the mean life the rules give is the mean of what the engine draws.
#include "parameter_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine_error.h"
#include "mean_life.h"
#include "muestra.h"
#include "test_systems.h"

namespace brenta {
namespace {

using farvik::ParameterStage;
using testing::El;
using testing::general;
using testing::parse;
using testing::subsystems;

// The engine's whole message, or "" when it reads the file.
std::string refusalOf(const std::string& bytes, ExitStatus* status = nullptr) {
    try {
        parse(bytes);
    } catch (const EngineError& e) {
        if (status) *status = e.status();
        return e.what();
    }
    if (status) *status = kExitOk;
    return "";
}

// Line (1-based) of the value that follows the n-th line starting with `label`.
int valueLine(const farvik::DataFileContent& c, const std::string& label, int nth) {
    const auto lines = farvik::dataFileLines(c);
    int seen = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(label, 0) == 0 && ++seen == nth) return int(i) + 2;
    }
    ADD_FAILURE() << "no line " << label;
    return 0;
}

struct Case {
    int code;
    double p1, p2;
    ParameterStage stage;  // of the refusal
    const char* words;     // the engine's words; nullptr when the parameters are sound
};

const char* const kLives = "los tiempos de fallo pueden pasar de 1E+149";
constexpr auto kFirst = ParameterStage::First;
constexpr auto kSecond = ParameterStage::Second;
constexpr auto kPair = ParameterStage::Pair;

const Case kCases[] = {
    {1, 0.0, 0, kFirst, "la tasa de fallo debe ser mayor que 0"},
    {1, -0.5, 0, kFirst, "la tasa de fallo debe ser mayor que 0"},
    {1, 1e-160, 0, kFirst, kLives},
    {1, 1e-147, 0, kFirst, nullptr},
    {1, 0.001, 0, kFirst, nullptr},
    {2, 0.0, 100, kFirst, "el parámetro de forma debe ser mayor que 0"},
    {2, -1.5, -100, kFirst, "el parámetro de forma debe ser mayor que 0"},
    {2, 1.5, -100, kSecond, "el parámetro de escala no puede ser negativo"},
    {2, 1.0, 1e149, kSecond, kLives},
    {2, 0.005, 1, kSecond, kLives},  // 21^200
    {2, 1.5, 0, kFirst, nullptr},
    {2, 1.5, 1200, kFirst, nullptr},
    {3, 2.0, -0.1, kSecond, "la desviación típica no puede ser negativa"},
    {3, 800, 1, kPair, kLives},
    {3, 340, 1, kPair, kLives},
    {3, -800, 0, kFirst, nullptr},
    {3, 6.5, 0.4, kFirst, nullptr},
    {4, 0.0, 1, kFirst, "la media de la lognormal debe ser mayor que 0"},
    {4, -3, -1, kFirst, "la media de la lognormal debe ser mayor que 0"},
    {4, 10, -1, kSecond, "la desviación típica no puede ser negativa"},
    {4, 1e146, 1e146, kPair, kLives},
    {4, 1e100, 1e100, kFirst, nullptr},
    {4, 800, 300, kFirst, nullptr},
    {5, 10, -1, kSecond, "la desviación típica no puede ser negativa"},
    {5, -51, 10, kSecond, "la media está más de 5 desviaciones típicas por debajo de 0"},
    {5, -1, 0, kSecond, "la media está más de 5 desviaciones típicas por debajo de 0"},
    {5, 2e149, 0, kSecond, kLives},
    {5, -50, 10, kFirst, nullptr},
    {5, 0, 0, kFirst, nullptr},
    {5, 1e148, 0, kFirst, nullptr},
};

std::string describe(const Case& c) {
    return "code " + std::to_string(c.code) + " (" + testing::text(c.p1) + ", " +
           testing::text(c.p2) + ")";
}

// Each case as the second element of a subsystem and as the element keyed 7 of a general
// system: the engine's message is the rules' first fault, at the line of the value it
// concerns, and nothing is refused where the rules find nothing.
TEST(ParameterRules, EngineRefusesWhatTheRulesRefuseInTheirWords) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(describe(c));
        const auto faults = farvik::parameterFaults(c.code, c.p1, c.p2);
        const El bad{c.code, c.p1, c.p2};
        const auto bySubsystem = subsystems(3, 2, {{{1, 0.1}}, {{1, 0.1}, bad}});
        auto byKey = general(2, {{2, {1, 0.1}}, {7, bad}}, {{2, 7}});
        byKey.dimension = "7";
        ExitStatus status;
        const std::string subsystemMessage = refusalOf(farvik::dataFileBytes(bySubsystem), &status);
        if (!c.words) {
            EXPECT_TRUE(faults.empty()) << faults.front().words;
            EXPECT_EQ(subsystemMessage, "");
            EXPECT_EQ(refusalOf(farvik::dataFileBytes(byKey)), "");
            continue;
        }
        ASSERT_FALSE(faults.empty());
        EXPECT_EQ(faults.front().stage, c.stage);
        EXPECT_EQ(faults.front().words, c.words);
        EXPECT_EQ(status, kExitBadParameter);
        // Parameter 1 and 2 are refused on their own lines, the pair on the third's.
        const int k = c.stage == kPair ? 3 : static_cast<int>(c.stage);
        const std::string label = "Parámetro " + std::to_string(k);
        EXPECT_EQ(subsystemMessage, "prueba.DAT, línea " +
                                        std::to_string(valueLine(bySubsystem, label, 3)) + ": " +
                                        farvik::parameterRefusal(faults.front(), "2-2"));
        EXPECT_EQ(refusalOf(farvik::dataFileBytes(byKey)),
                  "prueba.DAT, línea " + std::to_string(valueLine(byKey, label, 2)) + ": " +
                      farvik::parameterRefusal(faults.front(), "7"));
    }
}

TEST(ParameterRules, RefusalTextsAreTheEnginesOwn) {
    EXPECT_EQ(farvik::parameterRefusal({kFirst, "la tasa de fallo debe ser mayor que 0"}, "1-2"),
              "parámetro 1 del elemento 1-2: la tasa de fallo debe ser mayor que 0");
    EXPECT_EQ(farvik::parameterRefusal({kPair, kLives}, "7"),
              "parámetros del elemento 7: los tiempos de fallo pueden pasar de 1E+149");
    EXPECT_EQ(farvik::trialsFault(0).value_or(""),
              "el número de pruebas debe ser al menos 1 (se leyó 0)");
    EXPECT_FALSE(farvik::trialsFault(1));
    auto c = subsystems(1, 2, {{{1, 0.1}}}, 1, 0);
    EXPECT_EQ(refusalOf(farvik::dataFileBytes(c)),
              "prueba.DAT, línea " + std::to_string(valueLine(c, "Número de pruebas:", 1)) + ": " +
                  *farvik::trialsFault(0));
    auto g = general(2, {{1, {1, 0.1}}, {2, {1, 0.1}}}, {{1}, {2, 9}});
    ExitStatus status;
    EXPECT_EQ(
        refusalOf(farvik::dataFileBytes(g), &status),
        "prueba.DAT, línea " +
            std::to_string(valueLine(g, "Nombres de los elementos en serie del camino 2", 1) + 1) +
            ": " + farvik::unknownPathKeyWords(2, 9));
    EXPECT_EQ(status, kExitUnknownPathKey);
    EXPECT_EQ(farvik::unknownPathKeyWords(2, 9),
              "el camino 2 nombra el elemento 9, que no tiene datos en el fichero");
}

// Every fault of an element, not only the first: the editor marks each box.
TEST(ParameterRules, ListsEveryFaultWithoutUnsoundFollowers) {
    auto f = farvik::parameterFaults(2, 0.0, -1);  // both Weibull parameters wrong
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].stage, kFirst);
    EXPECT_EQ(f[1].words, "el parámetro de escala no puede ser negativo");
    // A bad shape says nothing of the lives a sound scale gives.
    f = farvik::parameterFaults(2, 0.0, 100);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].stage, kFirst);
    f = farvik::parameterFaults(4, 0.0, -1);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_TRUE(f[0].concernsFirst() && !f[0].concernsSecond());
    EXPECT_TRUE(f[1].concernsSecond() && !f[1].concernsFirst());
    f = farvik::parameterFaults(3, 800, 1);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_TRUE(f[0].concernsFirst() && f[0].concernsSecond());
    // Codes outside 1..5 are the reader's business, not the parameters'.
    EXPECT_TRUE(farvik::parameterFaults(0, -1, -1).empty());
    EXPECT_TRUE(farvik::parameterFaults(6, -1, -1).empty());
    EXPECT_TRUE(farvik::parameterFaults(1, NAN, 0).size() == 1);
}

// The mean life of the rules against the mean of 200000 draws of the engine's own sampler:
// a parameter taken in the wrong order or a conversion done differently shows at once.
TEST(ParameterRules, MeanLifeIsTheMeanOfTheEnginesDraws) {
    const El elements[] = {
        {1, 0.002},    {2, 1.5, 1200}, {2, 0.7, 50}, {3, 6.5, 0.4},
        {4, 800, 300}, {5, 1000, 200}, {5, 1, 1},    {5, -10, 4},
    };
    for (const El& e : elements) {
        SCOPED_TRACE(describe({e.dist, e.p1, e.p2, kFirst, nullptr}));
        const auto mean = farvik::meanLife(e.dist, e.p1, e.p2);
        ASSERT_TRUE(mean);
        SystemData s = testing::systemOf(subsystems(1, 2, {{e}}, 5));
        Generator g(s.iseed);
        constexpr int kDraws = 200000;
        double sum = 0, sum2 = 0;
        for (int n = 0; n < kDraws; ++n) {
            double t = 0;
            muestra(g, s, 1, 1, t);
            sum += t;
            sum2 += t * t;
        }
        const double m = sum / kDraws;
        const double error = std::sqrt((sum2 / kDraws - m * m) / (kDraws - 1));
        EXPECT_NEAR(m, *mean, 5 * error);
    }
}

}  // namespace
}  // namespace brenta
