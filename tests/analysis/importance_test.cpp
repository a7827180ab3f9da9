// Importance measures, failure causes and sensitivities against computations of their own:
// closed forms for series, parallel and 2-out-of-3 systems, the definitions evaluated with
// the element made perfect or failed, and finite differences of the exact R and mean life
// on random systems of every structure code and distribution.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis_systems.h"
#include "distributions.h"
#include "importance.h"
#include "law_parameters.h"
#include "sensitivity.h"

namespace farvik::analysis {
namespace {

using namespace testing;

// A random system of structure code `code` with elements of every distribution, lives of
// the same order and no fixed lives (which have no derivative).
ExactSystem randomSystem(std::mt19937& rng, int code) {
    std::uniform_real_distribution<double> u(0, 1);
    auto randomElement = [&]() -> El {
        switch (rng() % 5) {
            case 0:
                return exponential(0.0005 + 0.002 * u(rng));
            case 1:
                return weibull(0.7 + 2 * u(rng), 500 + 1000 * u(rng));
            case 2:
                return lognormalOfNormal(6 + u(rng), 0.2 + 0.6 * u(rng));
            case 3:
                return lognormal(500 + 1000 * u(rng), 100 + 400 * u(rng));
            default:
                return normal(400 + 800 * u(rng), 50 + 300 * u(rng));
        }
    };
    if (code == 5) {
        const int n = 3 + rng() % 5;
        std::vector<El> elements;
        for (int k = 0; k < n; ++k) elements.push_back(randomElement());
        std::vector<std::vector<int>> keys(2 + rng() % 4);
        for (auto& path : keys) {
            const int length = 1 + rng() % 3;
            for (int m = 0; m < length; ++m) path.push_back(1 + rng() % n);
        }
        return paths(elements, keys);
    }
    const int subsystems = code <= 2 ? 1 : 2 + rng() % 2;
    std::vector<std::vector<El>> subs(subsystems);
    for (auto& sub : subs) {
        const int count = 1 + rng() % 3;
        for (int k = 0; k < count; ++k) sub.push_back(randomElement());
    }
    return rows(code, subs);
}

// The system with parameter k of element e, as the data file gives it, moved by h.
ExactSystem moved(const ExactSystem& s, int e, int k, double h) {
    SystemModel model = s.model();
    ElementLaw& law = model.elements[e].law;
    if (law.code == 4) {
        double m = givenParameter(law, 1), d = givenParameter(law, 2);
        (k == 1 ? m : d) += h;
        lognormalFromMoments(m, d, law.p1, law.p2);
    } else {
        (k == 1 ? law.p1 : law.p2) += h;
    }
    return ExactSystem(model);
}

// R with element k's survival set to `p`.
double reliabilityWith(const ExactSystem& s, double t, std::size_t k, double p) {
    std::vector<double> ps, qs;
    s.elementStates(t, ps, qs);
    ps[k] = p;
    qs[k] = 1 - p;
    return s.structure().reliability(ps.data(), qs.data());
}

TEST(Importance, SeriesParallelAndTwoOutOfThreeInClosedForm) {
    const double a = 0.001, b = 0.002, c = 0.004, t = 150;
    const double pa = std::exp(-a * t), pb = std::exp(-b * t), pc = std::exp(-c * t);

    const auto series =
        importanceAt(rows(1, {{exponential(a), exponential(b), exponential(c)}}), t);
    const double fs = 1 - pa * pb * pc;
    EXPECT_NEAR(series[0].birnbaum, pb * pc, 1e-15);
    EXPECT_NEAR(series[0].criticality, (1 - pa) * pb * pc / fs, 1e-14);
    EXPECT_NEAR(series[1].fussellVesely, (1 - pb) * pa * pc / fs, 1e-14);
    EXPECT_NEAR(series[2].achievementWorth, 1 / fs, 1e-12);
    EXPECT_NEAR(series[2].reductionWorth, fs / (1 - pa * pb), 1e-12);

    // In parallel each element alone keeps the system: repairing it leaves nothing to fail.
    const auto parallel =
        importanceAt(rows(2, {{exponential(a), exponential(b), exponential(c)}}), t);
    EXPECT_NEAR(parallel[1].birnbaum, (1 - pa) * (1 - pc), 1e-15);
    EXPECT_NEAR(parallel[1].criticality, 1, 1e-14);
    EXPECT_NEAR(parallel[1].achievementWorth, 1 / (1 - pb), 1e-12);
    EXPECT_TRUE(std::isinf(parallel[1].reductionWorth) && parallel[1].reductionWorth > 0);

    // 2 out of 3 built from its paths: IB_1 = p2 + p3 - 2 p2 p3.
    const auto two = importanceAt(
        paths({exponential(a), exponential(b), exponential(c)}, {{1, 2}, {1, 3}, {2, 3}}), t);
    EXPECT_NEAR(two[0].birnbaum, pb + pc - 2 * pb * pc, 1e-15);
    EXPECT_NEAR(two[2].birnbaum, pa + pb - 2 * pa * pb, 1e-15);
}

TEST(Importance, ASystemThatCannotFailGivesInfAndNan) {
    // At t = 0 nothing has failed: every F is 0, and so are the numerators of IC and FV.
    const auto m = importanceAt(rows(1, {{exponential(0.01), weibull(2, 100)}}), 0);
    EXPECT_DOUBLE_EQ(m[0].birnbaum, 1);
    EXPECT_TRUE(std::isnan(m[0].criticality));
    EXPECT_TRUE(std::isnan(m[0].fussellVesely));
    EXPECT_TRUE(std::isinf(m[0].achievementWorth));  // failed, it fails the system
    EXPECT_TRUE(std::isnan(m[0].reductionWorth));
    EXPECT_TRUE(std::isinf(ratio(2, 0)));
    EXPECT_FALSE(std::signbit(ratio(0, 0)));
}

TEST(Importance, DefinitionsHoldOnRandomSystemsOfEveryCode) {
    std::mt19937 rng(27);
    for (int code = 1; code <= 5; ++code) {
        for (int trial = 0; trial < 4; ++trial) {
            const ExactSystem s = randomSystem(rng, code);
            for (double t : {100.0, 600.0, 1500.0}) {
                const double r = s.reliability(t);
                std::vector<double> ps, qs;
                s.elementStates(t, ps, qs);
                const double f = s.structure().unreliability(ps.data(), qs.data());
                EXPECT_NEAR(f, 1 - r, 1e-15);
                const auto list = importanceAt(s, t);
                for (std::size_t k = 0; k < list.size(); ++k) {
                    const double r1 = reliabilityWith(s, t, k, 1);
                    const double r0 = reliabilityWith(s, t, k, 0);
                    const Importance& m = list[k];
                    SCOPED_TRACE("code " + std::to_string(code) + " element " +
                                 s.model().elements[k].label + " t " + std::to_string(t));
                    EXPECT_NEAR(m.birnbaum, r1 - r0, 1e-13);
                    // The definitions as differences of R lose the digits of a small F:
                    // compared where F keeps enough of them.
                    if (f < 1e-6) continue;
                    EXPECT_NEAR(m.criticality, (r1 - r0) * qs[k] / f, 1e-8);
                    EXPECT_NEAR(m.fussellVesely, (r1 - r) / f, 1e-8);
                    EXPECT_NEAR(m.achievementWorth, (1 - r0) / f, 1e-8 * m.achievementWorth);
                    if (1 - r1 > 1e-6) {
                        EXPECT_NEAR(m.reductionWorth, f / (1 - r1), 1e-8 * m.reductionWorth);
                    }
                }
                // Birnbaum's is dR/dp: a finite difference of R in the element's survival.
                const double h = 1e-6;
                for (std::size_t k = 0; k < list.size(); ++k) {
                    const double p = std::min(std::max(ps[k], h), 1 - h);
                    const double fd =
                        (reliabilityWith(s, t, k, p + h) - reliabilityWith(s, t, k, p - h)) /
                        (2 * h);
                    EXPECT_NEAR(list[k].birnbaum, fd, 1e-8);
                }
            }
        }
    }
}

TEST(FailureCauses, SeriesAndParallelInClosedFormAndSharesAddUpToOne) {
    // In series the first failure fails the system: element i with rate l_i is first with
    // probability l_i / sum.
    const double a = 0.001, b = 0.003, c = 0.0005;
    const auto series =
        failureCauses(rows(1, {{exponential(a), exponential(b), exponential(c)}})).value();
    EXPECT_NEAR(series[0].value, a / (a + b + c), 1e-12);
    EXPECT_NEAR(series[1].value, b / (a + b + c), 1e-12);
    // In parallel the last one: for two, P(T_a > T_b) = b / (a + b).
    const auto parallel = failureCauses(rows(2, {{exponential(a), exponential(b)}})).value();
    EXPECT_NEAR(parallel[0].value, b / (a + b), 1e-12);
    // An element on no minimal path (path {1, 2} holds {1}) never causes a failure.
    const auto covered =
        failureCauses(paths({exponential(a), exponential(b)}, {{1}, {1, 2}})).value();
    EXPECT_NEAR(covered[0].value, 1, 1e-12);
    EXPECT_EQ(covered[1].value, 0);

    std::mt19937 rng(5);
    for (int code = 1; code <= 5; ++code) {
        for (int trial = 0; trial < 4; ++trial) {
            const ExactSystem s = randomSystem(rng, code);
            const auto causes = failureCauses(s).value();
            double sum = 0;
            for (const Estimate& e : causes) {
                EXPECT_GE(e.value, -1e-15);
                sum += e.value;
            }
            EXPECT_NEAR(sum, 1, 1e-9) << "code " << code;
        }
    }
}

TEST(FailureCauses, AFixedLifeCountsItsImportanceAtThatTime) {
    // A fixed life of 500 in parallel with an exponential: it causes the failure when the
    // exponential has already failed, e^(-500 l) the other way round.
    const double l = 0.002;
    const auto causes = failureCauses(rows(2, {{normal(500, 0), exponential(l)}})).value();
    EXPECT_NEAR(causes[0].value, -std::expm1(-500 * l), 1e-14);
    EXPECT_NEAR(causes[1].value, std::exp(-500 * l), 1e-12);
}

TEST(Sensitivity, ClosedFormsOfSeriesAndOfOneWeibull) {
    const double a = 0.001, b = 0.002;
    const ExactSystem series = rows(1, {{exponential(a), exponential(b)}});
    const auto list = meanLifeSensitivities(series).value();
    ASSERT_EQ(list.size(), 2u);  // the exponential's rate only
    EXPECT_NEAR(list[0].derivative, -1 / ((a + b) * (a + b)), 1e-9 / ((a + b) * (a + b)));
    EXPECT_NEAR(list[0].elasticity, -a / (a + b), 1e-11);

    // One Weibull: mean = scale G(1 + 1/shape); elasticity 1 in its scale.
    const double shape = 1.7, scale = 900;
    const auto weibullList = meanLifeSensitivities(rows(1, {{weibull(shape, scale)}})).value();
    ASSERT_EQ(weibullList.size(), 2u);
    const double g = std::tgamma(1 + 1 / shape);
    const double digamma =
        (std::lgamma(1 + 1 / shape + 1e-6) - std::lgamma(1 + 1 / shape - 1e-6)) / 2e-6;
    EXPECT_NEAR(weibullList[0].derivative, -scale * g * digamma / (shape * shape), 1e-6);
    EXPECT_NEAR(weibullList[1].derivative, g, 1e-11);
    EXPECT_NEAR(weibullList[1].elasticity, 1, 1e-11);

    // R of an exponential: dR/dl = -t e^(-l t), elasticity -l t.
    const auto r = reliabilitySensitivities(rows(1, {{exponential(a)}}), 300);
    EXPECT_NEAR(r[0].derivative, -300 * std::exp(-a * 300), 1e-12);
    EXPECT_NEAR(r[0].elasticity, -a * 300, 1e-13);
}

TEST(Sensitivity, AgreesWithFiniteDifferencesOnRandomSystemsOfEveryCode) {
    std::mt19937 rng(91);
    for (int code = 1; code <= 5; ++code) {
        for (int trial = 0; trial < 3; ++trial) {
            const ExactSystem s = randomSystem(rng, code);
            const double mean = s.meanLife().value;
            const auto list = meanLifeSensitivities(s).value();
            const double t = 0.8 * mean;
            const auto atT = reliabilitySensitivities(s, t);
            ASSERT_EQ(list.size(), atT.size());
            for (std::size_t n = 0; n < list.size(); ++n) {
                const Sensitivity& x = list[n];
                SCOPED_TRACE("code " + std::to_string(code) + " element " +
                             s.model().elements[x.element].label + " parameter " +
                             std::to_string(x.parameter));
                // Central differences extrapolated (error of order h^4), checked to 1e-7 of
                // the scales mean / value and 1 / value on which the elasticities read them.
                const double h = 1e-3 * std::fabs(x.value);
                auto central = [&](double step, double t) {
                    const ExactSystem up = moved(s, x.element, x.parameter, step);
                    const ExactSystem down = moved(s, x.element, x.parameter, -step);
                    return std::pair<double, double>{
                        (up.meanLife().value - down.meanLife().value) / (2 * step),
                        (up.reliability(t) - down.reliability(t)) / (2 * step)};
                };
                const auto wide = central(h, t), narrow = central(h / 2, t);
                const double fd = (4 * narrow.first - wide.first) / 3;
                const double fdR = (4 * narrow.second - wide.second) / 3;
                EXPECT_NEAR(x.derivative, fd, 1e-7 * mean / std::fabs(x.value));
                EXPECT_NEAR(x.elasticity, x.value / mean * x.derivative, 1e-12);
                EXPECT_NEAR(atT[n].derivative, fdR, 1e-7 / std::fabs(x.value));
            }
        }
    }
}

TEST(Sensitivity, AFixedLifeMovesTheMeanByItsImportance) {
    // A fixed life m in parallel with an exponential: mean = m + e^(-m l) / l, whose
    // derivative in m is 1 - e^(-m l).
    const double l = 0.002;
    const auto list = meanLifeSensitivities(rows(2, {{normal(500, 0), exponential(l)}})).value();
    EXPECT_NEAR(list[0].derivative, 1 - std::exp(-500 * l), 1e-14);
    EXPECT_EQ(list[1].derivative, 0);  // its spread
}

}  // namespace
}  // namespace farvik::analysis
