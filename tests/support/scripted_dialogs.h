#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "base/dialog_seam.h"

namespace farvik {

// A dialog seam for tests: it records every request and answers from queues. A message
// asked with an empty answer queue gets the first button of its set (Ok or Yes); a file
// dialog with an empty queue is cancelled; so is a print dialog, which otherwise prints to
// the next PDF file queued. A print preview goes on to printing unless told to close; its
// pages go to the next preview PDF queued, drawn on the printer it was given.
class ScriptedDialogs : public DialogSeam {
  public:
    struct Message {
        MessageIcon icon;
        MessageButtons buttons;
        QString title;
        QString text;
    };
    struct FileRequest {
        bool save;
        FileDialogRequest request;
    };

    ScriptedDialogs();            // installs itself
    ~ScriptedDialogs() override;  // restores the Qt seam

    void answerNext(MessageAnswer answer) { answers_.append(answer); }
    void chooseFile(const QString& path) { files_.append(path); }
    // The filter entry the next save dialog that offers a choice answers with, beside its file.
    void chooseFilter(const QString& filter) { filters_.append(filter); }
    void printToPdf(const QString& path) { pdfs_.append(path); }
    void previewToPdf(const QString& path) { previewPdfs_.append(path); }
    void closeNextPreview() { previewAnswers_.append(false); }
    // Runs once while the next message box is open, before it is answered: a user who takes
    // a while to answer, while events go on being processed.
    void whileNextIsOpen(std::function<void()> wait) { whileOpen_ = std::move(wait); }

    const QList<Message>& messages() const { return messages_; }
    const QList<FileRequest>& fileRequests() const { return fileRequests_; }
    int printRequests() const { return printRequests_; }
    // "preview" and "print dialog", in the order asked.
    const QStringList& printSteps() const { return printSteps_; }
    QStringList messageTexts() const;
    void clear();

    MessageAnswer message(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                          const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool printPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) override;
    bool printSetup(QWidget* parent, QPrinter& printer) override;

  private:
    QList<MessageAnswer> answers_;
    QStringList files_;
    QStringList filters_;
    QList<Message> messages_;
    QList<FileRequest> fileRequests_;
    QStringList pdfs_;
    QStringList previewPdfs_;
    QList<bool> previewAnswers_;
    QStringList printSteps_;
    int printRequests_ = 0;
    std::function<void()> whileOpen_;
};

}  // namespace farvik
