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

#include "document/datafile_reading.h"

namespace farvik {
namespace {

struct Verdict {
    bool accepted = false;
    std::string words;  // what the refusal says after "brenta: "
    int status = 0;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The real engine on the file T.DAT of `folder`, asked for no reliability values.
Verdict engineVerdict(const QString& folder) {
    QProcess brenta;
    brenta.setWorkingDirectory(folder);
    brenta.start(QStringLiteral(FARVIK_BIN_DIR "/brenta"), {QStringLiteral("T")});
    brenta.write("2\n");
    brenta.closeWriteChannel();
    EXPECT_TRUE(brenta.waitForFinished(60000));
    Verdict v;
    v.status = brenta.exitCode();
    v.accepted = brenta.exitStatus() == QProcess::NormalExit && v.status == 0;
    // As the user reads it: bytes that are no text show as the same replacement character
    // on both sides.
    v.words = QString::fromUtf8(brenta.readAllStandardError()).toStdString();
    return v;
}

// The front end's Abrir on the same file, said as the engine would say it.
Verdict editorVerdict(const QString& path) {
    const DataFileReading reading = readSystemFile(path);
    Verdict v;
    v.accepted = reading.system.has_value();
    v.status = reading.status;
    if (!v.accepted) {
        v.words = "brenta: " + path.toStdString() + (reading.line > 0 ? ", " : ": ") +
                  reading.failure.toStdString() + "\n";
    }
    return v;
}

// Altered copies of a file: a line dropped, a line doubled, the file cut, a byte changed.
std::vector<QByteArray> alterations(const QByteArray& bytes, std::mt19937& random, int each) {
    QList<QByteArray> lines = bytes.split('\n');
    auto pick = [&random](qsizetype n) {
        return static_cast<qsizetype>(std::uniform_int_distribution<qsizetype>(0, n - 1)(random));
    };
    std::vector<QByteArray> out;
    for (int n = 0; n < each; ++n) {
        QList<QByteArray> dropped = lines;
        dropped.removeAt(pick(dropped.size()));
        out.push_back(dropped.join('\n'));

        QList<QByteArray> doubled = lines;
        const qsizetype at = pick(doubled.size());
        doubled.insert(at, doubled[at]);
        out.push_back(doubled.join('\n'));

        out.push_back(bytes.left(pick(bytes.size())));

        QByteArray flipped = bytes;
        flipped[pick(flipped.size())] = static_cast<char>(pick(256));
        out.push_back(flipped);
    }
    return out;
}

TEST(VerdictAgreement, TheEditorOpensWhatTheEngineRunsAndRefusesWhatItRefuses) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("T.DAT"));
    std::mt19937 random(20261210);
    int files = 0, accepted = 0;
    const QDir examples(QStringLiteral(FARVIK_SOURCE_DIR "/examples"));
    for (const QString& name : examples.entryList({QStringLiteral("*.DAT")}, QDir::Files)) {
        const QByteArray original = fileBytes(examples.filePath(name));
        ASSERT_FALSE(original.isEmpty()) << name.toStdString();
        std::vector<QByteArray> cases{original};
        for (QByteArray& altered : alterations(original, random, 20)) {
            cases.push_back(std::move(altered));
        }
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
            }
            ++files;
            accepted += engine.accepted;
        }
    }
    // Enough of both kinds for the agreement to say something.
    EXPECT_EQ(files, 5 * 81);
    EXPECT_GT(accepted, 40);
    EXPECT_GT(files - accepted, 100);
    std::printf("verdicts agree on %d files (%d opened and run, %d refused)\n", files, accepted,
                files - accepted);
}

}  // namespace
}  // namespace farvik
