#pragma once

#include <QList>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRect>
#include <functional>

#include "document_host.h"
#include "document_title.h"
#include "settings_store.h"
#include "window_placement.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

namespace farvik {

// The frame window of farvik: menus, toolbar, the one open document and every command.
// The data editor, the viewer and the graphs open inside it as child windows.
class frmMain : public QMainWindow, public DocumentHost {
    Q_OBJECT

  public:
    // Starts up as the splash shows it: placement from the settings store, separators,
    // and a new untitled document.
    explicit frmMain(SettingsStore settings = SettingsStore(), QWidget* parent = nullptr);
    ~frmMain() override;

    // What ends the program. By default the application's event loop; tests observe it.
    void setProgramEnd(std::function<void()> end) { programEnd_ = std::move(end); }

    // Document state and caption.
    DocumentState& document() override { return document_; }
    void cambia_titulo() override;
    void nuevo_documento();
    const QString& programTitle() const { return programTitle_; }
    const QString& documentTitle() const { return documentTitle_; }

    // Commands.
    bool comando_nuevo();  // the New command; false when its question was answered Cancel
    void comando_abrir();  // the Open command
    bool guardar();        // Save; true when the document was written
    bool guardar_como();   // Save As; true when the document was written
    bool abrirfichero();   // open dialog and reader; true when a file was read
    bool escribir_archivo_pantalla(const QString& path);  // true when written
    void ejecutar();
    void editar(int kind);  // 0: the data file as text; 1: the results chooser
    void imprimir();
    void salir();
    void acerca_de();
    void ayuda_contenido();
    void organizar(int arrangement);  // 0 cascade, 1 tile horizontally, 2 vertically, 3 icons

    // Toolbar buttons by 1-based position (separators count) or by key.
    QAction* boton(int position) const;
    QAction* boton(const QString& key) const;
    QMdiArea* mdiArea() const { return mdiArea_; }
    QMdiSubWindow* dataEditorWindow() const { return dataEditor_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // No context menu for hiding the toolbar behind the View menu's back.
    QMenu* createPopupMenu() override { return nullptr; }

  private:
    void crear_menus();
    void crear_barra();
    void rellenar_lista_ventanas();
    void colocar(const WindowPlacement& placement);
    void guardar_colocacion();
    bool preguntar_al_cerrar();
    DocumentButtons botones() const;
    void fijar_botones(const DocumentButtons& buttons);
    void abrir_editor_datos();

    SettingsStore settings_;
    std::function<void()> programEnd_;

    DocumentState document_;
    QString programTitle_;
    QString documentTitle_;

    // Where the window was placed at start-up, so that an unmoved window stores the very
    // values it was read from.
    WindowPlacement placedTwips_;
    QRect placedPixels_;

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    QPointer<QMdiSubWindow> dataEditor_;
};

}  // namespace farvik
