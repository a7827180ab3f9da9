#include "dialog_seam.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <memory>

#include "print_preview.h"

#include "message_box.h"

namespace farvik {
namespace {

DialogSeam* g_installed = nullptr;

}  // namespace

DialogSeam& dialogs() {
    static QtDialogs real;
    return g_installed ? *g_installed : real;
}

void setDialogs(DialogSeam* seam) {
    g_installed = seam;
}

MessageAnswer QtDialogs::message(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                                 const QString& title, const QString& text) {
    const auto box = buildMessageBox(parent, icon, buttons, title, text);
    box->exec();
    return answerOf(*box, buttons);
}

QString QtDialogs::openFileName(QWidget* parent, const FileDialogRequest& request) {
    return QFileDialog::getOpenFileName(parent, request.title, request.initialFolder,
                                        request.filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    // The save dialog asks nothing about existing files: the program asks itself.
    return QFileDialog::getSaveFileName(parent, request.title, request.initialFolder,
                                        request.filter, request.selectedFilter,
                                        QFileDialog::DontConfirmOverwrite);
}

bool QtDialogs::printPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) {
    const std::unique_ptr<QPrintPreviewDialog> preview(newPrintPreview(parent, printer, paint));
    return preview->exec() == QDialog::Accepted;
}

bool QtDialogs::printSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace farvik
