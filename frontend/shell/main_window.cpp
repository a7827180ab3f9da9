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
#include "pictures.h"
#include "results/print_command.h"
#include "results/result_printing.h"
#include "window_arrangement.h"

namespace farvik {
namespace {

const QString kSaveQuestion =
    QStringLiteral("El archivo de datos ha cambiado. ¿Deseas guardar los cambios?");

// The toolbar positions of the buttons that follow the document state.
constexpr int kGuardar = 3;
constexpr int kEjecutar = 5;
constexpr int kEditarD = 8;
constexpr int kEditarR = 9;

MessageAnswer ask(QWidget* parent, MessageButtons buttons, const QString& text) {
    return dialogs().message(parent, MessageIcon::Question, buttons, QString(), text);
}

}  // namespace

frmMain::frmMain(SettingsStore settings, QWidget* parent)
    : QMainWindow(parent),
      settings_(std::move(settings)),
      programEnd_([] { QCoreApplication::exit(0); }),
      enginePath_(programFolder() + QStringLiteral("/brenta")),
      startFolder_(QDir::currentPath()) {
    setTextPrinter(imprimir_fichero);
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
    crear_menus();
    crear_barra();
    seguir_vista_imprimible(
        *mdiArea_, this, {findChild<QAction*>(QStringLiteral("mnuFilePrint")), boton("Imprimir")});
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));

    colocar(readPlacement(settings_));

    // The status bar is never shown, and neither is its menu item.
    QAction* statusItem = findChild<QAction*>(QStringLiteral("mnuViewStatusBar"));
    statusItem->setChecked(false);
    statusItem->setEnabled(false);
    statusItem->setVisible(false);
    statusBar()->hide();

    fijar_separadores();
    nuevo_documento();
}

frmMain::~frmMain() {
    // The area reports a last activation while it is being destroyed.
    mdiArea_->disconnect(this);
}

void frmMain::colocar(const WindowPlacement& placement) {
    placedTwips_ = placement;
    placedPixels_ = placementToPixels(placement, logicalDpiX(), logicalDpiY());
    move(placedPixels_.topLeft());
    resize(placedPixels_.size());
}

void frmMain::guardar_colocacion() {
    const QRect now(pos(), size());
    const WindowPlacement placement =
        now == placedPixels_ ? placedTwips_ : pixelsToPlacement(now, logicalDpiX(), logicalDpiY());
    storePlacement(settings_, placement);
}

// ---- Document state -------------------------------------------------------------------

DocumentButtons frmMain::botones() const {
    return {boton(kGuardar)->isEnabled(), boton(kEjecutar)->isEnabled(),
            boton(kEditarD)->isEnabled(), boton(kEditarR)->isEnabled()};
}

void frmMain::fijar_botones(const DocumentButtons& buttons) {
    boton(kGuardar)->setEnabled(buttons.guardar);
    boton(kEjecutar)->setEnabled(buttons.ejecutar);
    boton(kEditarD)->setEnabled(buttons.editarD);
    boton(kEditarR)->setEnabled(buttons.editarR);
}

void frmMain::cambia_titulo() {
    const TitleView view = titleViewFor(document_, programTitle_, documentTitle_, botones());
    documentTitle_ = view.documentTitle;
    setWindowTitle(view.caption);
    fijar_botones(view.buttons);
}

void frmMain::nuevo_documento() {
    document_.currentFile.clear();
    programTitle_ = QStringLiteral("Farvik");
    document_.modified = false;
    fijar_botones({false, true, true, false});
    cambia_titulo();

    cerrar_resultados();
    abrir_editor_datos();
    // The editor's opening marked the document modified, so it shows as unsaved; yet
    // nothing has been typed, and leaving it asks nothing about saving.
    document_.modified = false;
}

void frmMain::abrir_editor_datos() {
    if (dataEditor_) {
        // The old contents are discarded, not saved.
        QMdiSubWindow* old = dataEditor_;
        mdiArea_->removeSubWindow(old);
        old->deleteLater();
    }
    auto* editor = new frmdatos(*this, mdiArea_);
    dataEditorWidget_ = editor;
    dataEditor_ = mdiArea_->addSubWindow(editor);
    // At the top left corner, so that a frame smaller than the editor scrolls from there.
    dataEditor_->move(0, 0);
    editor->show();
    seguir_editor_en_diagrama();
}

// ---- Commands -------------------------------------------------------------------------

bool frmMain::comando_nuevo() {
    if (!document_.modified) {
        nuevo_documento();
        return true;
    }
    switch (ask(this, MessageButtons::YesNoCancel, kSaveQuestion)) {
        case MessageAnswer::Yes:
            // The changes are dropped only once they are safely written.
            if (!guardar()) return false;
            break;
        case MessageAnswer::No:
            break;
        default:
            return false;
    }
    nuevo_documento();
    return true;
}

void frmMain::comando_abrir() {
    if (!comando_nuevo()) return;
    if (!abrirfichero()) return;
    fijar_botones({false, true, true, false});
    cambia_titulo();
}

// Prints what the current result view shows; the command is off while there is none.
void frmMain::imprimir() {
    if (PrintableView* view = vista_imprimible(*mdiArea_)) view->imprimir();
}

void frmMain::salir() {
    if (!document_.modified) {
        if (ask(this, MessageButtons::YesNo,
                QStringLiteral("Estás seguro que deseas abandonar el programa")) ==
            MessageAnswer::Yes)
            close();
        return;
    }
    if (ask(this, MessageButtons::YesNo, kSaveQuestion) == MessageAnswer::No) {
        // Leave at once: nothing written, and the placement is not stored either.
        programEnd_();
        return;
    }
    // Changes the user asked to keep are not thrown away when they could not be written.
    if (guardar()) close();
}

bool frmMain::preguntar_al_cerrar() {
    switch (ask(this, MessageButtons::YesNoCancel, kSaveQuestion)) {
        case MessageAnswer::Yes:
            return guardar();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing by the window's own control must not lose unsaved changes without a word.
    if (document_.modified && !preguntar_al_cerrar()) {
        event->ignore();
        return;
    }
    if (!isMinimized()) guardar_colocacion();
    mdiArea_->closeAllSubWindows();
    event->accept();
    programEnd_();
}

void frmMain::acerca_de() {
    frmAbout about(this);
    about.exec();
}

void frmMain::ayuda_contenido() {
    // farvik ships no help file.
    dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, windowTitle(),
                      QStringLiteral("No se puede mostrar el contenido de la Ayuda. No hay "
                                     "Ayuda asociada a este proyecto."));
}

void frmMain::organizar(int arrangement) {
    if (arrangement < 0 || arrangement > 3) return;
    arrangeWindows(*mdiArea_, static_cast<Arrangement>(arrangement));
}

}  // namespace farvik
