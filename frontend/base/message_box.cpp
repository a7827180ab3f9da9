#include "message_box.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace farvik {
namespace {

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

// Qt takes Escape and the close control of a Sí/No box for a click on "No", and at the exit
// question "No" leaves without saving. Here they close the box with no button clicked.
class DismissibleBox : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            close();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // QMessageBox's own handler would record its escape button as clicked.
    void closeEvent(QCloseEvent* event) override { QDialog::closeEvent(event); }
};

}  // namespace

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, MessageIcon icon,
                                             MessageButtons buttons, const QString& title,
                                             const QString& text) {
    auto box = std::make_unique<DismissibleBox>(toQt(icon), title, text, toQt(buttons), parent);
    // Spanish captions for the standard buttons, whatever the system language.
    if (auto* b = box->button(QMessageBox::Yes)) b->setText(QStringLiteral("&Sí"));
    if (auto* b = box->button(QMessageBox::No)) b->setText(QStringLiteral("&No"));
    if (auto* b = box->button(QMessageBox::Cancel)) b->setText(QStringLiteral("Cancelar"));
    if (auto* b = box->button(QMessageBox::Ok)) b->setText(QStringLiteral("Aceptar"));
    return box;
}

MessageAnswer answerOf(const QMessageBox& box, MessageButtons buttons) {
    switch (box.clickedButton() ? box.standardButton(box.clickedButton()) : QMessageBox::NoButton) {
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
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace farvik
