// The front end opens what brenta runs and refuses what brenta refuses, with the same line
// and words: every example and a few hundred altered copies, read by both.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <random>
#include <string>
#include <vector>

#include "altered_data_files.h"
#include "document/datafile_reading.h"

namespace farvik {
namespace {

using testing::alterations;
using testing::refusesAValueOnly;
using testing::valueChanges;

struct Verdict {
    bool accepted = false;  // the engine runs it
    bool opened = false;    // the front end opens it (also with a value the engine refuses)
    std::string words;      // what the refusal says after "brenta: "
    int status = 0;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The real engine on the file T.DAT of `folder`, asked for no reliability values.
Verdict engineVerdict(const QString& folder) {
    const testing::EngineEnd end =
        testing::runEngineOnT(QStringLiteral(FARVIK_BIN_DIR "/brenta"), folder);
    EXPECT_TRUE(end.runs || end.status != 0) << "brenta did not end";
    Verdict v;
    v.status = end.status;
    v.accepted = end.runs;
    // As the user reads it: bytes that are no text show as the same replacement character
    // on both sides.
    v.words = end.errorOutput.toStdString();
    return v;
}

// The front end's Abrir on the same file, said as the engine would say it.
Verdict editorVerdict(const QString& path) {
    const DataFileReading reading = readSystemFile(path);
    Verdict v;
    v.accepted = reading.engineRunsIt();
    v.opened = reading.system.has_value();
    v.status = reading.status;
    if (!v.accepted) {
        v.words = "brenta: " + path.toStdString() + (reading.line > 0 ? ", " : ": ") +
                  reading.failure.toStdString() + "\n";
    }
    return v;
}

// The bytes with the value line after the n-th line (from 0) starting with `label` replaced.
QByteArray withValueAfter(const QByteArray& bytes, const QByteArray& label, int n,
                          const QByteArray& value) {
    QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(label) && n-- == 0) {
            lines[i + 1] = value + '\r';
            return lines.join('\n');
        }
    }
    ADD_FAILURE() << "no label " << label.toStdString();
    return bytes;
}

TEST(VerdictAgreement, TheEditorOpensWhatTheEngineRunsAndRefusesWhatItRefuses) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("T.DAT"));
    std::mt19937 random(20261210), valueRandom(20261212);
    int files = 0, accepted = 0, values = 0, valuesCut = 0;
    const QDir examples(QStringLiteral(FARVIK_SOURCE_DIR "/examples"));
    for (const QString& name : examples.entryList({QStringLiteral("*.DAT")}, QDir::Files)) {
        const QByteArray original = fileBytes(examples.filePath(name));
        ASSERT_FALSE(original.isEmpty()) << name.toStdString();
        std::vector<QByteArray> cases{original};
        for (QByteArray& altered : alterations(original, random, 20)) {
            cases.push_back(std::move(altered));
        }
        for (QByteArray& changed : valueChanges(original, valueRandom, 20))
            cases.push_back(std::move(changed));
        for (std::size_t c = 0; c < cases.size(); ++c) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(cases[c]);
            file.close();
            const Verdict engine = engineVerdict(dir.path());
            const Verdict editor = editorVerdict(path);
            const std::string which = name.toStdString() + " case " + std::to_string(c);
            ASSERT_EQ(engine.accepted, editor.accepted) << which << "\n" << engine.words;
            if (c == 0) {
                EXPECT_TRUE(editor.accepted) << which;
            }
            if (!engine.accepted) {
                EXPECT_EQ(engine.words, editor.words) << which;
                EXPECT_EQ(engine.status, editor.status) << which;
                // Read whole when the engine refuses a value only; a copy cut short after
                // the value is still refused whole (its layout fails later), with the
                // engine's first refusal.
                const bool cut = original.startsWith(cases[c]) && cases[c] != original;
                if (refusesAValueOnly(engine.status)) {
                    EXPECT_TRUE(editor.opened || cut) << which << "\n" << engine.words;
                } else {
                    EXPECT_FALSE(editor.opened) << which;
                }
                values += editor.opened;
                valuesCut += refusesAValueOnly(engine.status) && !editor.opened;
            }
            ++files;
            accepted += engine.accepted;
        }
    }
    // Enough of both kinds for the agreement to say something.
    EXPECT_EQ(files, 5 * 101);
    EXPECT_GT(accepted, 40);
    EXPECT_GT(files - accepted, 100);
    EXPECT_GT(values, 10);
    std::printf(
        "verdicts agree on %d files (%d opened and run, %d refused: %d of them opened with a "
        "value the engine refuses, %d cut short after such a value refused whole)\n",
        files, accepted, files - accepted, values, valuesCut);
}

// Values a user can type and save: the file opens with the engine's first refusal, its words,
// line and status. A fault of keys or layout anywhere still refuses it whole, and with the
// first refusal the engine meets.
TEST(VerdictAgreement, AValueTheEngineRefusesOpensWithTheEnginesFirstRefusal) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("T.DAT"));
    const QByteArray serie = fileBytes(QStringLiteral(FARVIK_SOURCE_DIR "/examples/SERIE.DAT"));
    const QByteArray general = fileBytes(QStringLiteral(FARVIK_SOURCE_DIR "/examples/GENERAL.DAT"));
    const QByteArray rate = "Par\xe1metro 1", shape = "Par\xe1metro 2", seed = "Semilla:";
    const QByteArray trials = "N\xfamero de pruebas:", key = "N\xfamero clave del elemento";
    const QByteArray noRate = withValueAfter(serie, rate, 0, "0");
    struct Case {
        const char* what;
        QByteArray bytes;
        int status;
        bool opens;
    };
    const std::vector<Case> cases{
        {"a rate of 0", noRate, 21, true},
        {"a Weibull shape below 0", withValueAfter(serie, shape, 1, "-2"), 21, true},
        {"a seed beyond the generator", withValueAfter(serie, seed, 0, "161803399"), 22, true},
        {"a negative seed beyond it", withValueAfter(serie, seed, 0, "-200000000"), 22, true},
        {"no trials", withValueAfter(serie, trials, 0, "0"), 23, true},
        {"every value refused: the first counts",
         withValueAfter(withValueAfter(withValueAfter(noRate, rate, 2, "-1"), seed, 0, "999999999"),
                        trials, 0, "-5"),
         21, true},
        {"seed and trials: the seed first",
         withValueAfter(withValueAfter(serie, seed, 0, "-999999999"), trials, 0, "0"), 22, true},
        {"a general system's rate of 0", withValueAfter(general, rate, 3, "0"), 21, true},
        {"a rate of 0, then trials that are no number", withValueAfter(noRate, trials, 0, "mil"),
         21, false},
        {"a rate of 0, then the file cut short", noRate.left(noRate.indexOf(seed)), 21, false},
        {"a rate of 0, then a key used twice",
         withValueAfter(withValueAfter(general, rate, 0, "0"), key, 2, "1"), 21, false},
        {"a key used twice, then a rate of 0",
         withValueAfter(withValueAfter(general, rate, 3, "0"), key, 2, "1"), 18, false},
        {"a key beyond the dimension", withValueAfter(general, key, 1, "9"), 18, false},
        {"a path naming no element, then no trials",
         withValueAfter(
             withValueAfter(general, "Nombres de los elementos en serie del camino 2", 0, "7"),
             trials, 0, "0"),
         19, false},
    };
    for (const Case& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        const Verdict engine = engineVerdict(dir.path());
        const Verdict editor = editorVerdict(path);
        EXPECT_FALSE(engine.accepted) << c.what;
        EXPECT_EQ(engine.status, c.status) << c.what << "\n" << engine.words;
        EXPECT_FALSE(editor.accepted) << c.what;
        EXPECT_EQ(editor.opened, c.opens) << c.what;
        EXPECT_EQ(editor.status, engine.status) << c.what;
        EXPECT_EQ(editor.words, engine.words) << c.what;
    }
}

}  // namespace
}  // namespace farvik
