// Opening a data file named from outside the Abrir dialog: farvik FILE.DAT, a file dropped
// on the window, the recent files and the examples of Archivo.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "base/dialog_seam.h"
#include "help_window.h"
#include "installed_files.h"
#include "main_window.h"

namespace farvik {
namespace {

// Answers the Abrir dialog with a file already chosen and passes every other question on, so
// that a file named from outside goes through the very steps, questions and messages of
// Abrir.
class ChosenFile : public DialogSeam {
  public:
    ChosenFile(DialogSeam& inner, QString path) : inner_(inner), path_(std::move(path)) {}

    MessageAnswer message(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                          const QString& title, const QString& text) override {
        return inner_.message(parent, icon, buttons, title, text);
    }
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override {
        if (answered_) return inner_.openFileName(parent, request);
        answered_ = true;
        return path_;
    }
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override {
        return inner_.saveFileName(parent, request);
    }
    bool printPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) override {
        return inner_.printPreview(parent, printer, paint);
    }
    bool printSetup(QWidget* parent, QPrinter& printer) override {
        return inner_.printSetup(parent, printer);
    }

  private:
    DialogSeam& inner_;
    QString path_;
    bool answered_ = false;
};

// What the menus show of a path: "&" is an access-key mark there.
QString menuText(int number, const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > 70) shown = shown.left(20) + QStringLiteral("...") + shown.right(47);
    return QStringLiteral("&%1 %2").arg(number).arg(
        shown.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

// The one local file of a drag, or nothing.
QString draggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
    const QFileInfo file(urls.first().toLocalFile());
    return file.isFile() ? file.absoluteFilePath() : QString();
}

// The examples in the order of their structure codes, each with what it shows.
struct ExampleName {
    const char* stem;
    const char* what;
};
constexpr ExampleName kExampleNames[] = {
    {"SERIE", "elementos simples en serie"},    {"PARALELO", "elementos simples en paralelo"},
    {"SERPAR", "subsistemas en serie"},         {"PARSER", "subsistemas en paralelo"},
    {"GENERAL", "sistema general por caminos"},
};

int exampleRank(const QString& stem) {
    int rank = 0;
    for (const ExampleName& name : kExampleNames) {
        if (stem == QLatin1String(name.stem)) return rank;
        ++rank;
    }
    return rank;
}

QString exampleCaption(int number, const QString& path) {
    const QString stem = QFileInfo(path).completeBaseName();
    for (const ExampleName& name : kExampleNames)
        if (stem == QLatin1String(name.stem))
            return QStringLiteral("&%1 %2: %3").arg(number).arg(stem, QString::fromUtf8(name.what));
    return QStringLiteral("&%1 %2").arg(number).arg(stem);
}

}  // namespace

bool frmMain::openPath(const QString& path) {
    DialogSeam& before = dialogs();
    ChosenFile chosen(before, path);
    setDialogs(&chosen);
    openCommand();
    setDialogs(&before);
    return systemDocument_.fileName() == path && !systemDocument_.isModified();
}

void frmMain::openRecentFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recentFiles_.remove(path);
        fillRecentFiles();
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("El fichero %1 ya no existe. Se quita de la lista de "
                                         "ficheros recientes.")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    openPath(path);
}

void frmMain::rememberRecentFile() {
    if (systemDocument_.fileName().isEmpty() || systemDocument_.isModified()) return;
    recentFiles_.add(QFileInfo(systemDocument_.fileName()).absoluteFilePath());
    fillRecentFiles();
}

void frmMain::fillRecentFiles() {
    if (!recentMenuEnd_) return;
    QMenu* file = qobject_cast<QMenu*>(recentMenuEnd_->parent());
    for (QAction* old : recentActions_) {
        file->removeAction(old);
        delete old;
    }
    recentActions_.clear();
    const QStringList paths = recentFiles_.paths();
    int number = 0;
    for (const QString& path : paths) {
        auto* entry = new QAction(menuText(++number, path), file);
        entry->setObjectName(QStringLiteral("mnuFileRecent(%1)").arg(number));
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
        file->insertAction(recentMenuEnd_, entry);
        recentActions_ << entry;
    }
    // The separator before the list only when there is a list.
    recentMenuEnd_->setVisible(!paths.isEmpty());
}

void frmMain::fillExamples(QMenu* menu) {
    menu->clear();
    QStringList files = exampleFiles(examplesFolder_);
    std::stable_sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return exampleRank(QFileInfo(a).completeBaseName()) <
               exampleRank(QFileInfo(b).completeBaseName());
    });
    int number = 0;
    for (const QString& path : files) {
        QAction* entry = menu->addAction(exampleCaption(++number, path));
        entry->setObjectName(QStringLiteral("mnuFileExample(%1)").arg(number));
        connect(entry, &QAction::triggered, this, [this, path] { openExample(path); });
    }
    if (files.isEmpty()) {
        QAction* none = menu->addAction(QStringLiteral("(no hay ejemplos instalados)"));
        none->setEnabled(false);
    }
}

bool frmMain::openExample(const QString& example) {
    QString reason;
    const QString copy = copyExample(example, exampleCopyFolder_, &reason);
    if (copy.isEmpty()) {
        dialogs().message(this, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se ha podido copiar el ejemplo: %1").arg(reason));
        return false;
    }
    return openPath(copy);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!draggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
    if (!draggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    const QString path = draggedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop is over: the save question must not hold the source program's
    // drag waiting.
    QTimer::singleShot(0, this, [this, path] { openPath(path); });
}

QWidget* frmMain::helpWindow() const {
    return helpWindow_;
}

void frmMain::helpContents() {
    if (helpWindow_) {
        helpWindow_->show();
        helpWindow_->raise();
        helpWindow_->activateWindow();
        return;
    }
    if (!QFileInfo(manualFile_).isFile()) {
        // The manual is not installed (or was left out, as /usr/share/doc may be).
        dialogs().message(this, MessageIcon::Information, MessageButtons::Ok, windowTitle(),
                          QStringLiteral("No se puede mostrar el contenido de la Ayuda. No hay "
                                         "Ayuda asociada a este proyecto."));
        return;
    }
    helpWindow_ = new HelpWindow(manualFile_, this);
    helpWindow_->show();
}

}  // namespace farvik
