// The trials on several threads: the same draws, the same figures, the same bytes as on one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "engine_error.h"
#include "full_disk.h"
#include "small_disk.h"
#include "test_systems.h"
#include "thread_count.h"
#include "trial_draws.h"

namespace brenta {
namespace {

using testing::El;
using testing::general;
using testing::subsystems;
using testing::systemOf;

// Every distribution, and draws that are taken again: normals near or at 0 (a negative time
// is drawn again), far above it and of no spread, lognormals of either form, Weibulls of a
// small shape (lives near 0).
El anyElement(std::mt19937& rng) {
    switch (rng() % 8) {
        case 6:
            return {5, 0, 50};
        case 7:
            return {5, 100, 0};
        case 0:
            return {1, 0.001 * (1 + rng() % 5)};
        case 1:
            return {2, 0.3 + (rng() % 30) / 10.0, 500};
        case 2:
            return {3, 6, 0.5};
        case 3:
            return {4, 700, 200};
        case 4:
            return {5, 10, 100};
        default:
            return {5, 1000, 250};
    }
}

farvik::DataFileContent randomSystem(std::mt19937& rng, int n, int redun, std::int32_t nsim) {
    if (n % 3 == 2) {
        const int nel = 1 + rng() % 12;
        std::vector<std::pair<int, El>> elements;
        for (int b = 1; b <= nel; ++b) elements.push_back({nel + 1 - b, anyElement(rng)});
        std::vector<std::vector<int>> paths(1 + rng() % 6);
        for (auto& path : paths) {
            path.resize(1 + rng() % 7);
            for (int& key : path) key = 1 + rng() % nel;
        }
        return general(redun, elements, paths, 1 + n, nsim);
    }
    std::vector<std::vector<El>> subs(1 + rng() % 5);
    for (auto& sub : subs) {
        sub.resize(1 + rng() % 6);
        for (El& e : sub) e = anyElement(rng);
    }
    return subsystems(1 + n % 4, redun, subs, 1 + n, nsim);
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(TrialDraws, RawValuesAndTheirTransformGiveTheTimesAndStreamOfDrawTrial) {
    std::mt19937 rng(11);
    for (int n = 0; n < 60; ++n) {
        const SystemData s = systemOf(randomSystem(rng, n, 1 + n % 2, 100));
        const TrialDraws draws(s);
        ASSERT_TRUE(draws.supported());
        Generator g1(s.iseed), g2(s.iseed);
        TrialState a, b;
        std::vector<double> raw(draws.rawPerTrial());
        for (int k = 0; k < 100; ++k) {
            drawTrial(g1, s, a);
            draws.drawRaw(g2, raw.data());
            draws.transform(raw.data(), b);
            for (int i = 1; i <= s.rowCount(); ++i) {
                for (int j = 1; j <= s.rowLength(i); ++j) {
                    ASSERT_TRUE(sameBits(a.tel(j, i), b.tel(j, i))) << n << " " << k;
                    ASSERT_TRUE(sameBits(a.tdup(j, i), b.tdup(j, i))) << n << " " << k;
                }
            }
            for (int key = 1; key <= kDim; ++key) {
                ASSERT_TRUE(sameBits(a.tclave[key], b.tclave[key])) << n << " " << k;
                ASSERT_TRUE(sameBits(a.tdclave[key], b.tdclave[key])) << n << " " << k;
            }
        }
        ASSERT_EQ(aleat(g1), aleat(g2)) << "the stream went on from another place, system " << n;
    }
}

struct RunResult {
    int status = -1;
    std::string out, err;
    std::vector<std::string> files;
};

// A run in `folder`, which holds SIS.DAT.
RunResult runIn(const testing::TempFolder& folder, int threads,
                Reevaluation mode = Reevaluation::Incremental,
                const std::string& answers = "1\n3\n0.5\n100\n700\n") {
    RunOptions options;
    options.threads = threads;
    options.reevaluation = mode;
    std::istringstream in(answers);
    std::ostringstream out, err;
    RunResult r;
    r.status = runBrenta({"SIS"}, in, out, err, folder.path().string(), options);
    r.out = out.str();
    r.err = err.str();
    for (const char* name :
         {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt", "tablafia.txt"})
        r.files.push_back(folder.exists(name) ? folder.read(name) : "(ninguno)");
    return r;
}

RunResult runWithThreads(const farvik::DataFileContent& c, int threads,
                         Reevaluation mode = Reevaluation::Incremental,
                         const std::string& answers = "1\n3\n0.5\n100\n700\n") {
    testing::TempFolder folder;
    folder.write("SIS.DAT", farvik::dataFileBytes(c));
    return runIn(folder, threads, mode, answers);
}

void expectSame(const RunResult& one, const RunResult& many, const std::string& what) {
    EXPECT_EQ(one.status, many.status) << what;
    EXPECT_EQ(one.out, many.out) << what;
    EXPECT_EQ(one.err, many.err) << what;
    const char* names[] = {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt", "tablafia.txt"};
    for (std::size_t f = 0; f < one.files.size(); ++f)
        EXPECT_TRUE(one.files[f] == many.files[f]) << what << ": " << names[f] << " differs";
}

// Trial counts at the edges of the first trials and of blocks, and runs of many blocks,
// so that the blocks go round the threads' ring several times; 1 to 8 threads each.
TEST(TrialPipeline, EveryThreadCountWritesTheSameFilesAndConsole) {
    std::mt19937 rng(7);
    const std::int32_t counts[] = {1, 19, 20, 21, 1025, 4000};
    for (int n = 0; n < 12; ++n) {
        const auto c = randomSystem(rng, n, 1 + n % 2, counts[n % 6]);
        const RunResult one = runWithThreads(c, 1);
        ASSERT_EQ(one.status, 0) << one.err;
        for (int threads = 2; threads <= 8; ++threads)
            expectSame(one, runWithThreads(c, threads),
                       "system " + std::to_string(n) + ", threads " + std::to_string(threads));
    }
    // A system of 20 x 10 with the redundancy study: long rows of redun.TXT, small blocks,
    // and 100 reliability times.
    std::vector<std::vector<El>> subs(20, std::vector<El>(10));
    for (auto& sub : subs)
        for (El& e : sub) e = anyElement(rng);
    std::string answers = "1\n100\n";
    for (int t = 1; t <= 100; ++t) answers += std::to_string(t * 15) + "\n";
    const auto large = subsystems(4, 1, subs, 3, 2000);
    const RunResult one = runWithThreads(large, 1, Reevaluation::Incremental, answers);
    ASSERT_EQ(one.status, 0) << one.err;
    for (int threads : {2, 3, 8})
        expectSame(one, runWithThreads(large, threads, Reevaluation::Incremental, answers),
                   "20 x 10, threads " + std::to_string(threads));
}

TEST(TrialPipeline, TheLiteralReevaluationGivesTheSameBytesOnSeveralThreads) {
    std::mt19937 rng(3);
    for (int n = 0; n < 6; ++n) {
        const auto c = randomSystem(rng, n, 1, 150);
        const RunResult one = runWithThreads(c, 1, Reevaluation::Direct);
        ASSERT_EQ(one.status, 0) << one.err;
        expectSame(one, runWithThreads(c, 3, Reevaluation::Direct), "system " + std::to_string(n));
        expectSame(one, runWithThreads(c, 3, Reevaluation::Incremental),
                   "incremental, system " + std::to_string(n));
    }
}

// Large redun.TXT rows, written from every thread at their places, for each structure and
// either re-evaluation: the same bytes as one thread writing them in turn.
TEST(TrialPipeline, RowsWrittenAtTheirPlacesGiveTheSameBytes) {
    std::mt19937 rng(13);
    std::vector<std::pair<int, El>> elements;
    for (int key = 1; key <= 24; ++key) elements.push_back({key, anyElement(rng)});
    std::vector<std::vector<int>> paths(20, std::vector<int>(8));
    for (auto& path : paths)
        for (int& key : path) key = 1 + rng() % 24;
    std::vector<std::vector<El>> subs(10, std::vector<El>(10));
    for (auto& sub : subs)
        for (El& e : sub) e = anyElement(rng);
    const struct {
        farvik::DataFileContent system;
        Reevaluation mode;
        const char* what;
    } cases[] = {
        {general(1, elements, paths, 17, 300), Reevaluation::Incremental, "general"},
        {subsystems(3, 1, subs, 19, 300), Reevaluation::Direct, "series of parallel, literal"},
    };
    for (const auto& c : cases) {
        const RunResult one = runWithThreads(c.system, 1, c.mode);
        ASSERT_EQ(one.status, 0) << one.err;
        ASSERT_GT(one.files[1].size(), std::size_t{2} << 20) << c.what << ": rows written apart";
        for (int threads : {2, 3, 8})
            expectSame(one, runWithThreads(c.system, threads, c.mode),
                       std::string(c.what) + ", threads " + std::to_string(threads));
    }
}

// A redun.TXT that is a pipe has no places: its rows, however large, go into it in turn.
TEST(TrialPipeline, APipeTakesTheRowsInTurn) {
    std::mt19937 rng(17);
    std::vector<std::vector<El>> subs(10, std::vector<El>(10));
    for (auto& sub : subs)
        for (El& e : sub) e = anyElement(rng);
    const auto system = subsystems(4, 1, subs, 5, 100);
    const RunResult one = runWithThreads(system, 1);
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_GT(one.files[1].size(), std::size_t{2} << 20);

    testing::TempFolder folder;
    folder.write("SIS.DAT", farvik::dataFileBytes(system));
    const std::string pipe = (folder.path() / "redun.TXT").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] {
        const int fd = ::open(pipe.c_str(), O_RDONLY);
        if (fd < 0) return;
        char buffer[1 << 16];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) read.append(buffer, n);
        ::close(fd);
    });
    RunOptions options;
    options.threads = 3;
    std::istringstream in("1\n3\n0.5\n100\n700\n");
    std::ostringstream out, err;
    const int status = runBrenta({"SIS"}, in, out, err, folder.path().string(), options);
    reader.join();
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_TRUE(read == one.files[1]) << "the pipe got other bytes";
}

// A write that fails on another thread (redun.TXT, written beside the trials) or in the
// ordered stage (the listing) ends the run as on one thread: the same status and words.
// redun.TXT's rows, written from several threads at their places, then end where the
// first write that failed left off, with no gap before: the bytes one thread leaves.
TEST(TrialPipeline, AFailedWriteEndsTheRunAsOnOneThread) {
    std::mt19937 rng(5);
    std::vector<std::vector<El>> subs(10, std::vector<El>(10));
    for (auto& sub : subs)
        for (El& e : sub) e = anyElement(rng);
    const auto withRedun = subsystems(3, 1, subs, 9, 2000);
    const auto plain = subsystems(1, 2, {{{1, 0.001}, {1, 0.002}}}, 9, 80000);
    const struct {
        const farvik::DataFileContent* system;
        rlim_t limit;
        const char* file;
    } cases[] = {
        {&withRedun, FullDisk::kBytes, "redun.TXT"},
        {&withRedun, 1000003, "redun.TXT"},
        {&plain, FullDisk::kBytes, "listasis.txt"},
    };
    for (const auto& c : cases) {
        testing::TempFolder folder;  // one folder: the messages name its files
        folder.write("SIS.DAT", farvik::dataFileBytes(*c.system));
        for (int threads : {2, 4, 8}) {
            RunResult one, many;
            {
                FullDisk full(c.limit);
                one = runIn(folder, 1);
                many = runIn(folder, threads);
            }
            const std::string what = std::string(c.file) + " " + std::to_string(c.limit) +
                                     ", threads " + std::to_string(threads);
            EXPECT_EQ(one.status, kExitOutputError) << what;
            EXPECT_NE(one.err.find(c.file), std::string::npos) << one.err;
            EXPECT_EQ(one.status, many.status) << what;
            EXPECT_EQ(one.err, many.err) << what;
            EXPECT_EQ(one.out, many.out) << what;
            EXPECT_EQ(one.files[1].size(), std::min<std::size_t>(c.limit, one.files[1].size()));
            EXPECT_TRUE(one.files[1] == many.files[1]) << what << ": redun.TXT differs";
        }
    }
}

// A disk that fills while redun.TXT's rows are written at their places from several
// threads: the run ends as on one thread, and the file holds the start of its rows with no
// gap (a row written beyond one that did not fit is cut off with it).
TEST(TrialPipeline, RowsMeetingAFullDiskLeaveTheStartOfTheFile) {
    testing::TempFolder folder;
    const std::string disk = (folder.path() / "disco").string();
    std::filesystem::create_directory(disk);
    SmallDisk small(disk, 3 * 1024);
    if (!small.valid()) GTEST_SKIP() << "no tmpfs can be mounted here";
    std::mt19937 rng(5);
    std::vector<std::vector<El>> subs(10, std::vector<El>(10));
    for (auto& sub : subs)
        for (El& e : sub) e = anyElement(rng);
    std::ofstream(disk + "/SIS.DAT", std::ios::binary)
        << farvik::dataFileBytes(subsystems(3, 1, subs, 9, 2000));
    auto run = [&](int threads) {
        RunOptions options;
        options.threads = threads;
        std::istringstream in("2\n");
        std::ostringstream out, err;
        RunResult r;
        r.status = runBrenta({"SIS"}, in, out, err, disk, options);
        r.out = out.str();
        r.err = err.str();
        r.files.push_back(testing::readFile(disk + "/redun.TXT"));
        return r;
    };
    const RunResult one = run(1);
    EXPECT_EQ(one.status, kExitOutputError);
    EXPECT_NE(one.err.find("redun.TXT: el disco está lleno"), std::string::npos) << one.err;
    for (int threads : {2, 3, 8}) {
        const RunResult many = run(threads);
        EXPECT_EQ(one.status, many.status) << threads;
        EXPECT_EQ(one.err, many.err) << threads;
        EXPECT_EQ(one.out, many.out) << threads;
        const std::string& rows = many.files[0];
        EXPECT_GT(rows.size(), std::size_t{1} << 20) << threads;
        EXPECT_TRUE(one.files[0].compare(0, rows.size(), rows) == 0)
            << threads << " threads: not the start of the file one thread writes";
    }
}

class ThreadCount : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("BRENTA_HILOS");
        hadOld_ = old != nullptr;
        if (old) old_ = old;
    }
    void TearDown() override {
        if (hadOld_) {
            ::setenv("BRENTA_HILOS", old_.c_str(), 1);
        } else {
            ::unsetenv("BRENTA_HILOS");
        }
    }

  private:
    bool hadOld_ = false;
    std::string old_;
};

TEST_F(ThreadCount, TheEnvironmentNamesTheThreadsAndAnythingElseLeavesTheProcessors) {
    const int cores = availableProcessors();
    EXPECT_GE(cores, 1);
    cpu_set_t set;
    CPU_ZERO(&set);
    ASSERT_EQ(::sched_getaffinity(0, sizeof set, &set), 0);
    EXPECT_LE(cores, CPU_COUNT(&set));

    ::unsetenv("BRENTA_HILOS");
    EXPECT_EQ(runThreads(0), cores);
    EXPECT_EQ(runThreads(3), 3);
    ::setenv("BRENTA_HILOS", "1", 1);
    EXPECT_EQ(runThreads(0), 1);
    EXPECT_EQ(runThreads(5), 5);  // the caller's number comes first
    ::setenv("BRENTA_HILOS", "7", 1);
    EXPECT_EQ(runThreads(0), 7);
    ::setenv("BRENTA_HILOS", "99999999999999999999", 1);
    EXPECT_EQ(runThreads(0), kMostThreads);
    for (const char* ignored : {"", "0", "-2", "2x", " 2", "dos"}) {
        ::setenv("BRENTA_HILOS", ignored, 1);
        EXPECT_EQ(runThreads(0), cores) << "'" << ignored << "'";
    }
}

// The real program reads BRENTA_HILOS: an example run with 1 and with 5 threads.
TEST_F(ThreadCount, TheProgramGivesTheSameBytesWithAnyBrentaHilos) {
    std::string files[2][6];
    int n = 0;
    for (const char* threads : {"1", "5"}) {
        testing::TempFolder folder;
        folder.write("GENERAL.DAT",
                     testing::readFile(std::string(FARVIK_SOURCE_DIR) + "/examples/GENERAL.DAT"));
        const std::string command = "cd '" + folder.path().string() +
                                    "' && printf '1\\n2\\n100\\n500\\n' | BRENTA_HILOS=" + threads +
                                    " '" + FARVIK_BIN_DIR + "/brenta' GENERAL > consola.txt";
        ASSERT_EQ(std::system(command.c_str()), 0) << threads;
        int f = 0;
        for (const char* name : {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt",
                                 "tablafia.txt", "consola.txt"})
            files[n][f++] = folder.read(name);
        ++n;
    }
    for (int f = 0; f < 6; ++f) {
        EXPECT_FALSE(files[0][f].empty()) << f;
        EXPECT_TRUE(files[0][f] == files[1][f]) << f;
    }
}

}  // namespace
}  // namespace brenta
