#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace farvik {

enum class MessageIcon { None, Question, Information, Exclamation, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Draws every page of a print job on the printer it is given.
using PagePainter = std::function<void(QPrinter& printer)>;

struct FileDialogRequest {
    QString title;
    QString filter;  // in Qt's form: "Archivos de datos (*.dat);;Todos los archivos (*)"
    QString initialFolder;
    // Where a save dialog tells which of the filter's entries the user chose; untouched
    // when it has no choice to tell of.
    QString* selectedFilter = nullptr;
};

// Every message box and file dialog of farvik goes through this seam, so that tests can
// answer them without a modal window. The process holds one instance (see dialogs()).
class DialogSeam {
  public:
    virtual ~DialogSeam() = default;

    // A modal message box; an empty title stays empty. A box dismissed without a button
    // (Escape, its close control) answers Cancel, also when it shows no Cancel button, and
    // Ok when Ok is its only button.
    virtual MessageAnswer message(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                                  const QString& title, const QString& text) = 0;
    // The chosen path, or an empty string when the user cancels.
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // The print preview: the pages paint draws on printer, as they will be printed. True
    // when the user asks to print them, false when the preview is closed without printing.
    virtual bool printPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) = 0;
    // The print dialog: sets up the printer (or a PDF file); false when the user cancels.
    virtual bool printSetup(QWidget* parent, QPrinter& printer) = 0;
};

// The seam in use: the Qt one unless a test installed its own.
DialogSeam& dialogs();
// Installs a seam (nullptr restores the Qt one). The caller keeps ownership.
void setDialogs(DialogSeam* seam);

// The real seam over QMessageBox and QFileDialog.
class QtDialogs : public DialogSeam {
  public:
    MessageAnswer message(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                          const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool printPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) override;
    bool printSetup(QWidget* parent, QPrinter& printer) override;
};

}  // namespace farvik
