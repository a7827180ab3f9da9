// The Open command itself, through its dialog, opens what brenta runs and refuses what brenta
// refuses with the engine's words, leaving the document as it was: every example and altered
// copies of each (a line dropped, a line doubled, the file cut, a byte changed, a value out of
// range). A file read whole with a value the engine refuses opens, naming that refusal.
#include <QDir>
#include <QProcess>
#include <random>

#include "altered_data_files.h"
#include "document/datafile_writer.h"
#include "document_fixture.h"
#include "editor/engine_checks.h"

namespace {

using farvik::MessageIcon;
using farvik::testing::alterations;
using farvik::testing::refusesAValueOnly;
using farvik::testing::valueChanges;

struct EngineVerdict {
    bool runs = false;
    int status = 0;
    QString words;  // after the file's name: "línea N: ..." or "el fichero termina ..."
};

EngineVerdict engineVerdict(const QString& folder) {
    const farvik::testing::EngineEnd end =
        farvik::testing::runEngineOnT(QStringLiteral(FARVIK_BIN_DIR "/brenta"), folder);
    EXPECT_TRUE(end.runs || end.status != 0) << "brenta did not end";
    EngineVerdict v;
    v.status = end.status;
    v.runs = end.runs;
    QString said = end.errorOutput.trimmed();
    const qsizetype name = said.indexOf(QStringLiteral("T.DAT"));
    if (name >= 0) said = said.mid(name + 5);
    if (said.startsWith(QLatin1Char(',')) || said.startsWith(QLatin1Char(':'))) said = said.mid(2);
    v.words = said;
    return v;
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
