// Save, Save As with its overwrite question, and Open with its failure path.
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include "document/datafile_writer.h"
#include "document_fixture.h"
#include "full_disk.h"
#include "read_only_folder.h"
#include "small_disk.h"

namespace {

using farvik::MessageAnswer;
using farvik::MessageButtons;
using farvik::MessageIcon;

const QString kOverwrite = QStringLiteral("El archivo ya existe. ¿Deseas sobreescribirlo?");
const QString kSaveError = QStringLiteral("Ha ocurrido un error al intentar guardar el fichero ");

// The texts with the reason of each failed save cut off, where the system gave one.
QStringList withoutReasons(QStringList texts) {
    for (QString& text : texts) {
        const qsizetype reason = text.lastIndexOf(QStringLiteral(": "));
        if (text.startsWith(kSaveError) && reason > 0) text.truncate(reason);
    }
    return texts;
}

class FileCommandsTest : public DocumentTest {
  protected:
    // The lines of a saved file, to be changed one by one.
    std::vector<std::string> savedLines(const QString& file) {
        std::vector<std::string> out;
        for (const QByteArray& line : readFile(file).split('\n'))
            if (!line.isEmpty()) out.push_back(line.chopped(1).toStdString());
        return out;
    }
    QStringList folderEntries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(FileCommandsTest, SaveAsUpperCasesTheFileNameOnly) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("mis datos/minúsculas")));
    const QString chosen = path(QStringLiteral("mis datos/minúsculas/sis1.dat"));
    elementsIn(1, 2);
    ASSERT_TRUE(saveAs(chosen));

    const QString written = path(QStringLiteral("mis datos/minúsculas/SIS1.DAT"));
    EXPECT_EQ(window->document().currentFile, written);
    EXPECT_TRUE(QFileInfo::exists(written));
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
    EXPECT_FALSE(window->document().modified);
    EXPECT_FALSE(buttonOn("Guardar"));
    EXPECT_TRUE(buttonOn("Ejecutar"));
    EXPECT_TRUE(buttonOn("EditarD"));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    const auto& asked = dialogs.fileRequests().first();
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.request.title, QStringLiteral("Guardar como"));
    EXPECT_EQ(asked.request.filter, QStringLiteral("Archivos de datos (*.dat)"));
    EXPECT_EQ(asked.request.initialFolder, QDir::currentPath());

    // The next dialog starts where the document is. A name without the data extension gets
    // it: the engine runs <NAME>.DAT, and would otherwise run some other file or none.
    ASSERT_TRUE(saveAs(path(QStringLiteral("sistema"))));
    EXPECT_EQ(dialogs.fileRequests().last().request.initialFolder,
              path(QStringLiteral("mis datos/minúsculas")));
    EXPECT_EQ(window->document().currentFile, path(QStringLiteral("SISTEMA.DAT")));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("SISTEMA.DAT"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("SISTEMA"))));
    ASSERT_TRUE(saveAs(path(QStringLiteral("copia.txt"))));
    EXPECT_EQ(window->document().currentFile, path(QStringLiteral("COPIA.TXT.DAT")));
}

TEST_F(FileCommandsTest, SaveAsAsksBeforeReplacingAFileInAnyFolder) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("otro")));
    const QString existing = path(QStringLiteral("otro/SIS2.DAT"));
    writeFile(existing, "earlier contents");
    ASSERT_TRUE(saveAs(path(QStringLiteral("FIRST.DAT"))));
    elementsIn(1, 3);  // changes not yet written

    // Cancel: nothing written, and the document keeps the name it had.
    dialogs.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(saveAs(path(QStringLiteral("otro/sis2.dat"))));
    ASSERT_EQ(dialogs.messages().size(), 1);
    const auto& question = dialogs.messages().first();
    EXPECT_EQ(question.text, kOverwrite);
    EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_TRUE(question.title.isEmpty());
    EXPECT_EQ(readFile(existing), "earlier contents");
    EXPECT_EQ(window->document().currentFile, path(QStringLiteral("FIRST.DAT")));
    EXPECT_TRUE(window->document().modified);

    // No: the dialog again; cancelling it also writes nothing and keeps the old name.
    dialogs.answerNext(MessageAnswer::No);
    EXPECT_FALSE(saveAs(path(QStringLiteral("otro/sis2.dat"))));
    EXPECT_EQ(dialogs.fileRequests().size(), 4);
    EXPECT_EQ(readFile(existing), "earlier contents");
    EXPECT_EQ(window->document().currentFile, path(QStringLiteral("FIRST.DAT")));

    // No, then another name: written there.
    dialogs.answerNext(MessageAnswer::No);
    dialogs.chooseFile(path(QStringLiteral("otro/sis3.dat")));
    EXPECT_TRUE(saveAs(path(QStringLiteral("otro/sis2.dat"))));
    EXPECT_EQ(readFile(existing), "earlier contents");
    EXPECT_EQ(window->document().currentFile, path(QStringLiteral("otro/SIS3.DAT")));
    EXPECT_FALSE(window->document().modified);

    // Yes: replaced.
    dialogs.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(saveAs(path(QStringLiteral("otro/sis2.dat"))));
    EXPECT_EQ(readFile(existing), readFile(path(QStringLiteral("otro/SIS3.DAT"))));
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({kOverwrite, kOverwrite, kOverwrite, kOverwrite}));
}

// Every way of saving, with the disk filling up half way through the write: the file keeps
// its earlier contents whole, no half-written copy is left beside it, the failure is
// reported, and the document stays modified with its changes in the editor, under the name it
// had: a failed Save As does not take the chosen one.
TEST_F(FileCommandsTest, NoFailedSaveCutsTheFileShort) {
    const QString file = path(QStringLiteral("SIS1.DAT"));
    const QString other = path(QStringLiteral("SIS2.DAT"));
    ASSERT_TRUE(saveAs(other));
    ASSERT_TRUE(saveAs(file));
    const QByteArray before = readFile(file);
    const QByteArray otherBefore = readFile(other);
    elementsIn(1, 3);
    // The new contents are larger than what the disk takes: the write starts and fails.
    ASSERT_GT(farvik::dataFileBytesFor(data()).size(), qsizetype(FullDisk::kBytes));
    ASSERT_TRUE(window->document().modified);

    auto expectKept = [&](const char* how, const QString& name) {
        EXPECT_EQ(readFile(file).toStdString(), before.toStdString()) << how;
        EXPECT_EQ(readFile(other).toStdString(), otherBefore.toStdString()) << how;
        EXPECT_EQ(folderEntries(), QStringList({"SIS1.DAT", "SIS2.DAT"})) << how;
        EXPECT_EQ(withoutReasons(dialogs.messageTexts()).last(), kSaveError + name) << how;
        EXPECT_EQ(dialogs.messages().last().icon, MessageIcon::Exclamation) << how;
        EXPECT_TRUE(dialogs.messages().last().title.isEmpty()) << how;
        EXPECT_TRUE(window->document().modified) << how;
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT*")) << how;
        EXPECT_EQ(ed().elementRows(), 3) << how;
        EXPECT_EQ(programEnds, 0) << how;
        EXPECT_TRUE(window->isVisible()) << how;
        dialogs.clear();
    };

    {
        FullDisk full;
        EXPECT_FALSE(window->save());
    }
    expectKept("Save", file);

    // Save As onto another file, answering Yes to replacing it. The document keeps its own
    // name: the next Guardar must not write into the file that failed.
    dialogs.answerNext(MessageAnswer::Yes);
    {
        FullDisk full;
        EXPECT_FALSE(saveAs(other));
    }
    EXPECT_EQ(window->document().currentFile, file);
    expectKept("Save As", other);

    // Leaving with Salir, and with the window's own close control, both answering Yes to
    // saving: the program stays.
    dialogs.answerNext(MessageAnswer::Yes);
    {
        FullDisk full;
        window->salir();
    }
    expectKept("Salir", file);
    dialogs.answerNext(MessageAnswer::Yes);
    {
        FullDisk full;
        EXPECT_FALSE(window->close());
    }
    expectKept("close", file);

    // New and Open save first when asked to: the document is not replaced.
    dialogs.answerNext(MessageAnswer::Yes);
    {
        FullDisk full;
        EXPECT_FALSE(window->newCommand());
    }
    expectKept("New", file);
    dialogs.answerNext(MessageAnswer::Yes);
    dialogs.chooseFile(file);
    {
        FullDisk full;
        window->openCommand();
    }
    expectKept("Open", file);
    EXPECT_EQ(window->document().currentFile, file);

    // With room again, the changes are still there to be saved, into their own file.
    ASSERT_TRUE(window->save());
    EXPECT_FALSE(window->document().modified);
    EXPECT_EQ(readFile(file), farvik::dataFileBytesFor(data()));
    EXPECT_EQ(readFile(other), otherBefore);
}

// The same on a real disk that fills up: a small tmpfs with one block left, where the new
// file is several blocks long.
TEST_F(FileCommandsTest, AFullDiskKeepsTheFileWhole) {
    const QString diskFolder = path(QStringLiteral("disco"));
    ASSERT_TRUE(QDir(folder.path()).mkpath(diskFolder));
    SmallDisk disk(diskFolder.toStdString(), 256);
    if (!disk.valid()) GTEST_SKIP() << "no tmpfs can be mounted here (root only)";
    const QString file = diskFolder + QStringLiteral("/SIS1.DAT");
    ASSERT_TRUE(saveAs(file));
    const QByteArray before = readFile(file);
    structure(3);
    subsystems(6);
    for (int i = 1; i <= 6; ++i) elementsIn(i, 6);
    ASSERT_GT(farvik::dataFileBytesFor(data()).size(), 3 * 4096);
    ASSERT_TRUE(disk.fillLeaving("RELLENO", 4096));

    EXPECT_FALSE(window->save());
    EXPECT_EQ(readFile(file).toStdString(), before.toStdString());
    EXPECT_EQ(QDir(diskFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"RELLENO", "SIS1.DAT"}));
    EXPECT_EQ(withoutReasons(dialogs.messageTexts()), QStringList{kSaveError + file});
    EXPECT_TRUE(window->document().modified);

    // Room made, the same changes are written whole.
    ASSERT_TRUE(QFile::remove(diskFolder + QStringLiteral("/RELLENO")));
    ASSERT_TRUE(window->save());
    EXPECT_EQ(readFile(file), farvik::dataFileBytesFor(data()));
}

// A folder the user may not write into: the file there stays as it was, and the document
// keeps its changes. Save As into a folder that does not exist fails the same way.
TEST_F(FileCommandsTest, SavingIntoAFolderThatTakesNoFileKeepsTheChanges) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("solo lectura")));
    const QString file = path(QStringLiteral("solo lectura/SIS1.DAT"));
    ASSERT_TRUE(saveAs(file));
    const QByteArray before = readFile(file);
    elementsIn(1, 2);
    {
        ReadOnlyFolder readOnly(path(QStringLiteral("solo lectura")).toStdString());
        ASSERT_TRUE(readOnly.valid());
        EXPECT_FALSE(window->save());
        EXPECT_FALSE(saveAs(path(QStringLiteral("solo lectura/otro.dat"))));
    }
    EXPECT_EQ(readFile(file).toStdString(), before.toStdString());
    EXPECT_EQ(QDir(path(QStringLiteral("solo lectura")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"SIS1.DAT"});
    EXPECT_EQ(withoutReasons(dialogs.messageTexts()),
              QStringList(
                  {kSaveError + file, kSaveError + path(QStringLiteral("solo lectura/OTRO.DAT"))}));
    // Each says why, in Spanish.
    const QString reason = dialogs.messageTexts().first().mid(kSaveError.size() + file.size());
    EXPECT_TRUE(reason == QStringLiteral(": no hay permiso") ||
                reason == QStringLiteral(": la carpeta es de solo lectura"))
        << reason.toStdString();
    EXPECT_TRUE(window->document().modified);

    dialogs.clear();
    const QString nowhere = path(QStringLiteral("no existe/otro.dat"));
    EXPECT_FALSE(saveAs(nowhere));
    EXPECT_EQ(withoutReasons(dialogs.messageTexts()),
              QStringList{kSaveError + path(QStringLiteral("no existe/OTRO.DAT"))});
    // The document keeps its name and file: the next Guardar writes where it came from.
    EXPECT_EQ(window->document().currentFile, file);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT*"));
    EXPECT_TRUE(window->document().modified);
    EXPECT_TRUE(window->save());
    EXPECT_EQ(readFile(file), farvik::dataFileBytesFor(data()));
}

// A Save As that fails leaves a clean document clean, under its own name.
TEST_F(FileCommandsTest, AFailedSaveAsOfACleanDocumentChangesNothing) {
    const QString file = path(QStringLiteral("SIS1.DAT"));
    ASSERT_TRUE(saveAs(file));
    EXPECT_FALSE(saveAs(path(QStringLiteral("no existe/otro.dat"))));
    EXPECT_EQ(window->document().currentFile, file);
    EXPECT_FALSE(window->document().modified);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
    EXPECT_TRUE(buttonOn("Ejecutar"));
}

// Abrir asks its save question first; Escape in its file dialog then leaves the document
// exactly as it was, edits and all, even after "No" to the question.
TEST_F(FileCommandsTest, AbrirCancelledInItsDialogLeavesTheDocumentAsItWas) {
    const QString file = path(QStringLiteral("SIS1.DAT"));
    ASSERT_TRUE(saveAs(file));
    elementsIn(1, 3);
    const QByteArray edited = farvik::dataFileBytesFor(data());
    dialogs.clear();
    dialogs.answerNext(MessageAnswer::No);
    dialogs.chooseFile(QString());  // the dialog cancelled
    window->openCommand();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(dialogs.fileRequests().size(), 1);
    EXPECT_EQ(farvik::dataFileBytesFor(data()), edited);
    EXPECT_EQ(ed().elementRows(), 3);
    EXPECT_EQ(window->document().currentFile, file);
    EXPECT_TRUE(window->document().modified);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT*"));
}

// A FIFO (or a device, a socket) chosen in Abrir is refused at once, without waiting for a
// writer; the document and the caption stay as they were.
TEST_F(FileCommandsTest, AFifoIsRefusedAtOnceAndTheDocumentStays) {
    const QString file = path(QStringLiteral("SIS1.DAT"));
    ASSERT_TRUE(saveAs(file));
    const QString fifo = path(QStringLiteral("P.DAT"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    dialogs.clear();
    QElapsedTimer clock;
    clock.start();
    open(fifo);
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(dialogs.messageTexts().first().contains(QStringLiteral("tubería")))
        << dialogs.messageTexts().first().toStdString();
    EXPECT_EQ(window->document().currentFile, file);
    EXPECT_FALSE(window->document().modified);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
}

TEST_F(FileCommandsTest, OpenShowsTheFileCleanAndTheDialogAsAsked) {
    structure(3);
    subsystems(2);
    element(1, 0, {"0.001"});
    element(2, 0, {"0.002"});
    ASSERT_TRUE(saveAs(path(QStringLiteral("sis1.dat"))));
    window->newCommand();

    open(path(QStringLiteral("SIS1.DAT")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
    EXPECT_FALSE(buttonOn("Guardar"));
    EXPECT_TRUE(buttonOn("Ejecutar"));
    EXPECT_TRUE(buttonOn("EditarD"));
    EXPECT_FALSE(buttonOn("EditarR"));
    EXPECT_EQ(data().systemType, 3);
    EXPECT_TRUE(ed().optsistemas(3)->isChecked());
    EXPECT_EQ(ed().subsystemRows(), 2);
    EXPECT_EQ(ed().txtparam1(2)->text(), QStringLiteral("0.002"));
    EXPECT_FALSE(window->systemDocument().history().canUndo());

    const auto& asked = dialogs.fileRequests().last();
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.request.title, QStringLiteral("Abrir"));
    EXPECT_EQ(asked.request.filter,
              QStringLiteral("Archivos de datos (*.dat);;Todos los archivos (*)"));
    EXPECT_EQ(asked.request.initialFolder, folder.path());

    // Cancelling the dialog reads nothing and changes nothing.
    window->openCommand();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-SIS1.DAT"));
    EXPECT_EQ(data().systemType, 3);
    EXPECT_EQ(ed().subsystemRows(), 2);
}

// A file the engine would refuse is refused with the engine's line and words, and the
// document (its system, name, changes and history) stays exactly as it was.
class RefusedFileTest : public FileCommandsTest {
  protected:
    // A named document with one edit not saved, as the user left it.
    void SetUp() override {
        FileCommandsTest::SetUp();
        elementsIn(1, 3);
        element(1, 1, {"2", "100"});
        element(2, 4, {"50", "5"});
        element(3, 0, {"0.5"});
        ASSERT_TRUE(saveAs(path(QStringLiteral("entero.dat"))));
        lines = savedLines(path(QStringLiteral("ENTERO.DAT")));
        ed().txtparam1(3)->setText(QStringLiteral("0.25"));
        before = describe(data());
        dialogs.clear();
    }
    // Opens the file ("No" to the save question) and expects the one refusal.
    void expectRefused(const QString& name, const QString& words) {
        dialogs.answerNext(MessageAnswer::No);
        open(path(name));
        ASSERT_EQ(dialogs.messages().size(), 2);
        const auto& told = dialogs.messages()[1];
        EXPECT_EQ(told.icon, MessageIcon::Exclamation);
        EXPECT_EQ(told.buttons, MessageButtons::Ok);
        EXPECT_TRUE(told.title.isEmpty());
        EXPECT_EQ(told.text, QStringLiteral("No se ha podido leer entero el fichero %1\n\n%2")
                                 .arg(QDir::toNativeSeparators(path(name)), words));
        expectUnchanged();
    }
    void expectUnchanged() {
        EXPECT_EQ(describe(data()), before);
        EXPECT_EQ(window->document().currentFile, path(QStringLiteral("ENTERO.DAT")));
        EXPECT_TRUE(window->document().modified);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-ENTERO.DAT*"));
        EXPECT_EQ(ed().txtparam1(3)->text(), QStringLiteral("0.25"));
        EXPECT_TRUE(window->systemDocument().history().canUndo());
    }
    std::vector<std::string> lines;
    std::string before;
};

TEST_F(RefusedFileTest, AFileEndingEarly) {
    // Cut after the parameters of element 2.
    lines.erase(std::find(lines.begin(), lines.end(), "DATOS DEL ELEMENTO 1-3"), lines.end());
    writeLines(path(QStringLiteral("CORTO.DAT")), lines);
    expectRefused(QStringLiteral("CORTO.DAT"),
                  QStringLiteral("el fichero termina antes de tiempo: falta la línea «DATOS DEL "
                                 "ELEMENTO»"));
}

TEST_F(RefusedFileTest, AValueThatIsNoNumberOrBeyondTheEngine) {
    lines[2] = "6abc";  // the total number of elements
    writeLines(path(QStringLiteral("MAL.DAT")), lines);
    dialogs.answerNext(MessageAnswer::No);
    open(path(QStringLiteral("MAL.DAT")));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[1].text.contains(QStringLiteral("línea 3: ")))
        << dialogs.messages()[1].text.toStdString();
    expectUnchanged();

    lines = savedLines(path(QStringLiteral("ENTERO.DAT")));
    ASSERT_EQ(lines[24], "3");  // elements of subsystem 1
    lines[24] = "0";
    writeLines(path(QStringLiteral("MAL.DAT")), lines);
    dialogs.clear();
    expectRefused(QStringLiteral("MAL.DAT"),
                  QStringLiteral("línea 25: el número de elementos del subsistema 1 debe estar "
                                 "entre 1 y 50 (se leyó 0)"));
}

TEST_F(RefusedFileTest, AResultFileChosenByMistake) {
    writeLines(path(QStringLiteral("resumen.TXT")),
               {"", " ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  =",
                "    725.449500303973"});
    dialogs.answerNext(MessageAnswer::No);
    open(path(QStringLiteral("resumen.TXT")));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[1].text.contains(QStringLiteral("se esperaba")))
        << dialogs.messages()[1].text.toStdString();
    expectUnchanged();
}

// Any file can be chosen in the Open dialog. One far larger than any data file (here 64 GiB,
// sparse) is read only as far as a data file could reach, like any other file that is none.
TEST_F(RefusedFileTest, AHugeFileIsReadNoFurtherThanADataFileCouldReach) {
    const QString huge = path(QStringLiteral("ENORME.DAT"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(64) << 30));
    }
    dialogs.chooseFile(huge);
    EXPECT_FALSE(window->abrirfichero());
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString& text = dialogs.messages().first().text;
    EXPECT_TRUE(text.contains(QStringLiteral("NÚMERO TOTAL DE ELEMENTOS DEL SISTEMA")))
        << text.left(300).toStdString();
    EXPECT_LT(text.size(), 400);
    expectUnchanged();
}

// The line number (from 1) of the value after the n-th line (from 0) that starts with `label`.
int valueLine(const std::vector<std::string>& lines, const std::string& label, int n = 0) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].rfind(label, 0) == 0 && n-- == 0) return static_cast<int>(i) + 2;
    ADD_FAILURE() << "no label " << label;
    return 0;
}

const std::string kRateLabel = "Par\xe1metro 1";
const std::string kSeedLabel = "Semilla:";
const std::string kTrialsLabel = "N\xfamero de pruebas:";

TEST_F(RefusedFileTest, ARefusedValueDoesNotLetAFileCutShortIn) {
    // The engine stops at the rate; the front end refuses the file whole, with those words.
    const int rate = valueLine(lines, kRateLabel, 2);
    lines[static_cast<std::size_t>(rate - 1)] = "0";
    lines.resize(static_cast<std::size_t>(valueLine(lines, kSeedLabel) - 2));
    writeLines(path(QStringLiteral("CORTO.DAT")), lines);
    expectRefused(
        QStringLiteral("CORTO.DAT"),
        QStringLiteral("línea %1: parámetro 1 del elemento 1-3: la tasa de fallo debe ser mayor "
                       "que 0")
            .arg(rate));
}

TEST_F(RefusedFileTest, AKeyUsedTwiceRefusesTheFileWhole) {
    // The general system's rows are built from its keys: no reading without them. The engine
    // stops at the key, before the seed it would refuse too.
    const QByteArray general = readFile(QStringLiteral(FARVIK_SOURCE_DIR "/examples/GENERAL.DAT"));
    std::vector<std::string> g;
    for (const QByteArray& line : general.split('\n'))
        if (!line.isEmpty()) g.push_back(line.chopped(1).toStdString());
    const int key = valueLine(g, "N\xfamero clave del elemento", 2);
    g[static_cast<std::size_t>(key - 1)] = "1";
    g[static_cast<std::size_t>(valueLine(g, kSeedLabel) - 1)] = "999999999";
    writeLines(path(QStringLiteral("CLAVE.DAT")), g);
    expectRefused(
        QStringLiteral("CLAVE.DAT"),
        QStringLiteral("línea %1: el número clave 1 ya se usó en otro elemento").arg(key));
}

// A draft saved with values the engine refuses is the user's own work: Abrir opens it as it
// was saved and says at once, in the engine's words, what the engine would refuse; Ejecutar
// then refuses it before any run, naming the same fault.
class DraftFileTest : public FileCommandsTest {
  protected:
    void SetUp() override {
        FileCommandsTest::SetUp();
        // Nothing can run should the checks before a run let a refused value through.
        window->setEnginePath(path(QStringLiteral("no hay/brenta")));
    }
    void expectOpenedWith(const QString& name, const QString& words) {
        dialogs.clear();
        open(path(name));
        ASSERT_EQ(dialogs.messages().size(), 1);
        const auto& told = dialogs.messages()[0];
        EXPECT_EQ(told.icon, MessageIcon::Exclamation);
        EXPECT_EQ(told.buttons, MessageButtons::Ok);
        EXPECT_EQ(told.text, QStringLiteral("El fichero %1 se ha abierto, pero el motor no lo "
                                            "ejecutaría tal como está:\n\n%2")
                                 .arg(QDir::toNativeSeparators(path(name)), words));
        EXPECT_EQ(window->document().currentFile, path(name));
        EXPECT_FALSE(window->document().modified);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-") + name);
        EXPECT_EQ(ed().system(), data());
        EXPECT_FALSE(window->systemDocument().history().canUndo());
    }
    // Ejecutar names `words` (the fault without its line) and starts nothing.
    void expectRunRefused(const QString& words) {
        dialogs.clear();
        window->ejecutar();
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("\n") + words))
            << dialogs.messages()[0].text.toStdString();
        EXPECT_EQ(window->consoleWindow(), nullptr);
    }
};

TEST_F(DraftFileTest, ANewDocumentSavedAsItIsReopensAsItWasSavedAndWritesTheSameBytes) {
    ASSERT_TRUE(saveAs(path(QStringLiteral("nuevo.dat"))));
    const QByteArray saved = readFile(path(QStringLiteral("NUEVO.DAT")));
    const std::string system = describe(data());
    window->newCommand();
    const QString rateOf0 =
        QStringLiteral("parámetro 1 del elemento 1-1: la tasa de fallo debe ser mayor que 0");
    const int rate = valueLine(savedLines(path(QStringLiteral("NUEVO.DAT"))), kRateLabel);
    expectOpenedWith(QStringLiteral("NUEVO.DAT"), QStringLiteral("línea %1: ").arg(rate) + rateOf0);
    EXPECT_EQ(describe(data()), system);
    EXPECT_EQ(ed().txtparam1(1)->text(), QStringLiteral("0"));
    expectRunRefused(rateOf0);

    ASSERT_TRUE(saveAs(path(QStringLiteral("copia.dat"))));
    EXPECT_EQ(readFile(path(QStringLiteral("COPIA.DAT"))), saved);

    // Put right and saved, it opens as any file the engine runs.
    element(1, 0, {"0.001"});
    ASSERT_TRUE(window->save());
    dialogs.clear();
    window->newCommand();
    open(path(QStringLiteral("COPIA.DAT")));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(ed().txtparam1(1)->text(), QStringLiteral("0.001"));
}

TEST_F(DraftFileTest, ASeedOrTrialsTheEngineRefusesOpenWithTheFirstRefusal) {
    element(1, 0, {"0.001"});
    ASSERT_TRUE(saveAs(path(QStringLiteral("bueno.dat"))));
    std::vector<std::string> lines = savedLines(path(QStringLiteral("BUENO.DAT")));
    const int seed = valueLine(lines, kSeedLabel), trials = valueLine(lines, kTrialsLabel);
    const QString seedWords =
        QStringLiteral("la semilla debe estar entre -161803398 y 161803398 (se leyó -200000000)");
    const QString trialsWords =
        QStringLiteral("el número de pruebas debe ser al menos 1 (se leyó 0)");

    // Both refused: the seed comes first in the file, and first for the engine.
    lines[static_cast<std::size_t>(seed - 1)] = "-200000000";
    lines[static_cast<std::size_t>(trials - 1)] = "0";
    writeLines(path(QStringLiteral("AMBOS.DAT")), lines);
    expectOpenedWith(QStringLiteral("AMBOS.DAT"),
                     QStringLiteral("línea %1: ").arg(seed) + seedWords);
    EXPECT_EQ(data().seed, -200000000);
    EXPECT_EQ(data().trialCount, 0);
    expectRunRefused(seedWords);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(trialsWords));

    lines[static_cast<std::size_t>(seed - 1)] = "161803398";
    writeLines(path(QStringLiteral("PRUEBAS.DAT")), lines);
    expectOpenedWith(QStringLiteral("PRUEBAS.DAT"),
                     QStringLiteral("línea %1: ").arg(trials) + trialsWords);
    EXPECT_EQ(data().seed, 161803398);
    expectRunRefused(trialsWords);
}

TEST_F(FileCommandsTest, RedundancyAnswerOf3AndTheValuesAsTheEngineReadsThem) {
    redundancy(true);
    element(1, 0, {"0.001"});
    ASSERT_TRUE(saveAs(path(QStringLiteral("sis.dat"))));
    std::vector<std::string> lines = savedLines(path(QStringLiteral("SIS.DAT")));
    ASSERT_EQ(lines[17], "1");  // the redundancy answer
    lines[17] = "3";
    lines[lines.size() - 4] = "25";
    lines[lines.size() - 1] = "1500";
    writeLines(path(QStringLiteral("TRES.DAT")), lines);
    window->newCommand();

    open(path(QStringLiteral("TRES.DAT")));
    EXPECT_FALSE(data().redundancyStudy);
    EXPECT_TRUE(ed().optred(0)->isChecked());
    EXPECT_EQ(data().seed, 25);
    EXPECT_EQ(ed().txtsemilla()->text(), QStringLiteral("25"));
    EXPECT_EQ(data().trialCount, 1500);
    EXPECT_EQ(ed().txtpruebas()->text(), QStringLiteral("1500"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Farvik-TRES.DAT"));
}

TEST_F(FileCommandsTest, PermutedKeysOfAGeneralSystemLandOnTheirOwnRows) {
    using namespace handwritten;
    Lines file = head("5", "2", "3");
    add(file,
        {"N\xFAmero de elementos en el sistema:", "3", "N\xFAmero de caminos en el sistema:", "2",
         "Elementos en serie en el camino 1:", "2", "Elementos en serie en el camino 2:", "1",
         "Dimension de las matrices del sistema:", "3", ""});
    const std::vector<std::pair<int, Lines>> blocks = {
        {3, {"5", "100", "10"}}, {1, {"1", "0.5", "0"}}, {2, {"2", "2", "300"}}};
    for (const auto& [key, values] : blocks) {
        add(file, keyedElement(key));
        add(file, distributionAndParameters(values[0], {values[1], values[2], "0"}));
    }
    add(file, {"ESQUEMA DE LOS CAMINOS", std::string(36, '-'),
               "Nombres de los elementos en serie del camino 1", "3", "1",
               "Nombres de los elementos en serie del camino 2", "2", ""});
    add(file, tail("1", "100"));
    writeLines(path(QStringLiteral("PERMUTA.DAT")), file);

    open(path(QStringLiteral("PERMUTA.DAT")));
    ASSERT_EQ(ed().elementRows(), 3);
    EXPECT_EQ(ed().cmbfallo(1)->currentText(), QStringLiteral("Exponencial"));
    EXPECT_EQ(ed().txtparam1(1)->text(), QStringLiteral("0.5"));
    EXPECT_EQ(ed().cmbfallo(2)->currentText(), QStringLiteral("Weibull"));
    EXPECT_EQ(ed().cmbfallo(3)->currentText(), QStringLiteral("Normal"));
    EXPECT_EQ(ed().txtcamino(1)->text(), QStringLiteral("3"));

    // An edit of row 1 changes element 1 and nothing else.
    ed().txtparam1(1)->setText(QStringLiteral("0.25"));
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(data().subsystems[static_cast<std::size_t>(k)].elements[1].key, k);
    EXPECT_EQ(data().subsystems[1].elements[1].params[1], 0.25);
    EXPECT_EQ(data().subsystems[3].elements[1].params[1], 100.0);
    EXPECT_EQ(data().subsystems[3].elements[1].distribution, 4);

    // Saved again, the blocks come in key order with the same values.
    ASSERT_TRUE(window->escribir_archivo_pantalla(path(QStringLiteral("ORDEN.DAT"))));
    const QByteArray saved = readFile(path(QStringLiteral("ORDEN.DAT")));
    EXPECT_LT(saved.indexOf("DATOS DEL ELEMENTO 1-1"), saved.indexOf("DATOS DEL ELEMENTO 3-1"));
    const QByteArray third = saved.mid(saved.indexOf("DATOS DEL ELEMENTO 3-1"));
    EXPECT_TRUE(third.contains("\r\n5\r\n\r\nPar\xE1metros")) << third.left(400).toStdString();
    EXPECT_TRUE(third.contains("\r\n100\r\nPar\xE1metro 2 (0 si no procede):\r\n10\r\n"));
}

}  // namespace

namespace {

// The engine runs up to 50 elements in a subsystem, more than the arrows reach (20): such a
// file opens whole, and the arrows go on from what the subsystem holds.
TEST_F(FileCommandsTest, ASubsystemBeyondTheArrowsLimitOpensWhole) {
    farvik::SystemData wide = farvik::newSystemData();
    wide.systemType = 3;
    farvik::SubsystemRec& group = wide.subsystems[1];
    group.count = 30;
    group.elements.resize(31);
    for (int j = 1; j <= 30; ++j) {
        group.elements[static_cast<std::size_t>(j)].key = static_cast<std::int16_t>(j);
        group.elements[static_cast<std::size_t>(j)].params[1] = 0.001;
    }
    wide.elementCount = 30;
    writeFile(path(QStringLiteral("ANCHO.DAT")), farvik::dataFileBytesFor(wide));
    open(path(QStringLiteral("ANCHO.DAT")));
    ASSERT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join('|').toStdString();
    EXPECT_EQ(ed().elementRows(), 30);
    EXPECT_EQ(ed().txtelemsubs(1)->text(), QStringLiteral("30"));

    ed().udelemsubs(1)->pressUp();  // the limit is said, nothing is lost
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(ed().txtelemsubs(1)->text(), QStringLiteral("30"));
    EXPECT_EQ(data().subsystems[1].count, 30);
    EXPECT_EQ(ed().elementRows(), 30);

    ed().udelemsubs(1)->pressDown();
    EXPECT_EQ(ed().txtelemsubs(1)->text(), QStringLiteral("29"));
    EXPECT_EQ(data().subsystems[1].count, 29);
    EXPECT_EQ(ed().elementRows(), 29);
}

}  // namespace
