// tablafia.txt, built from the listing of system times.
#include "reliability_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>

#include "number_format.h"
#include "output_file.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::EngineRun;
using testing::subsystems;

struct Row {
    double lower, upper;
    int failures;
    double reliability, rate;
};

std::vector<Row> rows(const EngineRun& r) {
    const auto lines = r.lines("tablafia.txt");
    std::vector<Row> out;
    for (std::size_t i = 5; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        EXPECT_EQ(l.size(), 68u) << l;
        out.push_back({std::stod(l.substr(0, 15)), std::stod(l.substr(15, 15)),
                       std::stoi(l.substr(30, 8)), std::stod(l.substr(38, 15)),
                       std::stod(l.substr(53, 15))});
    }
    return out;
}

TEST(ReliabilityTable, HeadingRecords) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{1, 0.001}}}, 1, 100));
    const auto lines = r.lines("tablafia.txt");
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "  ");
    EXPECT_EQ(lines[1], "  TABLA CON VALORES PARA EL NUM. DE FALLO, FIABILIDAD Y TASA DE FALLO");
    EXPECT_EQ(lines[2], " " + std::string(69, '-'));
    EXPECT_EQ(lines[3], "        ext.in    -    ext.sup   -  n.fa -  fiabilidad -  tasa de fallo");
    EXPECT_EQ(lines[4], " " + std::string(70, '-'));
    const std::string table = r.file("tablafia.txt");
    EXPECT_EQ(std::count(table.begin(), table.end(), ','), 1);
}

TEST(ReliabilityTable, IntervalsCoverTheLargestTimeAndCountEveryFailure) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{1, 0.001}}}, 1, 1000));
    const auto times = testing::listing(r);
    const double tmax = *std::max_element(times.begin(), times.end());
    const auto table = rows(r);
    ASSERT_LE(table.size(), 40u);
    ASSERT_FALSE(table.empty());
    EXPECT_GT(table.back().upper, tmax);
    EXPECT_LE(table[table.size() - 2].upper, tmax);
    int total = 0;
    double reliability = 1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Row& row = table[i];
        EXPECT_EQ(row.lower, i == 0 ? 0.0 : table[i - 1].upper);
        const int expected = std::count_if(
            times.begin(), times.end(), [&](double x) { return row.lower < x && x <= row.upper; });
        EXPECT_EQ(row.failures, expected) << i;
        total += row.failures;
        const double next = reliability - row.failures / 1000.0;
        EXPECT_NEAR(row.reliability, next, 5e-6);
        const double h = row.upper - row.lower;
        EXPECT_NEAR(
            row.rate,
            reliability + next == 0 ? 0 : 2 * (reliability - next) / (h * (reliability + next)),
            5e-6);
        reliability = next;
    }
    EXPECT_EQ(total, 1000);
}

TEST(ReliabilityTable, AllTimesEqualOnAMultipleOfTheWidth) {
    // t = 100: p = 2, width 200/40 = 5; the bound 100 is not above t, so 105 closes the table.
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{5, 100, 0}}}, 1, 30));
    const auto table = rows(r);
    ASSERT_EQ(table.size(), 21u);
    EXPECT_EQ(table[19].upper, 100.0);
    EXPECT_EQ(table[19].failures, 30);
    EXPECT_EQ(table[19].reliability, 0.0);
    EXPECT_EQ(table[19].rate, 0.4);  // 2 * 1 / (5 * 1)
    EXPECT_EQ(table[20].failures, 0);
    EXPECT_EQ(table[20].rate, 0.0) << "0/0 is written as 0";
    EXPECT_EQ(r.lines("tablafia.txt")[24],
              "       95.00000      100.00000      30        0.00000        0.40000");
}

TEST(ReliabilityTable, WidthRule) {
    EXPECT_EQ(intervalWidth(1209.899), 50.0);       // 2000 / 40
    EXPECT_EQ(intervalWidth(3.5), 0.1);             // 4 / 40
    EXPECT_EQ(intervalWidth(999.0), 25.0);          // 1000 / 40
    EXPECT_EQ(intervalWidth(0.05), 6 * 0.01 / 40);  // below 0.1: p = -2
    EXPECT_EQ(intervalWidth(0.1), 2 * 0.1 / 40);    // log10 exactly -1: p = -1
    // From 0.1 up to 1 the logarithm truncates to 0: widths of 1/40, as for 0.9.
    EXPECT_EQ(intervalWidth(0.5385565508), 1.0 / 40);
    EXPECT_EQ(intervalWidth(0.1000001), 1.0 / 40);
    EXPECT_EQ(intervalWidth(0.95), 1.0 / 40);
    EXPECT_EQ(intervalWidth(2.5e12), 3e12 / 40);
    EXPECT_EQ(intervalWidth(1.5e308), 2 * (1e308 / 40));  // 2e308 itself is no double
}

TEST(ReliabilityTable, SmallAndLargeTimesKeepAtMostFortyIntervals) {
    for (double t : {0.05, 0.003, 7.5e-9, 4.2e11, 1e15}) {
        EngineRun r;
        runSystem(r, subsystems(1, 2, {{{5, t, 0}}}, 1, 5));
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = r.lines("tablafia.txt");
        ASSERT_GT(lines.size(), 5u) << t;
        EXPECT_LE(lines.size(), 5u + 41u) << t;
        int total = 0;
        for (std::size_t i = 5; i < lines.size(); ++i) {
            // Five numbers apart from one another, even where a field widens.
            std::istringstream in(lines[i]);
            double a, b, d, e;
            int c;
            ASSERT_TRUE(in >> a >> b >> c >> d >> e) << lines[i];
            total += c;
        }
        EXPECT_EQ(total, 5) << t;
    }
}

TEST(ReliabilityTable, NoPositiveTimeSaysSoAndLeavesTheTableEmpty) {
    EngineRun r;
    runSystem(r, subsystems(1, 2, {{{5, 0, 0}}}, 1, 10));
    EXPECT_EQ(r.status, 0);
    const std::string tail =
        " logaritmo de un numero menor o igual que 0\n revise los datos\n los resultados "
        "seguramente no son correctos\n";
    ASSERT_GE(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
    EXPECT_TRUE(r.folder.exists("tablafia.txt"));
    EXPECT_EQ(r.file("tablafia.txt"), "");
    EXPECT_NE(r.file("resumen.TXT"), "") << "the other results are complete";
}

}  // namespace
}  // namespace brenta

namespace brenta {
namespace {

TEST(ReliabilityTable, KnownLargestValueGivesTheSameTableAsTheFirstPass) {
    testing::TempFolder folder;
    const double times[] = {1209.8991992, 0.1, 335.30610994999, 3410.6083444, 999.99999999951, 17};
    std::string listing;
    double largest = 0;
    for (double t : times) {
        listing += "    ";
        char text[32];
        listing.append(text, writeE15_9(text, t) - text);
        listing += "\r\n";
        largest = std::max(largest, t);
    }
    folder.write("listasis.txt", listing);
    const std::string path = (folder.path() / "listasis.txt").string();
    std::ostringstream console;
    writeReliabilityTable(path, (folder.path() / "a.txt").string(), 6, console);
    writeReliabilityTable(path, (folder.path() / "b.txt").string(), 6, console,
                          listedValue(largest));
    EXPECT_EQ(folder.read("a.txt"), folder.read("b.txt"));
    EXPECT_NE(folder.read("a.txt").find("   3400.00000     3500.00000"), std::string::npos);
    EXPECT_EQ(listedValue(3410.6083444), 3410.608344);
    EXPECT_EQ(listedValue(999.99999999951), 1000.0);
}

// A run keeps the counts as it writes the listing, a batch of lines at a time; its table is
// the one that reading its listing back gives, whatever trial widens the intervals.
TEST(ReliabilityTable, ARunsTableIsTheTableOfItsListing) {
    for (int seed = 1; seed <= 12; ++seed) {
        EngineRun r;
        const std::int32_t nsim = 37 * seed + seed % 5;  // most not a multiple of a batch
        runSystem(r, subsystems(1 + seed % 2, 2, {{{1, 0.001}, {4, 800, 300}, {2, 1.5, 900}}}, seed,
                                nsim));
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(testing::listing(r).size(), static_cast<std::size_t>(nsim));
        std::ostringstream console;
        const std::string listingPath = (r.folder.path() / "listasis.txt").string();
        writeReliabilityTable(listingPath, (r.folder.path() / "read.txt").string(), nsim, console);
        ASSERT_EQ(r.file("tablafia.txt"), r.folder.read("read.txt")) << "seed " << seed;
    }
}

// The counts kept while the listing is written give the table that reading it gives: with
// a largest time that grows in steps (the width changes again and again, also late), times
// on the bounds of the intervals or just off them, zeros, and values too small for the listing's
// own form.
TEST(ReliabilityTable, CountsKeptWhileWritingGiveTheTableOfTheListing) {
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        testing::TempFolder folder;
        const std::string listingPath = (folder.path() / "listasis.txt").string();
        OutputFile listing;
        listing.create(listingPath);
        FailureCounts counts;
        const int n = 1 + rng() % 3000;
        double scale = round % 5 == 0 ? 1e-3 : 1.0;
        for (int k = 0; k < n; ++k) {
            double t;
            switch (rng() % 6) {
                case 0: {
                    // On the bounds of widths 25, 50, ..., or off them by less than the
                    // listing's ten digits keep (so that the listed value is the bound).
                    const double bound = 25.0 * (rng() % 80);
                    const double off[] = {0.0, 3e-10, -3e-10, 2e-16, -2e-16, 2e-9, -2e-9};
                    t = bound + bound * off[rng() % 7];
                    break;
                }
                case 1:
                    t = 0;
                    break;
                case 2:
                    scale *= 1.0 + (rng() % 100) / 1000.0;  // the largest time keeps growing
                    [[fallthrough]];
                default:
                    t = scale * std::exponential_distribution<double>(0.01)(rng);
            }
            if (round == 7 && k == n / 2) t = 1e-120;  // the three-digit exponent form
            char* p = listing.room(32);
            std::memcpy(p, "    ", 4);
            E15_9Digits written;
            p = writeE15_9(p + 4, t, written);
            *p++ = '\r';
            *p++ = '\n';
            listing.commit(p);
            counts.add(t, written, listing);
        }
        listing.close();
        EXPECT_EQ(counts.valid(), round != 7 || n < 2);
        std::ostringstream a, b;
        writeReliabilityTable(listingPath, (folder.path() / "a.txt").string(), n, a);
        writeReliabilityTable(counts, listingPath, (folder.path() / "b.txt").string(), n, b);
        ASSERT_EQ(folder.read("a.txt"), folder.read("b.txt")) << "round " << round;
        EXPECT_EQ(a.str(), b.str());
        EXPECT_GT(folder.read("b.txt").size(), 400u);
    }
}

}  // namespace
}  // namespace brenta
