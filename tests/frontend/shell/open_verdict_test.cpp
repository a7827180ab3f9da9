// The Open command itself, through its dialog, opens what brenta runs and refuses what brenta
// refuses with the engine's words, leaving the document as it was: every example and altered
// copies of each (a line dropped, a line doubled, the file cut, a byte changed).
#include <QDir>
#include <QProcess>
#include <random>

#include "document/datafile_writer.h"
#include "document_fixture.h"

namespace {

using farvik::MessageIcon;

struct EngineVerdict {
    bool runs = false;
    QString words;  // after the file's name: "línea N: ..." or "el fichero termina ..."
};

EngineVerdict engineVerdict(const QString& folder) {
    QProcess brenta;
    brenta.setWorkingDirectory(folder);
    brenta.start(QStringLiteral(FARVIK_BIN_DIR "/brenta"), {QStringLiteral("T")});
    brenta.write("2\n");
    brenta.closeWriteChannel();
    EXPECT_TRUE(brenta.waitForFinished(60000));
    EngineVerdict v;
    v.runs = brenta.exitStatus() == QProcess::NormalExit && brenta.exitCode() == 0;
    QString said = QString::fromUtf8(brenta.readAllStandardError()).trimmed();
    const qsizetype name = said.indexOf(QStringLiteral("T.DAT"));
    if (name >= 0) said = said.mid(name + 5);
    if (said.startsWith(QLatin1Char(',')) || said.startsWith(QLatin1Char(':'))) said = said.mid(2);
    v.words = said;
    return v;
}

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

class OpenVerdictTest : public DocumentTest {};

TEST_F(OpenVerdictTest, AbrirOpensWhatTheEngineRunsAndRefusesWhatItRefuses) {
    const QString file = path(QStringLiteral("T.DAT"));
    std::mt19937 random(20261211);
    int files = 0, agree = 0, opened = 0;
    const QDir examples(QStringLiteral(FARVIK_SOURCE_DIR "/examples"));
    for (const QString& name : examples.entryList({QStringLiteral("*.DAT")}, QDir::Files)) {
        const QByteArray original = readFile(examples.filePath(name));
        std::vector<QByteArray> cases{original};
        for (QByteArray& altered : alterations(original, random, 10))
            cases.push_back(std::move(altered));
        for (std::size_t c = 0; c < cases.size(); ++c) {
            const std::string which = name.toStdString() + " case " + std::to_string(c);
            writeFile(file, cases[c]);
            const EngineVerdict engine = engineVerdict(folder.path());
            const std::string before = describe(data());
            const QString fileBefore = window->document().currentFile;
            dialogs.clear();
            open(file);
            bool same = false;
            if (engine.runs) {
                // Opened whole and clean, the editor showing what the document holds.
                same = dialogs.messages().isEmpty() && window->document().currentFile == file &&
                       !window->document().modified && ed().system() == data() &&
                       !window->systemDocument().history().canUndo();
                ++opened;
            } else {
                same = dialogs.messages().size() == 1 &&
                       dialogs.messages()[0].icon == MessageIcon::Exclamation &&
                       dialogs.messages()[0].text ==
                           QStringLiteral("No se ha podido leer entero el fichero %1\n\n%2")
                               .arg(QDir::toNativeSeparators(file), engine.words) &&
                       describe(data()) == before && window->document().currentFile == fileBefore;
            }
            EXPECT_TRUE(same) << which << "\nengine: " << engine.words.toStdString()
                              << "\nfront end: "
                              << (dialogs.messages().isEmpty()
                                      ? std::string("(opened)")
                                      : dialogs.messages().last().text.toStdString());
            ++files;
            agree += same;
        }
    }
    EXPECT_EQ(files, 5 * 41);
    EXPECT_GT(opened, 20);
    EXPECT_GT(files - opened, 50);
    std::printf("Abrir and the engine agree on %d of %d files (%d opened, %d refused)\n", agree,
                files, opened, files - opened);
}

}  // namespace
