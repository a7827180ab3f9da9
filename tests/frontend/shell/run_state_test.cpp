// The run's state without a window: how an end is taken while the stop question is open,
// how a process's end is told, and when result files count as changed.
#include "shell/run_state.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "qstring_printer.h"
#include "shell/result_identity.h"
#include "shell/run_end.h"

namespace farvik {
namespace {

using Kind = RunEnd::Kind;
using Phase = RunState::Phase;

TEST(RunStateTest, OneRunAtATimeAndItsEndIsTakenOnce) {
    RunState state;
    ASSERT_TRUE(state.begin());
    EXPECT_FALSE(state.begin()) << "a second Ejecutar during a run";
    const auto taken = state.engineEnded({Kind::Complete, 0, false});
    ASSERT_TRUE(taken);
    EXPECT_TRUE(taken->shown);
    EXPECT_TRUE(state.idle());
    EXPECT_FALSE(state.engineEnded({Kind::Complete, 0, false})) << "an end with no run";
    EXPECT_TRUE(state.begin());
}

// The engine ends while "¿Deseas detener la ejecución?" is open: nothing is taken until the
// answer; kept, the end is shown as usual; stopped, it only settles the results.
TEST(RunStateTest, AnEndWhileTheStopQuestionIsOpenWaitsForTheAnswer) {
    for (const bool stop : {false, true}) {
        RunState state;
        state.begin();
        state.ask();
        EXPECT_EQ(state.phase(), Phase::Asking);
        EXPECT_FALSE(state.engineEnded({Kind::EngineError, 30, false}));
        EXPECT_FALSE(state.idle());
        const auto taken = state.answered(stop);
        ASSERT_TRUE(taken);
        EXPECT_EQ(taken->end, (RunEnd{Kind::EngineError, 30, false}));
        EXPECT_EQ(taken->shown, !stop);
        EXPECT_TRUE(state.idle());
    }
}

TEST(RunStateTest, TheAnswerDecidesHowTheRunGoesOn) {
    RunState kept;
    kept.begin();
    kept.ask();
    EXPECT_FALSE(kept.answered(false));
    EXPECT_EQ(kept.phase(), Phase::Running);
    EXPECT_TRUE(kept.engineEnded({Kind::Complete, 0, false})->shown);

    // Stopped: the end that the stop brings is taken without being shown.
    RunState stopped;
    stopped.begin();
    stopped.ask();
    EXPECT_FALSE(stopped.answered(true));
    EXPECT_EQ(stopped.phase(), Phase::Stopping);
    const auto taken = stopped.engineEnded({Kind::Stopped, 9, false});
    ASSERT_TRUE(taken);
    EXPECT_FALSE(taken->shown);
    EXPECT_TRUE(stopped.idle());
}

TEST(EngineEndTest, StatusesTheEngineNeverGivesAndSignalsAreAbnormal) {
    EXPECT_EQ(endOfEngine(false, 0).kind, Kind::Complete);
    for (int status : {10, 11, 23, 30, 32, 40, 41})
        EXPECT_EQ(endOfEngine(false, status).kind, Kind::EngineError) << status;
    EXPECT_EQ(endOfEngine(false, 42).kind, Kind::FolderInUse);
    for (int status : {1, 3, 9, 24, 29, 33, 39, 43, 127, 255})
        EXPECT_EQ(endOfEngine(false, status).kind, Kind::Abnormal) << status;
    // A signal is abnormal whatever its number, even one that reads like a status.
    EXPECT_EQ(endOfEngine(true, 11).kind, Kind::Abnormal);

    EXPECT_EQ(abnormalEndText(endOfEngine(true, 9)),
              QStringLiteral("El motor terminó de forma anormal (señal 9)"));
    EXPECT_EQ(abnormalEndText(endOfEngine(false, 255)),
              QStringLiteral("El motor terminó de forma anormal (estado 255)"));
}

// Result files count as the same only while none was rewritten, replaced, removed or added;
// other files of the folder do not matter, and nothing of the files' bytes is read.
TEST(ResultIdentityTest, AnyChangeToAResultFileIsSeen) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("resumen.TXT", "uno");
    write("listasis.txt", "dos");
    const ResultIdentity run = ResultIdentity::of(dir.path());
    EXPECT_TRUE(run.matches(dir.path()));

    write("SIS1.DAT", "otro fichero");
    EXPECT_TRUE(run.matches(dir.path())) << "not a result file";

    write("TABLAFIA.TXT", "nuevo");
    EXPECT_FALSE(run.matches(dir.path())) << "a result file added, in any letter case";
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("TABLAFIA.TXT"))));
    EXPECT_TRUE(run.matches(dir.path()));

    // The same bytes written again: a later modification time.
    QThread::msleep(20);
    write("resumen.TXT", "uno");
    EXPECT_FALSE(run.matches(dir.path()));

    // Moved away and back, as the earlier results are around a stopped run: still the same.
    const ResultIdentity now = ResultIdentity::of(dir.path());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral(".aparte")));
    ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral("listasis.txt")),
                              dir.filePath(QStringLiteral(".aparte/listasis.txt"))));
    EXPECT_FALSE(now.matches(dir.path())) << "a result file gone";
    ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral(".aparte/listasis.txt")),
                              dir.filePath(QStringLiteral("listasis.txt"))));
    EXPECT_TRUE(now.matches(dir.path()));
}

}  // namespace
}  // namespace farvik
