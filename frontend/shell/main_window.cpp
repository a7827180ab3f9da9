#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "about_box.h"
#include "base/dialog_seam.h"
#include "base/number_locale.h"
#include "base/printable_view.h"
#include "base/program_folder.h"
#include "editor/frmdatos.h"
#include "engine_run.h"
#include "help_window.h"
#include "installed_files.h"
#include "pictures.h"
#include "results/print_command.h"
#include "results/result_printing.h"
#include "toolbar_layout.h"
#include "window_arrangement.h"

namespace farvik {
namespace {

const QString kSaveQuestion =
    QStringLiteral("El archivo de datos ha cambiado. ¿Deseas guardar los cambios?");

MessageAnswer ask(QWidget* parent, MessageButtons buttons, const QString& text) {
    return dialogs().message(parent, MessageIcon::Question, buttons, QString(), text);
}

}  // namespace

frmMain::frmMain(SettingsStore settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(std::move(settings)),
      recentFiles_(settings_),
      programEnd_([] { QCoreApplication::exit(0); }),
      enginePath_(programFolder() + QStringLiteral("/brenta")),
      manualFile_(installedManual(programFolder())),
      examplesFolder_(installedExamples(programFolder())),
      exampleCopyFolder_(exampleCopyFolder()),
      startFolder_(QDir::currentPath()) {
    setTextPrinter(printResultFile);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Farvik"));
    setWindowIcon(QIcon(programPicture(32)));

    mdiArea_ = new QMdiArea(this);
    // Children larger than the frame are scrolled to, so they never force the frame to grow.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(palette().dark());
    setCentralWidget(mdiArea_);
    createMenus();
    createToolbar();
    createRunMenu();
    fillRecentFiles();
    setAcceptDrops(true);
    trackPrintableView(
        *mdiArea_, this,
        {findChild<QAction*>(QStringLiteral("mnuFilePrint")), toolbarButton("Imprimir")});
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));

    applyPlacement(readPlacement(settings_));

    // The status bar is never shown, and neither is its menu item.
    QAction* statusItem = findChild<QAction*>(QStringLiteral("mnuViewStatusBar"));
    statusItem->setChecked(false);
    statusItem->setEnabled(false);
    statusItem->setVisible(false);
    statusBar()->hide();

    fijar_separadores();
    // The caption and the toolbar follow the document.
    connect(&systemDocument_, &SystemDocument::modifiedChanged, this, [this] { cambia_titulo(); });
    connect(&systemDocument_, &SystemDocument::fileNameChanged, this, [this] { cambia_titulo(); });
    connect(&systemDocument_, &SystemDocument::resultsAreOwnChanged, this,
            [this] { cambia_titulo(); });
    nuevo_documento();
}

frmMain::~frmMain() {
    // The area reports a last activation while it is being destroyed.
    mdiArea_->disconnect(this);
    // An engine still at work is stopped without reporting its end to a window half gone.
    delete run_;
    // The child windows go before the document they show.
    delete mdiArea_;
}

void frmMain::applyPlacement(const WindowPlacement& placement) {
    placedTwips_ = placement;
    placedPixels_ = placementToPixels(placement, logicalDpiX(), logicalDpiY());
    move(placedPixels_.topLeft());
    resize(placedPixels_.size());
}

void frmMain::saveWindowPlacement() {
    const QRect now(pos(), size());
    const WindowPlacement placement =
        now == placedPixels_ ? placedTwips_ : pixelsToPlacement(now, logicalDpiX(), logicalDpiY());
    storePlacement(settings_, placement);
}

// ---- Document state -------------------------------------------------------------------

const DocumentState frmMain::document() const {
    return {systemDocument_.fileName(), systemDocument_.isModified()};
}

DocumentButtons frmMain::documentButtons() const {
    // EditarR from the document: whether the results in the folder are its own.
    return {toolbarButton(kGuardar)->isEnabled(), toolbarButton(kEjecutar)->isEnabled(),
            toolbarButton(kEditarD)->isEnabled(), systemDocument_.resultsAreOwn()};
}

void frmMain::setDocumentButtons(const DocumentButtons& buttons) {
    toolbarButton(kGuardar)->setEnabled(buttons.guardar);
    // Never a second run while one goes on.
    toolbarButton(kEjecutar)->setEnabled(buttons.ejecutar && runState_.idle());
    toolbarButton(kEditarD)->setEnabled(buttons.editarD);
    toolbarButton(kEditarR)->setEnabled(buttons.editarR);
}

void frmMain::cambia_titulo() {
    showTitle(document());
}

void frmMain::showTitle(const DocumentState& state) {
    const TitleView view = titleViewFor(state, programTitle_, documentTitle_, documentButtons());
    documentTitle_ = view.documentTitle;
    setWindowTitle(view.caption);
    setDocumentButtons(view.buttons);
}

void frmMain::nuevo_documento() {
    startDocument(newSystemData(), QString());
    // The editor's defaults show as a change: a new document looks unsaved (asterisk,
    // Guardar on), yet New and Salir ask nothing until the user changes something.
    showTitle({QString(), true});
}

void frmMain::startDocument(const SystemData& system, const QString& file) {
    forgetRun();
    programTitle_ = QStringLiteral("Farvik");
    if (dataEditor_) {
        // The old editor and its contents are discarded, not saved.
        QMdiSubWindow* old = dataEditor_;
        if (dataEditorWidget_) dataEditorWidget_->disconnect(this);
        delete dataEditorWidget_;
        mdiArea_->removeSubWindow(old);
        old->deleteLater();
    }
    systemDocument_.begin(system, file);
    setDocumentButtons({false, true, true, false});
    cambia_titulo();

    closeResults();
    openDataEditor();
}

void frmMain::openDataEditor() {
    auto* editor = new frmdatos(systemDocument_, mdiArea_);
    dataEditorWidget_ = editor;
    dataEditor_ = mdiArea_->addSubWindow(editor);
    // Its close control only hides it (see eventFilter).
    dataEditor_->installEventFilter(this);
    // At the top left corner, so that a frame smaller than the editor scrolls from there.
    dataEditor_->move(0, 0);
    editor->show();
}

void frmMain::showDataEditor() {
    if (!dataEditor_) return;
    if (dataEditor_->isMinimized()) dataEditor_->showNormal();
    dataEditor_->show();
    mdiArea_->setActiveSubWindow(dataEditor_);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // The editor holds the document: closing it would leave nothing to edit or save but a
    // new document. So its close control hides it, and Ver > "&Datos del sistema" brings
    // it back as it was; only a new document replaces it.
    if (event->type() == QEvent::Close && dataEditor_ && watched == dataEditor_.data()) {
        event->ignore();
        dataEditor_->hide();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Commands -------------------------------------------------------------------------

bool frmMain::newCommand() {
    if (!mayReplaceDocument()) return false;
    nuevo_documento();
    return true;
}

bool frmMain::mayReplaceDocument() {
    if (!stopRunFirst()) return false;
    if (!systemDocument_.isModified()) return true;
    switch (ask(this, MessageButtons::YesNoCancel, kSaveQuestion)) {
        case MessageAnswer::Yes:
            // The changes are dropped only once they are safely written.
            return save();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void frmMain::openCommand() {
    // The save question first; the document is begun anew only once a file was chosen
    // (a cancelled dialog leaves it as it was).
    if (!mayReplaceDocument()) return;
    if (!abrirfichero()) return;
    setDocumentButtons({false, true, true, false});
    cambia_titulo();
    rememberRecentFile();
}

// Prints what the current result view shows; the command is off while there is none.
void frmMain::printView() {
    if (PrintableView* view = printableView(*mdiArea_)) view->printView();
}

void frmMain::salir() {
    if (!stopRunFirst()) return;
    if (!systemDocument_.isModified()) {
        if (ask(this, MessageButtons::YesNo,
                QStringLiteral("Estás seguro que deseas abandonar el programa")) ==
            MessageAnswer::Yes)
            close();
        return;
    }
    switch (ask(this, MessageButtons::YesNo, kSaveQuestion)) {
        case MessageAnswer::No:
            // Leave at once: nothing written, and the placement is not stored either.
            programEnd_();
            return;
        case MessageAnswer::Yes:
            // Changes the user asked to keep are not thrown away when they could not be
            // written.
            if (save()) close();
            return;
        default:
            // The question dismissed (Escape, its close control): nothing was answered, so
            // the program stays with its document as it was.
            return;
    }
}

bool frmMain::confirmClose() {
    switch (ask(this, MessageButtons::YesNoCancel, kSaveQuestion)) {
        case MessageAnswer::Yes:
            return save();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!stopRunFirst()) {
        event->ignore();
        return;
    }
    // Closing by the window's own control must not lose unsaved changes without a word.
    if (systemDocument_.isModified() && !confirmClose()) {
        event->ignore();
        return;
    }
    if (!isMinimized()) saveWindowPlacement();
    mdiArea_->closeAllSubWindows();
    event->accept();
    programEnd_();
}

void frmMain::about() {
    frmAbout about(this);
    about.exec();
}

void frmMain::arrange(int arrangement) {
    if (arrangement < 0 || arrangement > 3) return;
    arrangeWindows(*mdiArea_, static_cast<Arrangement>(arrangement));
}

}  // namespace farvik
