// The run of brenta: result files first, the data file's name, the binary itself.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

#include "engine_error.h"
#include "full_disk.h"
#include "read_only_folder.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::EngineRun;
using testing::subsystems;

const auto kOne = subsystems(1, 2, {{{1, 0.001}}}, 1, 10);

// A folder the engine may not write into, and a disk that fills up during the run: the run
// ends with its own status and names the result file it could not write.
TEST(RunFlow, ResultsThatCannotBeWrittenEndWithTheirOwnStatus) {
    {
        EngineRun r;
        r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
        {
            ReadOnlyFolder readOnly(r.folder.path().string());
            ASSERT_TRUE(readOnly.valid());
            testing::runIn(r, {"SIS"}, "2\n");
        }
        EXPECT_EQ(r.status, kExitOutputError);
        EXPECT_NE(r.err.find("brenta: no se puede crear el fichero de resultados"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("fallo.txt"), std::string::npos) << r.err;
        EXPECT_FALSE(r.folder.exists("fallo.txt"));
    }
    {
        EngineRun r;
        r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
        {
            FullDisk full;
            testing::runIn(r, {"SIS"}, "2\n");
        }
        EXPECT_EQ(r.status, kExitOutputError);
        EXPECT_NE(r.err.find("brenta: no se puede escribir en el fichero de resultados"),
                  std::string::npos)
            << r.err;
    }
}

// A rerun in the same folder: plain result files are made anew with their permissions;
// a link still leads to where the results go, a file with a second name is rewritten under
// both, and a file without write permission is not replaced (root rewrites it in place).
TEST(RunFlow, ARerunReplacesTheResultsAndKeepsLinksAndProtectedFiles) {
    namespace fs = std::filesystem;
    const auto c = subsystems(3, 1, {{{1, 0.001}, {5, 600, 90}}, {{2, 1.5, 800}}}, 7, 40);
    EngineRun first;
    runSystem(first, c, "1\n1\n100\n");
    ASSERT_EQ(first.status, 0) << first.err;

    EngineRun r;
    testing::TempFolder elsewhere;
    runSystem(r, subsystems(3, 1, {{{1, 0.01}}}, 3, 5));  // other results to be replaced
    ASSERT_EQ(r.status, 0) << r.err;
    const fs::path dir = r.folder.path();
    fs::permissions(dir / "fallo.txt", fs::perms(0600));
    fs::rename(dir / "resumen.TXT", elsewhere.path() / "resumen.TXT");
    fs::create_symlink(elsewhere.path() / "resumen.TXT", dir / "resumen.TXT");
    fs::create_hard_link(dir / "listasis.txt", dir / "copia.txt");
    fs::permissions(dir / "tablafia.txt", fs::perms(0444));
    struct stat before {};
    ASSERT_EQ(::stat((dir / "tablafia.txt").c_str(), &before), 0);

    runSystem(r, c, "1\n1\n100\n");
    EXPECT_EQ(r.file("fallo.txt"), first.file("fallo.txt"));
    EXPECT_EQ(fs::status(dir / "fallo.txt").permissions(), fs::perms(0600));
    EXPECT_EQ(r.file("redun.TXT"), first.file("redun.TXT"));
    EXPECT_TRUE(fs::is_symlink(dir / "resumen.TXT"));
    EXPECT_EQ(elsewhere.read("resumen.TXT"), first.file("resumen.TXT"));
    EXPECT_EQ(r.file("copia.txt"), first.file("listasis.txt"));
    EXPECT_EQ(r.file("listasis.txt"), first.file("listasis.txt"));
    struct stat after {};
    ASSERT_EQ(::stat((dir / "tablafia.txt").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0444u);
    if (::geteuid() == 0) {
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.file("tablafia.txt"), first.file("tablafia.txt"));
    } else {
        EXPECT_EQ(r.status, kExitOutputError);
    }
}

// Every result file and the console are the same whether the duplications are worked out
// by combining the whole structure again or from what each one changes.
TEST(RunFlow, IncrementalAndLiteralReevaluationWriteTheSameBytes) {
    std::mt19937 rng(5);
    auto randomEl = [&rng]() -> testing::El {
        if (rng() % 2) return {5, double(1 + rng() % 3), 0};  // fixed lives: ties
        return {1, 0.5 + rng() % 3, 0};
    };
    for (int n = 0; n < 60; ++n) {
        farvik::DataFileContent c;
        const int nsim = 1 + rng() % 40;
        if (n % 3 == 2) {
            std::vector<std::pair<int, testing::El>> elements;
            const int nel = 1 + rng() % 8;
            for (int b = 1; b <= nel; ++b) elements.push_back({b, randomEl()});
            std::vector<std::vector<int>> paths(1 + rng() % 5);
            for (auto& path : paths) {
                path.resize(1 + rng() % 6);
                for (int& key : path) key = 1 + rng() % nel;
            }
            c = testing::general(1, elements, paths, n, nsim);
        } else {
            std::vector<std::vector<testing::El>> subs(1 + rng() % 4);
            for (auto& sub : subs) {
                sub.resize(1 + rng() % 5);
                for (auto& e : sub) e = randomEl();
            }
            c = subsystems(3 + n % 3 % 2, 1, subs, n, nsim);
        }
        std::string files[2][6];
        for (int mode = 0; mode < 2; ++mode) {
            testing::TempFolder folder;
            folder.write("SIS.DAT", farvik::dataFileBytes(c));
            RunOptions options;
            options.reevaluation = mode == 0 ? Reevaluation::Direct : Reevaluation::Incremental;
            std::istringstream in("1\n1\n1.5\n");
            std::ostringstream out, err;
            ASSERT_EQ(runBrenta({"SIS"}, in, out, err, folder.path().string(), options), 0)
                << err.str();
            int f = 0;
            for (const char* name :
                 {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt", "tablafia.txt"}) {
                files[mode][f++] = folder.read(name);
            }
            files[mode][5] = out.str();
        }
        for (int f = 0; f < 6; ++f)
            ASSERT_EQ(files[0][f], files[1][f]) << "system " << n << " " << f;
        EXPECT_FALSE(files[1][1].empty());
    }
}

TEST(RunFlow, ExtensionIsAlwaysAppended) {
    EngineRun r;
    r.folder.write("ejemplo.dat", farvik::dataFileBytes(kOne));
    testing::runIn(r, {"ejemplo.dat"}, "2\n");
    EXPECT_EQ(r.status, kExitNoDataFile);
    EXPECT_NE(r.err.find("ejemplo.dat.DAT"), std::string::npos) << r.err;
}

TEST(RunFlow, NameMatchesWithoutRegardToCase) {
    EngineRun r;
    r.folder.write("sis1.dat", farvik::dataFileBytes(kOne));
    testing::runIn(r, {"SIS1"}, "2\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(testing::listing(r).size(), 10u);
}

TEST(RunFlow, WithoutArgumentTheNameIsAsked) {
    EngineRun r;
    r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
    testing::runIn(r, {}, "\n  SIS  resto\n2\n");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string prompt =
        "  INTRODUCIR EL NOMBRE DEL FICHERO DE DATOS\n  ( SIN EXTENSION: EL PROGRAMA AÑADE .DAT "
        ")\n  \n";
    EXPECT_EQ(r.out.substr(0, prompt.size()), prompt);
    EXPECT_EQ(r.out.substr(prompt.size(), 3), "  \n") << "then the reliability dialogue";
}

TEST(RunFlow, QuotedNameMayHoldBlanks) {
    EngineRun r;
    r.folder.write("MI SISTEMA.DAT", farvik::dataFileBytes(kOne));
    testing::runIn(r, {}, "'MI SISTEMA'\n2\n");
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(RunFlow, LongArgumentIsCutToEightyCharacters) {
    EngineRun r;
    const std::string name(80, 'N');
    r.folder.write(name + ".DAT", farvik::dataFileBytes(kOne));
    testing::runIn(r, {name + "XYZ"}, "2\n");
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(RunFlow, SameInputSameBytes) {
    const auto c =
        subsystems(3, 1, {{{1, 0.001}, {2, 1.5, 800}}, {{5, 600, 90}, {4, 700, 200}}}, 42, 300);
    EngineRun a, b;
    runSystem(a, c, "1\n3\n100\n200\n300\n");
    runSystem(b, c, "1\n3\n100\n200\n300\n");
    for (const char* name :
         {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt", "tablafia.txt"}) {
        EXPECT_EQ(a.file(name), b.file(name)) << name;
        EXPECT_FALSE(a.file(name).empty()) << name;
    }
    EXPECT_EQ(a.out, b.out);
}

// The real program, as a user runs it on the examples.
TEST(Binary, RunsAnExampleFromItsConsole) {
    testing::TempFolder folder;
    for (const char* name : {"SERIE", "PARALELO", "SERPAR", "PARSER", "GENERAL"}) {
        const std::string example =
            testing::readFile(std::string(FARVIK_SOURCE_DIR) + "/examples/" + name + ".DAT");
        ASSERT_FALSE(example.empty()) << name;
        folder.write(std::string(name) + ".DAT", example);
        const std::string command = "cd '" + folder.path().string() +
                                    "' && printf '1\\n2\\n100\\n500\\n' | '" + FARVIK_BIN_DIR +
                                    "/brenta' " + name + " > consola.txt 2> errores.txt";
        ASSERT_EQ(std::system(command.c_str()), 0) << name << ": " << folder.read("errores.txt");
        for (const char* file :
             {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt", "tablafia.txt"}) {
            EXPECT_FALSE(folder.read(file).empty()) << name << " " << file;
        }
        EXPECT_NE(folder.read("resumen.TXT").find("U.T"), std::string::npos) << name;
    }
}

TEST(Binary, ErrorGoesToStandardErrorWithItsStatus) {
    testing::TempFolder folder;
    const std::string command = "cd '" + folder.path().string() + "' && '" + FARVIK_BIN_DIR +
                                "/brenta' NADA < /dev/null > consola.txt 2> errores.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitNoDataFile);
    EXPECT_NE(folder.read("errores.txt").find("NADA.DAT"), std::string::npos);
    EXPECT_EQ(folder.read("consola.txt"), "");
}

}  // namespace
}  // namespace brenta
