#include "scripted_dialogs.h"

#include <QPrinter>
#include <utility>

namespace farvik {

ScriptedDialogs::ScriptedDialogs() {
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    setDialogs(nullptr);
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList texts;
    for (const Message& m : messages_) texts << m.text;
    return texts;
}

void ScriptedDialogs::clear() {
    answers_.clear();
    files_.clear();
    filters_.clear();
    messages_.clear();
    fileRequests_.clear();
    pdfs_.clear();
    previewPdfs_.clear();
    previewAnswers_.clear();
    printSteps_.clear();
    printRequests_ = 0;
    whileOpen_ = nullptr;
}

MessageAnswer ScriptedDialogs::message(QWidget*, MessageIcon icon, MessageButtons buttons,
                                       const QString& title, const QString& text) {
    messages_.append({icon, buttons, title, text});
    if (whileOpen_) std::exchange(whileOpen_, nullptr)();
    if (!answers_.isEmpty()) return answers_.takeFirst();
    return (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel)
               ? MessageAnswer::Yes
               : MessageAnswer::Ok;
}

QString ScriptedDialogs::openFileName(QWidget*, const FileDialogRequest& request) {
    fileRequests_.append({false, request});
    return files_.isEmpty() ? QString() : files_.takeFirst();
}

QString ScriptedDialogs::saveFileName(QWidget*, const FileDialogRequest& request) {
    fileRequests_.append({true, request});
    if (request.selectedFilter && !filters_.isEmpty())
        *request.selectedFilter = filters_.takeFirst();
    return files_.isEmpty() ? QString() : files_.takeFirst();
}

bool ScriptedDialogs::printPreview(QWidget*, QPrinter& printer, const PagePainter& paint) {
    printSteps_ << QStringLiteral("preview");
    if (!previewPdfs_.isEmpty()) {
        const QPrinter::OutputFormat format = printer.outputFormat();
        const QString file = printer.outputFileName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(previewPdfs_.takeFirst());
        paint(printer);
        printer.setOutputFileName(file);
        printer.setOutputFormat(format);
    }
    return previewAnswers_.isEmpty() || previewAnswers_.takeFirst();
}

bool ScriptedDialogs::printSetup(QWidget*, QPrinter& printer) {
    printSteps_ << QStringLiteral("print dialog");
    ++printRequests_;
    if (pdfs_.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfs_.takeFirst());
    return true;
}

}  // namespace farvik
