#include "dialog_seam.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <memory>

#include "print_preview.h"

namespace farvik {
namespace {

DialogSeam* g_installed = nullptr;

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

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
    QMessageBox box(toQt(icon), title, text, toQt(buttons), parent);
    // Spanish captions for the standard buttons, whatever the system language.
    if (auto* b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("&Sí"));
    if (auto* b = box.button(QMessageBox::No)) b->setText(QStringLiteral("&No"));
    if (auto* b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Cancelar"));
    if (auto* b = box.button(QMessageBox::Ok)) b->setText(QStringLiteral("Aceptar"));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            break;
    }
    // Closed with Escape or the window's close control.
    return buttons == MessageButtons::YesNo ? MessageAnswer::No
           : buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                            : MessageAnswer::Cancel;
}

QString QtDialogs::openFileName(QWidget* parent, const FileDialogRequest& request) {
    return QFileDialog::getOpenFileName(parent, request.title, request.initialFolder,
                                        request.filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    // The save dialog asks nothing about existing files: the program asks itself.
    return QFileDialog::getSaveFileName(parent, request.title, request.initialFolder,
                                        request.filter, nullptr, QFileDialog::DontConfirmOverwrite);
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
