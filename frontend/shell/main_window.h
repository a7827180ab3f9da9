#pragma once

#include <QList>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <functional>
#include <optional>

#include "base/settings_store.h"
#include "base/text_file.h"
#include "document/system_document.h"
#include "document_title.h"
#include "recent_files.h"
#include "result_identity.h"
#include "run_state.h"
#include "window_placement.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

namespace farvik {

class EngineRun;
class frmdatos;
class BlockDiagramWindow;
class HelpWindow;

// A program to run and how: no shell is involved, the arguments go as they are.
struct EngineCommand {
    QString program;
    QStringList arguments;
    QString workingFolder;
};

// Prints the text of a result file shown in the viewer; true when it was printed.
using TextPrinter = std::function<bool(QWidget* parent, const QString& path, const QString& text)>;

// The frame window of farvik: menus, toolbar, the one open document and every command.
// The data editor, the viewer and the graphs open inside it as child windows.
class frmMain : public QMainWindow {
    Q_OBJECT

  public:
    // Starts up as the splash shows it: placement from the settings store, separators,
    // and a new untitled document.
    explicit frmMain(SettingsStore settings = SettingsStore(), QWidget* parent = nullptr);
    ~frmMain() override;

    // What ends the program. By default the application's event loop; tests observe it.
    void setProgramEnd(std::function<void()> end) { programEnd_ = std::move(end); }

    // The document being edited: its system, file, state and history.
    SystemDocument& systemDocument() { return systemDocument_; }
    const SystemDocument& systemDocument() const { return systemDocument_; }

    // Document state and caption, as the document has them.
    const DocumentState document() const;
    void cambia_titulo();
    void nuevo_documento();
    const QString& programTitle() const { return programTitle_; }
    const QString& documentTitle() const { return documentTitle_; }

    // Commands.
    bool newCommand();    // the New command; false when its question was answered Cancel
    void openCommand();   // the Open command
    bool save();          // Save; true when the document was written
    bool saveAs();        // Save As; true when the document was written
    bool abrirfichero();  // open dialog and reader; true when a file was read
    // Reads the data file at `path` as the new document, as Abrir does once its dialog has
    // given a name (its save question must have been asked before). A file that cannot be
    // opened, or is no regular file, is refused with a message and the document stays as
    // it was. True when the file was read whole.
    bool openDataFile(const QString& path);
    // After Save As: the file name in upper case, the overwrite question, the write. True
    // when the document was written.
    bool confirmar_y_guardar(QString& path);
    // Writes the editor state to the path, all or nothing; true when written.
    bool escribir_archivo_pantalla(const QString& path);
    // Starts the engine on the document's data file and returns: every window stays usable
    // while it runs, and its end shows the results (or what went wrong).
    void ejecutar();
    // Shows a text file (code page 1252) in the viewer "Archivo de datos y resultados".
    void mostrar_fichero(const QString& path);
    // Shows what was read of a file in the viewer, or says that it could not be read.
    void showRead(const QString& path, const std::optional<TextFileStart>& text);
    void editar(int kind);  // 0: the data file as text; 1: the results chooser
    // Ver > "&Datos del sistema": shows the data editor again after its close control hid
    // it, as it was.
    void showDataEditor();
    // The exact values of the document being edited, beside its simulated results when the
    // document has results of its own. After a run it opens without taking the front.
    void showExactCheck(bool activate = true);
    // The graph window of the document's results, with its data file for the exact curves.
    void openGraphsOfDocument(const QString& folder);
    // "Informe del estudio": the report of the document's last run, previewed, then written
    // as PDF or HTML.
    void studyReport();
    QMdiSubWindow* exactCheckWindow() const { return exactCheck_; }
    // "Importancia y sensibilidad" of the document being edited, at the times of its run.
    void showImportance();
    QMdiSubWindow* importanceWindow() const { return importance_; }
    // "¿Y si...?" for element row `key` of the document (0: the row of the editor's focus),
    // at the times of its run. The panel already open takes the element.
    void showWhatIf(int key = 0);
    QMdiSubWindow* whatIfWindow() const { return whatIf_; }
    void printView();
    void salir();
    void about();
    // The user manual in its help window (F1); the old message where it is not installed.
    void helpContents();
    QWidget* helpWindow() const;
    void arrange(int arrangement);  // 0 cascade, 1 tile horizontally, 2 vertically, 3 icons

    // Toolbar buttons by 1-based position (separators count) or by key.
    QAction* toolbarButton(int position) const;
    QAction* toolbarButton(const QString& key) const;
    QMdiArea* mdiArea() const { return mdiArea_; }
    QMdiSubWindow* dataEditorWindow() const { return dataEditor_; }
    frmdatos* dataEditor() const;
    // "Diagrama de bloques" (Ver menu, toolbar): opens the document's block diagram, or
    // brings the one already open to the front.
    void openDiagram();
    QMdiSubWindow* diagramWindow() const { return diagram_; }
    QMdiSubWindow* viewerWindow() const { return viewer_; }
    QMdiSubWindow* consoleWindow() const { return console_; }
    // The engine of a run is still at work (it may have ended while a question was open,
    // its end not yet taken).
    bool engineRunning() const;
    // A run has begun and its end has not yet been taken.
    bool runGoingOn() const { return !runState_.idle(); }

    // A data file named from outside the Abrir dialog (farvik FILE.DAT, a drop, a recent
    // file) goes through Abrir's own steps: the save question, the reading, its messages.
    // True when the file was read whole.
    bool openPath(const QString& path);
    // A recent file; one that is gone is taken off the list with a message.
    void openRecentFile(const QString& path);
    const RecentFiles& recentFiles() const { return recentFiles_; }
    // Opens a copy of an installed example in the user's example folder.
    bool openExample(const QString& example);
    // Where the manual, the installed examples and their copies are; beside the program
    // unless set otherwise.
    void setManualFile(const QString& path) { manualFile_ = path; }
    void setExamplesFolder(const QString& folder) { examplesFolder_ = folder; }
    void setExampleCopyFolder(const QString& folder) { exampleCopyFolder_ = folder; }

    // The engine program; brenta beside the farvik executable unless set otherwise.
    void setEnginePath(const QString& path) { enginePath_ = path; }
    const QString& enginePath() const { return enginePath_; }

    // The viewer's "&Imprimir" calls printViewerText, which prints the viewer's text through
    // this printer (the print dialog and the print job of the results windows, unless a test
    // installs its own) and then closes the viewer.
    void setTextPrinter(TextPrinter printer) { textPrinter_ = std::move(printer); }
    bool canPrintText() const { return static_cast<bool>(textPrinter_); }
    void printViewerText(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A data file dropped on the window is opened as Abrir opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // No context menu for hiding the toolbar behind the View menu's back.
    QMenu* createPopupMenu() override { return nullptr; }

  private:
    enum class SaveOutcome { Written, Declined, Failed };

    void createMenus();
    // "&Edición": undo and redo of the document's edits.
    void createEditMenu(QMenu* menu);
    void createToolbar();
    // The Simulación menu: the toolbar's run and result commands, for the keyboard.
    void createRunMenu();
    void fillRecentFiles();
    void fillExamples(QMenu* menu);
    // After a file was opened or saved: first in the recent files.
    void rememberRecentFile();
    void fillWindowList();
    void applyPlacement(const WindowPlacement& placement);
    void saveWindowPlacement();
    bool confirmClose();
    // The caption and the toolbar for a document in that state.
    void showTitle(const DocumentState& state);
    DocumentButtons documentButtons() const;
    void setDocumentButtons(const DocumentButtons& buttons);
    // Begins the document anew with the system and file (empty: untitled): the results of
    // the old one closed, a fresh editor showing the system.
    void startDocument(const SystemData& system, const QString& file);
    void openDataEditor();
    // Asked before New, Open and leaving while the engine runs: stops it on Aceptar; false
    // when the user keeps the run (Cancelar), and then the command does nothing.
    bool stopRunFirst();
    // The save question of New and Open (and the engine's, while it runs): true when the
    // document may be replaced; false when the user kept it or its changes could not be
    // saved.
    bool mayReplaceDocument();
    void placeBesideEditor();
    // Opens the console and starts the engine; its end comes to takeRunEnd.
    void startEngine(const EngineCommand& command);
    // The end of a run: the document's results, then (when shown) the summary or a message.
    void takeRunEnd(const RunState::Taken& taken);
    // Ejecutar as the run and the document allow.
    void showRunCommands();
    // The folder's results are no longer those the document's last run left: says so and
    // turns EditarR off. False while they are, and when the document claims none.
    bool resultsReplaced();
    // The summary of the document's own run, while the folder holds it.
    std::optional<QByteArray> ownSummary();
    // The element row of the editor's focus (its distribution, parameters or a path entry
    // naming it); 0 for none.
    int focusedElementRow() const;
    // Stops a run without a question and drops the results' claim, for a new document.
    void forgetRun();
    // Closes the viewer, the graph windows and the console, whose results belong to an
    // earlier document or run; closing the console of a running engine stops it.
    void closeResults();
    bool saveTo(const QString& path);  // reports a failed write
    SaveOutcome saveAsAndShow();
    SaveOutcome confirmSaveTarget(QString& path);
    void reportSaveError(const QString& path, int error);
    QString dialogFolder() const;
    void rememberFolder();

    SettingsStore settings_;
    RecentFiles recentFiles_;
    std::function<void()> programEnd_;

    SystemDocument systemDocument_;
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
    QPointer<frmdatos> dataEditorWidget_;  // the widget of dataEditor_
    QPointer<QMdiSubWindow> diagram_;
    QPointer<BlockDiagramWindow> diagramWidget_;  // the widget of diagram_
    QPointer<QMdiSubWindow> viewer_;
    QPointer<QMdiSubWindow> console_;
    QPointer<QMdiSubWindow> exactCheck_;
    QPointer<QMdiSubWindow> importance_;
    QPointer<QMdiSubWindow> whatIf_;

    QString enginePath_;
    QString manualFile_;
    QString examplesFolder_;
    QString exampleCopyFolder_;
    QPointer<HelpWindow> helpWindow_;
    QList<QAction*> recentActions_;
    QAction* recentMenuEnd_ = nullptr;  // the separator after the recent files
    TextPrinter textPrinter_;
    // The run of the engine: where it stands, and the run itself until its end is taken.
    RunState runState_;
    EngineRun* run_ = nullptr;
    // The data file being run, as it was when the run began.
    QString runDataFile_;
    std::optional<FileIdentity> runDataIdentity_;
    // Whether the results were the document's own when the run began: those that come back
    // after a run that ended badly are the document's own if they were.
    bool ownBeforeRun_ = false;
    // The result files of the document's last complete run, as it left them.
    std::optional<ResultIdentity> ownResults_;
    // Where the file dialogs start: the folder of the last named document, or else the
    // folder farvik was started from.
    QString startFolder_;
    QString documentFolder_;
};

}  // namespace farvik
