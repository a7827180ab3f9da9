// The menus, the toolbar and the window list of the main window.
#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <functional>
#include <map>
#include <string_view>

#include "main_window.h"
#include "pictures.h"
#include "toolbar_layout.h"

namespace farvik {
namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

void addBar(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

void frmMain::createMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = addMenu(bar, "mnuFile", QStringLiteral("&Archivo"));
    connect(
        addItem(file, "mnuFileNew", QStringLiteral("&Nuevo"), QKeySequence(Qt::CTRL | Qt::Key_N)),
        &QAction::triggered, this, [this] { newCommand(); });
    connect(addItem(file, "mnuFileOpen", QStringLiteral("A&brir..."),
                    QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { openCommand(); });
    // The installed examples, each opened as a copy the user may change and run.
    QMenu* examples = file->addMenu(QStringLiteral("Abrir &ejemplo"));
    examples->setObjectName(QStringLiteral("mnuFileExamples"));
    examples->menuAction()->setObjectName(QStringLiteral("mnuFileExamples"));
    connect(examples, &QMenu::aboutToShow, this, [this, examples] { fillExamples(examples); });
    fillExamples(examples);
    addBar(file, "mnuFileBar0");
    connect(addItem(file, "mnuFileSave", QStringLiteral("&Guardar"),
                    QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] {
                if (save()) rememberRecentFile();
            });
    connect(addItem(file, "mnuFileSaveAs", QStringLiteral("G&uardar como...")), &QAction::triggered,
            this, [this] {
                if (saveAs()) rememberRecentFile();
            });
    addBar(file, "mnuFileBar1");
    connect(addItem(file, "mnuFilePrint", QStringLiteral("I&mprimir..."),
                    QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, [this] { printView(); });
    connect(addItem(file, "mnuFileReport", QStringLiteral("In&forme del estudio...")),
            &QAction::triggered, this, &frmMain::studyReport);
    addBar(file, "mnuFileBar2");
    // The recent files go here, above this separator (fillRecentFiles).
    recentMenuEnd_ = file->addSeparator();
    recentMenuEnd_->setObjectName(QStringLiteral("mnuFileBar3"));
    connect(
        addItem(file, "mnuFileExit", QStringLiteral("&Salir"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
        &QAction::triggered, this, [this] { salir(); });

    createEditMenu(addMenu(bar, "mnuEdit", QStringLiteral("&Edición")));

    QMenu* view = addMenu(bar, "mnuView", QStringLiteral("&Ver"));
    QAction* toolbarItem =
        addItem(view, "mnuViewToolbar", QStringLiteral("&Barra de herramientas"));
    toolbarItem->setCheckable(true);
    toolbarItem->setChecked(true);
    connect(toolbarItem, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    QAction* statusItem = addItem(view, "mnuViewStatusBar", QStringLiteral("B&arra de estado"));
    statusItem->setCheckable(true);
    connect(statusItem, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    connect(addItem(view, "mnuViewData", QStringLiteral("&Datos del sistema")), &QAction::triggered,
            this, [this] { showDataEditor(); });
    addBar(view, "mnuViewBar0");
    connect(addItem(view, "mnuViewDiagram", QStringLiteral("Dia&grama de bloques")),
            &QAction::triggered, this, [this] { openDiagram(); });
    connect(addItem(view, "mnuViewExactCheck", QStringLiteral("&Comprobación exacta")),
            &QAction::triggered, this, [this] { showExactCheck(); });
    connect(addItem(view, "mnuViewImportance", QStringLiteral("&Importancia y sensibilidad")),
            &QAction::triggered, this, [this] { showImportance(); });
    connect(addItem(view, "mnuViewWhatIf", QStringLiteral("¿&Y si...?")), &QAction::triggered, this,
            [this] { showWhatIf(); });

    windowMenu_ = addMenu(bar, "mnuWindow", QStringLiteral("Ve&ntana"));
    connect(addItem(windowMenu_, "mnuWindowNewWindow", QStringLiteral("&Nueva ventana")),
            &QAction::triggered, this, [this] { newCommand(); });
    addBar(windowMenu_, "mnuWindowBar0");
    connect(addItem(windowMenu_, "mnuWindowCascade", QStringLiteral("Casca&da")),
            &QAction::triggered, this, [this] { arrange(0); });
    connect(addItem(windowMenu_, "mnuWindowTileHorizontal", QStringLiteral("Mosaico &horizontal")),
            &QAction::triggered, this, [this] { arrange(1); });
    connect(addItem(windowMenu_, "mnuWindowTileVertical", QStringLiteral("Mosaico &vertical")),
            &QAction::triggered, this, [this] { arrange(2); });
    connect(addItem(windowMenu_, "mnuWindowArrangeIcons", QStringLiteral("&Organizar iconos")),
            &QAction::triggered, this, [this] { arrange(3); });
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] { fillWindowList(); });

    QMenu* help = addMenu(bar, "mnuHelp", QStringLiteral("Ay&uda"));
    connect(
        addItem(help, "mnuHelpContents", QStringLiteral("&Contenido"), QKeySequence(Qt::Key_F1)),
        &QAction::triggered, this, [this] { helpContents(); });
    addBar(help, "mnuHelpBar0");
    connect(addItem(help, "mnuHelpAbout", QStringLiteral("&Acerca de ")), &QAction::triggered, this,
            [this] { about(); });
}

void frmMain::createToolbar() {
    toolBar_ = addToolBar(QStringLiteral("tbToolBar"));
    toolBar_->setObjectName(QStringLiteral("tbToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));

    // Each key's command; the buttons, their order and their texts are the toolbar layout's.
    const std::map<std::string_view, std::function<void()>> commands = {
        {"Nuevo", [this] { newCommand(); }},
        {"Abrir", [this] { openCommand(); }},
        {"Guardar",
         [this] {
             if (save()) rememberRecentFile();
         }},
        {"Ejecutar", [this] { ejecutar(); }},
        {"Imprimir", [this] { printView(); }},
        {"EditarD", [this] { editar(0); }},
        {"EditarR", [this] { editar(1); }},
        {"Diagrama", [this] { openDiagram(); }},
        {"Acerca", [this] { about(); }},
        {"Salir", [this] { salir(); }},
    };
    for (const ToolbarEntry& entry : kToolbarLayout) {
        if (entry.key.empty()) {
            toolBar_->addSeparator();
            continue;
        }
        const QString tooltip =
            QString::fromLatin1(entry.tooltip.data(), static_cast<qsizetype>(entry.tooltip.size()));
        const QString icon =
            QString::fromLatin1(entry.icon.data(), static_cast<qsizetype>(entry.icon.size()));
        QAction* action = toolBar_->addAction(toolbarIcon(icon), tooltip);
        action->setObjectName(
            QString::fromLatin1(entry.key.data(), static_cast<qsizetype>(entry.key.size())));
        action->setToolTip(tooltip);
        connect(action, &QAction::triggered, this, commands.at(entry.key));
    }
}

void frmMain::createEditMenu(QMenu* menu) {
    QUndoStack& history = systemDocument_.history();
    QAction* undo = addItem(menu, "mnuEditUndo", QStringLiteral("&Deshacer"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo->setEnabled(history.canUndo());
    connect(&history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, &history, &QUndoStack::undo);

    QAction* redo = addItem(menu, "mnuEditRedo", QStringLiteral("&Rehacer"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setEnabled(history.canRedo());
    connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(redo, &QAction::triggered, &history, &QUndoStack::redo);
}

void frmMain::createRunMenu() {
    QMenu* run = new QMenu(QStringLiteral("&Simulación"), menuBar());
    run->setObjectName(QStringLiteral("mnuRun"));
    run->menuAction()->setObjectName(QStringLiteral("mnuRun"));
    menuBar()->insertMenu(windowMenu_->menuAction(), run);

    // Each entry is on exactly when its toolbar button is.
    auto following = [this, run](const char* name, const QString& caption, const char* key,
                                 const QKeySequence& shortcut = {}) {
        QAction* item = addItem(run, name, caption, shortcut);
        QAction* button = toolbarButton(QString::fromLatin1(key));
        item->setEnabled(button->isEnabled());
        connect(button, &QAction::changed, item,
                [item, button] { item->setEnabled(button->isEnabled()); });
        return item;
    };
    auto pressing = [this](const char* key) {
        return [this, key] { toolbarButton(QString::fromLatin1(key))->trigger(); };
    };
    connect(following("mnuRunExecute", QStringLiteral("&Ejecutar"), "Ejecutar",
                      QKeySequence(Qt::Key_F5)),
            &QAction::triggered, this, pressing("Ejecutar"));
    connect(following("mnuRunDataFile", QStringLiteral("Ver el fichero de &datos"), "EditarD"),
            &QAction::triggered, this, pressing("EditarD"));
    addBar(run, "mnuRunBar0");
    connect(following("mnuRunResults", QStringLiteral("&Resultados..."), "EditarR"),
            &QAction::triggered, this, pressing("EditarR"));
    // The graphs of the document's results straight away, as the chooser's graph option.
    connect(following("mnuRunGraphs", QStringLiteral("&Gráficas"), "EditarR"), &QAction::triggered,
            this,
            [this] { openGraphsOfDocument(QFileInfo(systemDocument_.fileName()).absolutePath()); });
}

QAction* frmMain::toolbarButton(int position) const {
    const QList<QAction*> actions = toolBar_->actions();
    if (position < 1 || position > actions.size()) return nullptr;
    return actions[position - 1];
}

QAction* frmMain::toolbarButton(const QString& key) const {
    for (QAction* action : toolBar_->actions())
        if (!action->isSeparator() && action->objectName() == key) return action;
    return nullptr;
}

void frmMain::fillWindowList() {
    for (QAction* old : windowListActions_) {
        windowMenu_->removeAction(old);
        delete old;
    }
    windowListActions_.clear();

    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowListActions_ << windowMenu_->addSeparator();
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        QAction* entry = windowMenu_->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(window->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, window = QPointer(window)] {
            if (!window) return;
            if (window->isMinimized()) window->showNormal();
            window->show();  // the data editor, once closed, is only hidden
            mdiArea_->setActiveSubWindow(window);
        });
        windowListActions_ << entry;
    }
}

}  // namespace farvik
