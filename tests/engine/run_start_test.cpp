// The start of a run: nothing in the folder is touched before the data file has been read,
// one run a folder, only regular files as data files, --help and --version.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "engine_error.h"
#include "folder_lock.h"
#include "result_file_names.h"
#include "test_systems.h"

namespace brenta {
namespace {

using testing::EngineRun;
using testing::TempFolder;

const auto& kResultFiles = farvik::result_files::kAll;
const auto kOne = testing::subsystems(1, 2, {{{1, 0.001}}}, 1, 10);
const auto kOther = testing::subsystems(3, 1, {{{1, 0.002}, {2, 1.5, 800}}}, 7, 50);

// The results of an earlier run: each file's bytes and the file itself (its inode), so
// that a file removed and made anew with the same bytes is seen too.
struct Snapshot {
    std::map<std::string, std::pair<std::string, ino_t>> files;
    explicit Snapshot(const TempFolder& folder) {
        for (const char* name : kResultFiles) {
            struct stat st {};
            ::stat((folder.path() / name).c_str(), &st);
            files[name] = {folder.read(name), st.st_ino};
        }
    }
    bool operator==(const Snapshot& other) const { return files == other.files; }
};

void writeEarlierResults(const TempFolder& folder) {
    for (const char* name : kResultFiles)
        folder.write(name, std::string("resultados de antes de ") + name + "\r\n");
}

// Every way a run cannot start leaves the earlier results as they were, byte for byte.
TEST(RunStart, ARunThatCannotStartTouchesNoResultFile) {
    const struct {
        std::vector<std::string> args;
        std::string answers;
        int status;
        const char* said;
    } cases[] = {
        {{"NADA"}, "2\n", kExitNoDataFile, "NADA.DAT: no existe"},
        {{"SIS.DAT"}, "2\n", kExitNoDataFile, "SIS.DAT.DAT: no existe"},  // the extension given
        {{"SIS", "OTRO"}, "2\n", kExitUsage, "un solo argumento"},
        {{"MAL"}, "2\n", kExitBadReal, "MAL.DAT, línea"},
        {{"CORTO"}, "2\n", kExitEndOfData, "termina antes de tiempo"},
        {{"TUBO"}, "2\n", kExitNoDataFile, "TUBO.DAT: es una tubería (FIFO), no un fichero"},
        {{"CARPETA"}, "2\n", kExitNoDataFile, "CARPETA.DAT: es una carpeta"},
        {{}, "", kExitEndOfInput, "respuesta no válida en la consola"},  // no name given
    };
    for (const auto& c : cases) {
        EngineRun r;
        r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
        const std::string good = farvik::dataFileBytes(kOne);
        std::string bad = good;
        r.folder.write("MAL.DAT", bad.replace(bad.rfind("0.001"), 5, "x0.001"));
        r.folder.write("CORTO.DAT", good.substr(0, good.size() / 2));
        ASSERT_EQ(::mkfifo((r.folder.path() / "TUBO.DAT").c_str(), 0644), 0);
        std::filesystem::create_directory(r.folder.path() / "CARPETA.DAT");
        writeEarlierResults(r.folder);
        const Snapshot before(r.folder);
        testing::runIn(r, c.args, c.answers);
        EXPECT_EQ(r.status, c.status) << c.said << ": " << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        EXPECT_TRUE(Snapshot(r.folder) == before) << c.said;
    }
}

// Once the data file has been read the run goes on as it always did: a bad answer on the
// console comes after the results of the run before were replaced.
TEST(RunStart, AfterTheDataFileTheResultsAreReplaced) {
    EngineRun r;
    r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
    writeEarlierResults(r.folder);
    testing::runIn(r, {"SIS"}, "x\n");
    EXPECT_EQ(r.status, kExitBadAnswer);
    for (const char* name : {"fallo.txt", "redun.TXT", "resumen.TXT", "listasis.txt"})
        EXPECT_EQ(r.file(name), "") << name;
}

TEST(RunStart, ASecondRunInAHeldFolderTouchesNothing) {
    EngineRun r;
    r.folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
    writeEarlierResults(r.folder);
    const Snapshot before(r.folder);
    {
        const FolderLock first(r.folder.path().string());
        ASSERT_FALSE(first.heldElsewhere());
        testing::runIn(r, {"SIS"}, "2\n");
        EXPECT_EQ(r.status, kExitFolderInUse);
        EXPECT_EQ(r.err, "brenta: otra ejecución está usando la carpeta " +
                             r.folder.path().string() +
                             ": espera a que termine o usa otra carpeta (no se ha tocado ningún "
                             "fichero de resultados)\n");
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(Snapshot(r.folder) == before);
        // No name is asked either.
        testing::runIn(r, {}, "SIS\n2\n");
        EXPECT_EQ(r.status, kExitFolderInUse);
        EXPECT_EQ(r.out, "");
    }
    testing::runIn(r, {"SIS"}, "2\n");
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_FALSE(Snapshot(r.folder) == before);
}

// The real program, started apart and stopped at its first question.
class Engine {
  public:
    Engine(const TempFolder& folder, const std::string& name) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        const std::string program = std::string(FARVIK_BIN_DIR) + "/brenta";
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(name.c_str()),
                        nullptr};
        EXPECT_EQ(posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[0]);
        answers_ = fds[1];
    }
    ~Engine() {
        if (answers_ >= 0) ::close(answers_);
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    // Answers the questions and waits for the end; the exit status.
    int finish(const std::string& answers) {
        EXPECT_EQ(::write(answers_, answers.data(), answers.size()), ssize_t(answers.size()));
        ::close(answers_);
        answers_ = -1;
        return wait();
    }
    int kill() {
        ::kill(pid_, SIGKILL);
        return wait();
    }

  private:
    int wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    pid_t pid_ = -1;
    int answers_ = -1;
};

// Waits until a run has read its data file and made its result files, so that it is
// waiting for its first answer and holds the folder.
bool waitForResultFiles(const TempFolder& folder) {
    for (int tries = 0; tries < 1000; ++tries) {
        if (folder.exists("listasis.txt")) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

int runBinary(const TempFolder& folder, const std::string& arguments,
              const std::string& answers = "2") {
    const std::string command = "cd '" + folder.path().string() + "' && printf '" + answers +
                                "\\n' | timeout 20 '" + FARVIK_BIN_DIR + "/brenta' " + arguments +
                                " > consola.out 2> errores.out";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RunStart, TwoEnginesInOneFolderTheSecondIsRefused) {
    TempFolder shared, alone;
    for (const TempFolder* f : {&shared, &alone}) f->write("SIS.DAT", farvik::dataFileBytes(kOne));
    shared.write("OTRO.DAT", farvik::dataFileBytes(kOther));
    ASSERT_EQ(runBinary(alone, "SIS", "1\\n1\\n5"), 0);

    Engine first(shared, "SIS");
    ASSERT_TRUE(waitForResultFiles(shared));
    EXPECT_EQ(runBinary(shared, "OTRO"), kExitFolderInUse);
    EXPECT_NE(shared.read("errores.out").find("otra ejecución está usando la carpeta"),
              std::string::npos);
    EXPECT_EQ(shared.read("consola.out"), "");
    EXPECT_FALSE(shared.exists("tablafia.txt"));
    EXPECT_EQ(first.finish("1\n1\n5\n"), 0);
    // The first run's results are whole and its own: those of the same run alone.
    for (const char* name : kResultFiles) EXPECT_EQ(shared.read(name), alone.read(name)) << name;
}

// The hold goes with the process, however it ends.
TEST(RunStart, AKilledEngineLeavesTheFolderFree) {
    TempFolder folder;
    folder.write("SIS.DAT", farvik::dataFileBytes(kOne));
    Engine first(folder, "SIS");
    ASSERT_TRUE(waitForResultFiles(folder));
    EXPECT_EQ(first.kill(), 128 + SIGKILL);
    EXPECT_EQ(runBinary(folder, "SIS"), 0) << folder.read("errores.out");
}

TEST(RunStart, HelpAndVersionTouchNothing) {
    for (const char* option : {"--help", "--version"}) {
        EngineRun r;
        writeEarlierResults(r.folder);
        const Snapshot before(r.folder);
        EXPECT_EQ(runBinary(r.folder, option), 0) << option;
        const std::string out = r.folder.read("consola.out");
        EXPECT_EQ(out.rfind(option[2] == 'h' ? "Uso: brenta [NOMBRE]\n" : "brenta (Farvik) ", 0),
                  0u)
            << out;
        EXPECT_EQ(r.folder.read("errores.out"), "");
        EXPECT_TRUE(Snapshot(r.folder) == before) << option;
        // Also in a folder that another run holds.
        const FolderLock held(r.folder.path().string());
        testing::runIn(r, {option}, "");
        EXPECT_EQ(r.status, kExitOk);
        EXPECT_EQ(r.out, out);
    }
}

// A data file named like an option is run as any other.
TEST(RunStart, ADataFileNamedLikeAnOptionIsRun) {
    EngineRun r;
    r.folder.write("--help.DAT", farvik::dataFileBytes(kOne));
    testing::runIn(r, {"--help"}, "2\n");
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out.find("Uso:"), std::string::npos);
    EXPECT_EQ(testing::listing(r).size(), 10u);
}

}  // namespace
}  // namespace brenta
