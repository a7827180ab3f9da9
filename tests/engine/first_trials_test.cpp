// fallo.txt and redun.TXT: headers, the first 20 trials, lines of at most 100 values.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "first_trials.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::El;
using testing::EngineRun;
using testing::general;
using testing::subsystems;

std::string label(const std::string& text) {
    return std::string(17 - text.size(), ' ') + text;
}

TEST(FirstTrials, SeriesOfThreeHeaderAndRows) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{1, 0.001}, {1, 0.002}, {1, 0.003}}}, 1, 21));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = r.lines("fallo.txt");
    ASSERT_EQ(lines.size(), 4u + 20u) << "exactly 20 rows for 21 trials";
    EXPECT_EQ(lines[0], " TIEMPOS HASTA EL FALLO EN LAS \t20 PRIMERAS PRUEBAS");
    EXPECT_EQ(lines[1], " " + std::string(51, '-'));
    EXPECT_EQ(lines[2], " tipo de sistema           4");
    EXPECT_EQ(lines[3], label("  elem.     ") + label("  elem.     ") + label("  elem.     ") +
                            label("   fallosub ") + label("  fallosis"));
    const auto times = testing::listing(r);
    for (int k = 0; k < 20; ++k) {
        const std::string& row = lines[4 + k];
        ASSERT_EQ(row.size(), 2u + 5 * 17) << k;
        EXPECT_EQ(row.substr(0, 4), "    ");
        const double e1 = std::stod(row.substr(4, 15)), e2 = std::stod(row.substr(21, 15)),
                     e3 = std::stod(row.substr(38, 15));
        const std::string sub = row.substr(53, 17), sis = row.substr(70, 17);
        EXPECT_EQ(sub, sis) << "one subsystem: its time is the system's";
        EXPECT_EQ(std::stod(sis), std::min({e1, e2, e3}));
        EXPECT_EQ(std::stod(sis), times[k]);
        EXPECT_EQ(sis[2 + 11], 'E');
    }
}

TEST(FirstTrials, FewerTrialsFewerRows) {
    EngineRun r;
    runSystem(r, subsystems(2, 2, {{{1, 0.001}, {1, 0.002}}}, 1, 7));
    EXPECT_EQ(r.lines("fallo.txt").size(), 4u + 7u);
    EXPECT_EQ(r.lines("fallo.txt")[2], " tipo de sistema           3");
}

TEST(FirstTrials, PathLabelsAndClassFive) {
    EngineRun r;
    runSystem(r, general(2, {{1, {1, 0.01}}, {2, {1, 0.01}}}, {{1, 2}, {2}}, 1, 3));
    const auto lines = r.lines("fallo.txt");
    EXPECT_EQ(lines[2], " tipo de sistema           5");
    EXPECT_EQ(lines[3], label("  elem.     ") + label("  elem.     ") + label("  fallosub  ") +
                            label("  elem.     ") + label("  fallosub  ") + label("  fallosis"));
}

TEST(FirstTrials, LinesHoldAtMostOneHundredValues) {
    // Two subsystems of 50: 102 labels and the system's make 103 values a trial.
    std::vector<El> fifty(50, El{1, 0.01});
    EngineRun r;
    runSystem(r, subsystems(3, 1, {fifty, fifty}, 1, 2));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto fallo = r.lines("fallo.txt");
    ASSERT_EQ(fallo.size(), 3u + 2u + 2u * 2u);
    EXPECT_EQ(fallo[3].size(), 100u * 17u);
    EXPECT_EQ(fallo[4], label("  elem.     ") + label("   fallosub ") + label("  fallosis"));
    EXPECT_EQ(fallo[5].size(), 2u + 100u * 17u);
    EXPECT_EQ(fallo[6].size(), 3u * 17u) << "continued without the row's two blanks";

    const auto redun = r.lines("redun.TXT");
    EXPECT_EQ(redun[3].size(), 30u + 100u * 17u);
    EXPECT_EQ(redun[4].size(), 3u * 17u);
    // Each trial has 100 cells, each a row of two lines.
    ASSERT_EQ(redun.size(), 5u + 2u * 100u * 2u);
    EXPECT_EQ(redun[5].substr(0, 30), "         1     1     1        ");
    EXPECT_EQ(redun[6].size(), 3u * 17u);
    EXPECT_EQ(redun[7].substr(0, 30), "         1     2     1        ");
}

TEST(FirstTrials, RedunHeaderByClass) {
    EngineRun three, four;
    runSystem(three, subsystems(2, 1, {{{1, 0.01}}}, 1, 1));
    runSystem(four, subsystems(1, 1, {{{1, 0.01}}}, 1, 1));
    const std::string tail =
        "  " + label("  elem.     ") + label("   fallosub ") + label("  fallosis");
    EXPECT_EQ(three.lines("redun.TXT")[3], "        prueb.    el.   sis." + tail);
    EXPECT_EQ(four.lines("redun.TXT")[3], "        prueb.  elem.   sis." + tail);
    EXPECT_EQ(three.lines("redun.TXT")[0], " TIEMPOS HASTA EL FALLO EN LAS \t20 PRIMERAS PRUEBAS");
}

TEST(FirstTrials, RedunRowsCarryTheDuplicateInTheTrialVector) {
    // Parallel pair of fixed times with random duplicates: each row shows the pair's time.
    EngineRun r;
    runSystem(r, subsystems(2, 1, {{{5, 10, 0}, {5, 20, 0}}}, 1, 21));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = r.lines("redun.TXT");
    ASSERT_EQ(lines.size(), 4u + 20u * 2u);
    for (int k = 1; k <= 20; ++k) {
        const std::string& first = lines[4 + 2 * (k - 1)];
        const std::string& second = lines[5 + 2 * (k - 1)];
        char prefix[40];
        std::snprintf(prefix, sizeof prefix, "    %6d%6d%6d        ", k, 1, 1);
        EXPECT_EQ(first.substr(0, 30), prefix);
        std::snprintf(prefix, sizeof prefix, "    %6d%6d%6d        ", k, 2, 1);
        EXPECT_EQ(second.substr(0, 30), prefix);
        EXPECT_EQ(first.substr(30),
                  "  1.000000000E+01  2.000000000E+01  2.000000000E+01  2.000000000E+01");
        EXPECT_EQ(second.substr(30), first.substr(30));
    }
}

std::vector<std::string> valuesOf(const std::string& text) {
    std::vector<std::string> values;
    std::istringstream words(text);
    for (std::string w; words >> w;) values.push_back(w);
    return values;
}

TEST(FirstTrials, EachRedunRowIsItsOwnTrialsVectorWithOnlyTheDuplicatesChanges) {
    // Rows long enough to be written from the trial's text rather than copied: a row of
    // trial k must show trial k's times, not those of the trial built after it.
    std::vector<std::vector<El>> subs(2, std::vector<El>(30, El{1, 0.001}));
    for (int code : {3, 4}) {
        EngineRun r;
        runSystem(r, subsystems(code, 1, subs, 7, 25));
        ASSERT_EQ(r.status, 0) << r.err;
        const auto fallo = r.lines("fallo.txt");
        const auto redun = r.lines("redun.TXT");
        ASSERT_EQ(fallo.size(), 4u + 20u);
        ASSERT_EQ(redun.size(), 4u + 20u * 60u);
        std::size_t line = 4;
        for (int k = 1; k <= 20; ++k) {
            const auto trial = valuesOf(fallo[3 + k]);
            ASSERT_EQ(trial.size(), 63u);
            for (int i = 1; i <= 2; ++i) {
                for (int j = 1; j <= 30; ++j, ++line) {
                    const auto row = valuesOf(redun[line]);
                    ASSERT_EQ(row.size(), 66u);
                    ASSERT_EQ(row[0], std::to_string(k));
                    ASSERT_EQ(row[1], std::to_string(j));
                    ASSERT_EQ(row[2], std::to_string(i));
                    const std::size_t cell = (i - 1) * 31 + (j - 1);
                    const std::size_t rowTime = (i - 1) * 31 + 30;
                    for (std::size_t v = 0; v + 1 < trial.size(); ++v) {
                        if (v == cell || v == rowTime) continue;
                        ASSERT_EQ(row[3 + v], trial[v])
                            << "code " << code << " trial " << k << " cell " << j << "," << i;
                    }
                    // The pair outlives its element.
                    EXPECT_GE(std::stod(row[3 + cell]), std::stod(trial[cell]));
                }
            }
        }
    }
}

// A row's place in redun.TXT is settled before it is written, from its length: the bytes
// it takes, whether its changed values fit in the places of the old ones or (a negative
// value) the whole vector is written anew; from a change and from a working table alike.
TEST(FirstTrials, ARedunRowTakesTheLengthSettledForIt) {
    // Two rows of 50 elements: 103 values make lines of 100 and 3.
    const SystemData s = testing::systemOf(subsystems(
        3, 1, {std::vector<El>(50, El{1, 0.001}), std::vector<El>(50, El{1, 0.002})}, 1, 20));
    Table50<double> t;
    double rowTimes[3] = {0, 0, 0};
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= s.nelsub[i]; ++j) t(j, i) = 10.0 * j + i;
        rowTimes[i] = 30.0 + i;
    }
    TrialVectorText vector(s);
    vector.build(t, rowTimes, 31.0);
    testing::TempFolder folder;
    const std::string path = (folder.path() / "redun.TXT").string();
    auto bytesOf = [&](auto write) {
        OutputFile out;
        out.create(path);
        write(out);
        out.close();
        return folder.read("redun.TXT").size();
    };
    const Position cell{7, 2};
    for (double pair : {123.25, 17.0, -4.5}) {
        for (double system : {31.0, 44.5, -1.0}) {
            const RowTime row{2, pair};
            const DuplicateChange change{pair, &cell, 1, &row, 1};
            EXPECT_EQ(redunRowLength(3, 7, 2, vector, change, system),
                      bytesOf([&](OutputFile& out) {
                          writeRedunRow(out, 3, 7, 2, vector, change, system);
                      }))
                << pair << " " << system;
            Table50<double> work = t;
            work(7, 2) = pair;
            double workRows[3] = {0, rowTimes[1], pair};
            EXPECT_EQ(redunRowLength(3, 7, 2, vector, work, workRows, system),
                      bytesOf([&](OutputFile& out) {
                          writeRedunRow(out, 3, 7, 2, vector, work, workRows, system);
                      }))
                << pair << " " << system;
        }
    }
    EXPECT_EQ(redunRowLength(20, 50, 2, vector, t, rowTimes, 31.0), 30 + vector.text().size());
}

}  // namespace
}  // namespace brenta
