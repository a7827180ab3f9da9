// The Open command itself, through its dialog, opens what brenta runs and refuses what brenta
// refuses with the engine's words, leaving the document as it was: every example and altered
// copies of each (a line dropped, a line doubled, the file cut, a byte changed, a value out of
// range). A file read whole with a value the engine refuses opens, naming that refusal.
#include <QDir>
#include <QProcess>
#include <random>

#include "document/datafile_writer.h"
#include "document_fixture.h"
#include "editor/engine_checks.h"

namespace {

using farvik::MessageIcon;

struct EngineVerdict {
    bool runs = false;
    int status = 0;
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
    v.status = brenta.exitCode();
    v.runs = brenta.exitStatus() == QProcess::NormalExit && v.status == 0;
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

// Copies with one value line (a line whose first word is a number) set to 0, -1 or -999999999:
// counts, codes, keys, parameters, the seed and the trials out of range.
std::vector<QByteArray> valueChanges(const QByteArray& bytes, std::mt19937& random, int each) {
    const QList<QByteArray> lines = bytes.split('\n');
    std::vector<qsizetype> numbers;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool number = false;
        lines[i].trimmed().split(' ').first().toDouble(&number);
        if (number) numbers.push_back(i);
    }
    const QByteArray values[] = {"0", "-1", "-999999999"};
    std::vector<QByteArray> out;
    for (int n = 0; n < each; ++n) {
        QList<QByteArray> changed = lines;
        const auto line =
            numbers[std::uniform_int_distribution<std::size_t>(0, numbers.size() - 1)(random)];
        changed[line] = values[std::uniform_int_distribution<int>(0, 2)(random)] + '\r';
        out.push_back(changed.join('\n'));
    }
    return out;
}

// A parameter, the seed or the number of trials: values a user can type and save.
bool refusesAValueOnly(int status) {
    return status == 21 || status == 22 || status == 23;
}

// Whether the checks before a run name the engine's refusal ("línea N: WORDS") of `system`.
bool checksName(const farvik::SystemData& system, const QString& engineWords) {
    const QString words = engineWords.section(QStringLiteral(": "), 1);
    for (const farvik::editor::EngineRefusal& r : farvik::editor::engineRefusals(system))
        if (r.words == words) return true;
    return false;
}

class OpenVerdictTest : public DocumentTest {};

TEST_F(OpenVerdictTest, AbrirOpensWhatTheEngineRunsAndRefusesWhatItRefuses) {
    const QString file = path(QStringLiteral("T.DAT"));
    std::mt19937 random(20261211), valueRandom(20261213);
    int files = 0, agree = 0, opened = 0, openedRefused = 0;
    const QDir examples(QStringLiteral(FARVIK_SOURCE_DIR "/examples"));
    for (const QString& name : examples.entryList({QStringLiteral("*.DAT")}, QDir::Files)) {
        const QByteArray original = readFile(examples.filePath(name));
        std::vector<QByteArray> cases{original};
        for (QByteArray& altered : alterations(original, random, 10))
            cases.push_back(std::move(altered));
        for (QByteArray& changed : valueChanges(original, valueRandom, 10))
            cases.push_back(std::move(changed));
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
            } else if (refusesAValueOnly(engine.status) && !dialogs.messages().isEmpty() &&
                       dialogs.messages()[0].text.startsWith(QStringLiteral("El fichero"))) {
                // A value the engine refuses in a file read whole: opened as it stands, clean,
                // and the engine's refusal said at once in its words.
                same = dialogs.messages().size() == 1 &&
                       dialogs.messages()[0].icon == MessageIcon::Exclamation &&
                       dialogs.messages()[0].text ==
                           QStringLiteral(
                               "El fichero %1 se ha abierto, pero el motor no lo "
                               "ejecutaría tal como está:\n\n%2")
                               .arg(QDir::toNativeSeparators(file), engine.words) &&
                       window->document().currentFile == file && !window->document().modified &&
                       ed().system() == data() && !window->systemDocument().history().canUndo() &&
                       checksName(data(), engine.words);
                ++openedRefused;
            } else {
                // Refused whole, the document untouched. A value refusal is refused whole only
                // in a copy cut short after it (its layout fails later).
                const bool cut = original.startsWith(cases[c]) && cases[c] != original;
                same = dialogs.messages().size() == 1 &&
                       dialogs.messages()[0].icon == MessageIcon::Exclamation &&
                       dialogs.messages()[0].text ==
                           QStringLiteral("No se ha podido leer entero el fichero %1\n\n%2")
                               .arg(QDir::toNativeSeparators(file), engine.words) &&
                       describe(data()) == before && window->document().currentFile == fileBefore &&
                       (!refusesAValueOnly(engine.status) || cut);
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
    EXPECT_EQ(files, 5 * 51);
    EXPECT_GT(opened, 20);
    EXPECT_GT(files - opened, 50);
    EXPECT_GT(openedRefused, 5);
    std::printf(
        "Abrir and the engine agree on %d of %d files (%d opened clean, %d opened naming a value "
        "the engine refuses, %d refused)\n",
        agree, files, opened, openedRefused, files - opened - openedRefused);
}

}  // namespace
