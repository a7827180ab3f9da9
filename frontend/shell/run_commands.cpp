// Running the engine on the document and showing the data file and the results.
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "base/child_window.h"
#include "base/dialog_seam.h"
#include "base/text_file.h"
#include "datafile_writer.h"
#include "editor/engine_checks.h"
#include "editor/frmdatos.h"
#include "editor/system_data.h"
#include "engine_run.h"
#include "file_names.h"
#include "frmconsola.h"
#include "frmedit.h"
#include "main_window.h"
#include "results/frmcomprobacion.h"
#include "results/frmgraficos.h"
#include "results/frmprintres.h"
#include "results/result_printing.h"
#include "toolbar_layout.h"

namespace farvik {
namespace {

// The most of a file the viewer holds. Data files and most results are far smaller; of a
// larger one (the redundancy trials of a large system pass 100 MB) the start is shown, at
// once, rather than the memory filled with it.
constexpr qint64 kViewerBytes = qint64(4) << 20;

}  // namespace

void frmMain::ejecutar() {
    toolbarButton(kEditarR)->setEnabled(false);
    if (running_) {
        // One engine at a time: two would write the same result files.
        if (console_) mdiArea_->setActiveSubWindow(console_);
        return;
    }
    if (document_.currentFile.isEmpty()) return;
    const QString dataFile = document_.currentFile;
    // The engine would run <NAME>.DAT, some other file or none.
    if (!hasDataExtension(dataFile)) {
        dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(),
                          QStringLiteral("Sólo se pueden ejecutar ficheros con la extensión .DAT"));
        return;
    }
    // A value the engine would refuse: say which, and leave the engine and the earlier
    // results alone.
    const auto refusals = editor::engineRefusals(systemData());
    if (!refusals.empty()) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          editor::refusalSummary(refusals));
        return;
    }
    // The windows of earlier results would show what this run is about to replace.
    closeResults();
    const QString folder = folderOf(dataFile);
    const quint64 document = documentNumber_;

    const int result = ejecutar_y_esperar({enginePath_, {engineArgument(dataFile)}, folder});
    // A document begun or opened meanwhile is not the one that was run: what the run left
    // is not shown over it (its console was closed with the document it belonged to).
    if (documentNumber_ != document) return;
    if (result == 0) {
        // The results belong to this document only if it is still the file that was run.
        if (document_.currentFile == dataFile && !document_.modified) {
            toolbarButton(kEditarR)->setEnabled(true);
            // The check of this run, behind the summary: the summary stays in front, as
            // after every run.
            showExactCheck(false);
        }
        const QString summary = findIgnoringCase(folder, QStringLiteral("resumen.txt"));
        mostrar_fichero(summary.isEmpty() ? folder + QStringLiteral("/resumen.txt") : summary);
    } else if (result == kRunFailed) {
        dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(),
                          QStringLiteral("El fichero no se ha ejecutado correctamente"));
    }
    // Any other end: the console stays open with what the engine said.
}

int frmMain::ejecutar_y_esperar(const EngineCommand& command) {
    if (console_) console_->close();  // the console of an earlier run
    auto* console = new frmconsola(QFileInfo(command.program).fileName() + QLatin1Char(' ') +
                                   command.arguments.join(' '));
    console_ = mdiArea_->addSubWindow(console);
    placeChildWindow(*mdiArea_, *console_);
    console->show();
    mdiArea_->setActiveSubWindow(console_);
    console->setFocus();

    running_ = true;
    int result;
    {
        EngineRun run(command, console);
        run_ = &run;
        result = run.exec();
        run_ = nullptr;
    }
    running_ = false;

    // A stopped run leaves nothing to read in its console; a complete one leaves how long it
    // took, behind the results.
    if (result == kRunCancelled && console_) console_->close();
    return result;
}

bool frmMain::engineRunning() const {
    return run_ && run_->running();
}

bool frmMain::stopRunFirst() {
    if (!engineRunning()) return true;
    // The engine runs NAME.DAT for its argument NAME.
    const QStringList& arguments = run_->command().arguments;
    const QString file = arguments.size() == 1 ? arguments.first() + QStringLiteral(".DAT")
                                               : QFileInfo(run_->command().program).fileName();
    const MessageAnswer answer = dialogs().message(
        this, MessageIcon::Question, MessageButtons::OkCancel, QString(),
        QStringLiteral("Se está ejecutando %1. ¿Deseas detener la ejecución?").arg(file));
    if (answer != MessageAnswer::Ok) return false;
    // The engine may have ended while the question was open; then there is nothing to stop.
    if (run_) run_->cancel();
    return true;
}

void frmMain::mostrar_fichero(const QString& path) {
    const auto text = readTextFileStart(path, kViewerBytes);
    if (!text) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se puede leer el fichero ") + path);
        return;
    }
    if (!viewer_) {
        auto* viewer = new frmedit;
        connect(viewer, &frmedit::printRequested, this, &frmMain::printViewerText);
        viewer_ = mdiArea_->addSubWindow(viewer);
        placeChildWindow(*mdiArea_, *viewer_);
    }
    auto* viewer = qobject_cast<frmedit*>(viewer_->widget());
    viewer->btprint()->setEnabled(canPrintText());
    viewer->display(path, *text);
    viewer_->show();
    mdiArea_->setActiveSubWindow(viewer_);
}

void frmMain::closeResults() {
    if (viewer_) viewer_->close();
    if (exactCheck_) exactCheck_->close();
    closeGraphs(*mdiArea_);
    if (console_) console_->close();
}

void frmMain::printViewerText(const QString& path) {
    auto* viewer = viewer_ ? qobject_cast<frmedit*>(viewer_->widget()) : nullptr;
    if (!textPrinter_ || !viewer) return;
    // Printed, the viewer has done its work; a cancelled print dialog leaves it open.
    if (textPrinter_(this, path, viewer->printedText())) viewer_->close();
}

void frmMain::editar(int kind) {
    if (kind == 0) {
        mostrar_fichero(document_.currentFile);
        return;
    }
    // The results of the document's last run lie in the folder of its data file.
    const QString folder = QFileInfo(document_.currentFile).absolutePath();
    auto* chooser = new frmprintres(
        folder,
        {[this](const QString& path) { mostrar_fichero(path); },
         [this, folder] { openGraphsOfDocument(folder); }, [this] { studyReport(); }},
        this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    // The redundancy results exist only when the editor asks for the study ("No" unselected).
    frmdatos* editor = dataEditor();
    chooser->setRedundancyOffered(!editor || !editor->optred(0)->isChecked());
    chooser->open();
}

// The results are the document's (EditarR is on only while it is unchanged since its run):
// its data file is what the table was simulated from, for the exact curves.
void frmMain::openGraphsOfDocument(const QString& folder) {
    QFile data(document_.currentFile);
    const QByteArray bytes = data.open(QIODevice::ReadOnly) ? data.readAll() : QByteArray();
    openGraphs(*mdiArea_, folder, bytes, document_.currentFile);
}

void frmMain::showExactCheck(bool activate) {
    if (!dataEditor()) return;
    ExactCheckRequest request;
    request.dataFile = dataFileBytesFor(systemData());
    request.dataFileName =
        document_.currentFile.isEmpty() ? QStringLiteral("Sin título.DAT") : document_.currentFile;
    // The document's own results: those of its last run, while it is unchanged since.
    if (toolbarButton(kEditarR)->isEnabled() && !document_.currentFile.isEmpty()) {
        const QString summary =
            findIgnoringCase(folderOf(document_.currentFile), QStringLiteral("resumen.txt"));
        QFile file(summary);
        if (!summary.isEmpty() && file.open(QIODevice::ReadOnly)) request.summary = file.readAll();
    }
    // Opened by itself after a run, it tells a failure (a system too large) in its own text
    // rather than by a message box after every run.
    request.announceFailure = activate;
    if (exactCheck_) exactCheck_->close();
    auto* check = new frmcomprobacion(request);
    exactCheck_ = mdiArea_->addSubWindow(check);
    exactCheck_->setAttribute(Qt::WA_DeleteOnClose);
    placeChildWindow(*mdiArea_, *exactCheck_);
    check->show();
    if (activate) mdiArea_->setActiveSubWindow(exactCheck_);
}

}  // namespace farvik
