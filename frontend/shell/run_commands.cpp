// Running the engine on the document and showing the data file and the results.
#include <QDir>
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
#include "document/datafile_writer.h"
#include "document/system_data.h"
#include "editor/engine_checks.h"
#include "editor/frmdatos.h"
#include "engine_run.h"
#include "file_names.h"
#include "folder_hold.h"
#include "frmconsola.h"
#include "frmedit.h"
#include "main_window.h"
#include "result_file_names.h"
#include "result_identity.h"
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

const QString kResultsNotOwn = QStringLiteral(
    "Los resultados que hay en la carpeta no son los de este documento: han "
    "cambiado desde que terminó su ejecución.");

}  // namespace

void frmMain::ejecutar() {
    if (!runState_.idle()) {
        // One engine at a time: two would write the same result files.
        if (console_) mdiArea_->setActiveSubWindow(console_);
        return;
    }
    if (systemDocument_.fileName().isEmpty()) return;
    const QString dataFile = systemDocument_.fileName();
    // The engine would run <NAME>.DAT, some other file or none.
    if (!hasDataExtension(dataFile)) {
        dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, QString(),
                          QStringLiteral("Sólo se pueden ejecutar ficheros con la extensión .DAT"));
        return;
    }
    // A value the engine would refuse: say which, and leave the engine and the earlier
    // results alone.
    const auto refusals = editor::engineRefusals(systemDocument_.system());
    if (!refusals.empty()) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          editor::refusalSummary(refusals));
        return;
    }
    // Whether the results in the folder are the document's own: they are again if the run
    // does not end well and they come back.
    ownBeforeRun_ = systemDocument_.resultsAreOwn();
    systemDocument_.setResultsAreOwn(false);
    // The windows of earlier results would show what this run is about to replace.
    closeResults();
    runDataFile_ = dataFile;
    runDataIdentity_ = identityOf(dataFile);
    startEngine({enginePath_, {engineArgument(dataFile)}, folderOf(dataFile)});
}

void frmMain::startEngine(const EngineCommand& command) {
    if (!runState_.begin()) return;
    if (console_) console_->close();  // the console of an earlier run
    auto* console = new frmconsola(QFileInfo(command.program).fileName() + QLatin1Char(' ') +
                                   command.arguments.join(' '));
    console_ = mdiArea_->addSubWindow(console);
    placeChildWindow(*mdiArea_, *console_);
    console->show();
    mdiArea_->setActiveSubWindow(console_);
    console->setFocus();
    showRunCommands();

    run_ = new EngineRun(command, console, this);
    connect(run_, &EngineRun::ended, this, [this](const RunEnd& end) {
        if (const auto taken = runState_.engineEnded(end)) takeRunEnd(*taken);
    });
    run_->start();
}

void frmMain::showRunCommands() {
    // Ejecutar is off while a run goes on; otherwise the document says.
    if (!runState_.idle())
        toolbarButton(kEjecutar)->setEnabled(false);
    else
        cambia_titulo();
}

void frmMain::takeRunEnd(const RunState::Taken& taken) {
    if (run_) run_->deleteLater();
    const QString folder = run_ ? run_->command().workingFolder : folderOf(runDataFile_);
    run_ = nullptr;
    const RunEnd& end = taken.end;

    // The results are the document's own only while it is still the very file that was run:
    // not changed, not saved under another name, not rewritten meanwhile.
    const bool sameDocument = systemDocument_.fileName() == runDataFile_ &&
                              !systemDocument_.isModified() &&
                              identityOf(runDataFile_) == runDataIdentity_;
    bool own = false;
    // Held while what the run left is noted and read, so that no other run can start
    // rewriting it meanwhile; never while a box waits for the user.
    FolderHold hold(folder);
    if (end.kind != RunEnd::Kind::Complete) hold.release();
    if (end.kind == RunEnd::Kind::Complete && hold.heldElsewhere()) {
        // Another run took the folder the moment this one ended: its files are no longer
        // provably this run's.
        ownResults_.reset();
        systemDocument_.setResultsAreOwn(false);
        showRunCommands();
        if (taken.shown)
            dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                              kResultsNotOwn);
        return;
    }
    if (end.kind == RunEnd::Kind::Complete) {
        // What the run left, as it left it: farvik shows these files under the document
        // only while they are still these.
        ownResults_ = ResultIdentity::of(folder);
        own = sameDocument;
    } else {
        // The earlier results are back as they were: the document's own if they were.
        own = sameDocument && ownBeforeRun_ && ownResults_ && ownResults_->matches(folder);
    }
    if (!own) ownResults_.reset();
    systemDocument_.setResultsAreOwn(own);
    showRunCommands();
    if (!taken.shown) return;

    switch (end.kind) {
        case RunEnd::Kind::Complete: {
            // The check of this run, behind the summary: the summary stays in front, as
            // after every run.
            if (own) showExactCheck(false);
            const QString name = QString::fromLatin1(result_files::kSummary);
            QString summary = findIgnoringCase(folder, name);
            if (summary.isEmpty()) summary = folder + QLatin1Char('/') + name;
            const auto text = readTextFileStart(summary, kViewerBytes);
            hold.release();  // read: a box saying it could not be may wait for the user
            showRead(summary, text);
            break;
        }
        case RunEnd::Kind::Abnormal:
            dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                              QStringLiteral("El fichero no se ha ejecutado correctamente\n\n") +
                                  abnormalEndText(end));
            break;
        case RunEnd::Kind::FolderInUse:
            dialogs().message(
                this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                QStringLiteral("Otra ejecución del motor está usando la carpeta %1. No se ha "
                               "ejecutado %2 y sus resultados no se han tocado; vuelve a "
                               "ejecutarlo cuando termine.")
                    .arg(QDir::toNativeSeparators(folder), QFileInfo(runDataFile_).fileName()));
            break;
        case RunEnd::Kind::Stopped:
            // A stopped run leaves nothing to read in its console.
            if (console_) console_->close();
            break;
        case RunEnd::Kind::EngineError:
        case RunEnd::Kind::NotStarted:
            // The console stays open with what the engine, or the start, said.
            break;
    }
}

bool frmMain::engineRunning() const {
    return run_ && run_->running();
}

bool frmMain::stopRunFirst() {
    if (runState_.idle()) return true;
    // The engine runs NAME.DAT for its argument NAME.
    const QStringList& arguments = run_->command().arguments;
    const QString file = arguments.size() == 1 ? arguments.first() + QStringLiteral(".DAT")
                                               : QFileInfo(run_->command().program).fileName();
    runState_.ask();
    const MessageAnswer answer = dialogs().message(
        this, MessageIcon::Question, MessageButtons::OkCancel, QString(),
        QStringLiteral("Se está ejecutando %1. ¿Deseas detener la ejecución?").arg(file));
    const bool stop = answer == MessageAnswer::Ok;
    // The engine may have ended while the question was open: its end is taken now.
    if (const auto taken = runState_.answered(stop)) takeRunEnd(*taken);
    if (!stop) return false;
    if (run_) run_->cancel();
    return true;
}

void frmMain::forgetRun() {
    // A document begun without the stop question (at start-up, or by a caller that asked
    // it): no run of the old one goes on under the new one.
    if (run_) run_->cancel();
    ownResults_.reset();
}

void frmMain::mostrar_fichero(const QString& path) {
    showRead(path, readTextFileStart(path, kViewerBytes));
}

void frmMain::showRead(const QString& path, const std::optional<TextFileStart>& text) {
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
    if (importance_) importance_->close();
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
        mostrar_fichero(systemDocument_.fileName());
        return;
    }
    if (resultsReplaced()) return;
    // The results of the document's last run lie in the folder of its data file.
    const QString folder = QFileInfo(systemDocument_.fileName()).absolutePath();
    auto* chooser = new frmprintres(
        folder,
        {[this](const QString& path) {
             if (!resultsReplaced()) mostrar_fichero(path);
         },
         [this, folder] { openGraphsOfDocument(folder); }, [this] { studyReport(); }},
        this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    // The redundancy results exist only when the system asks for the study.
    chooser->setRedundancyOffered(systemDocument_.system().redundancyStudy);
    chooser->open();
}

bool frmMain::resultsReplaced() {
    if (!ownResults_ || ownResults_->matches(folderOf(systemDocument_.fileName()))) return false;
    // Another run wrote there since (from another window, or by hand): what the folder holds
    // now belongs to some other system or run.
    ownResults_.reset();
    systemDocument_.setResultsAreOwn(false);
    dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                      kResultsNotOwn);
    return true;
}

// The results are the document's (EditarR is on only while it is unchanged since its run):
// its data file is what the table was simulated from, for the exact curves.
void frmMain::openGraphsOfDocument(const QString& folder) {
    if (resultsReplaced()) return;
    QFile data(systemDocument_.fileName());
    const QByteArray bytes = data.open(QIODevice::ReadOnly) ? data.readAll() : QByteArray();
    openGraphs(*mdiArea_, folder, bytes, systemDocument_.fileName());
}

void frmMain::showExactCheck(bool activate) {
    if (!dataEditor()) return;
    ExactCheckRequest request;
    request.dataFile = dataFileBytesFor(systemDocument_.system());
    request.dataFileName = systemDocument_.fileName().isEmpty() ? QStringLiteral("Sin título.DAT")
                                                                : systemDocument_.fileName();
    // The document's own results: those of its last run, while it is unchanged since.
    if (systemDocument_.resultsAreOwn() && !systemDocument_.fileName().isEmpty() &&
        !resultsReplaced()) {
        const QString summary = findIgnoringCase(folderOf(systemDocument_.fileName()),
                                                 QString::fromLatin1(result_files::kSummary));
        QFile file(summary);
        if (!summary.isEmpty() && file.open(QIODevice::ReadOnly)) request.summary = file.readAll();
    }
    // Opened by itself after a run, it tells a failure (a system too large) in its own text
    // rather than by a message box after every run.
    request.announceFailure = activate;
    if (exactCheck_) exactCheck_->close();
    auto* check = new frmcomprobacion(request);
    connect(check, &frmcomprobacion::importanceRequested, this, [this] { showImportance(); });
    exactCheck_ = mdiArea_->addSubWindow(check);
    exactCheck_->setAttribute(Qt::WA_DeleteOnClose);
    placeChildWindow(*mdiArea_, *exactCheck_);
    check->show();
    if (activate) mdiArea_->setActiveSubWindow(exactCheck_);
}

}  // namespace farvik
