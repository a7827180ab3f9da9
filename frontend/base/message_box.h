#pragma once

#include <QString>
#include <memory>

#include "base/dialog_seam.h"

class QMessageBox;
class QWidget;

namespace farvik {

// The message box the Qt seam shows, built apart from its modal run so that tests can show
// it without blocking and dismiss it as a user does. Escape and the box's close control
// close it without a button: a question dismissed answers nothing.
std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, MessageIcon icon,
                                             MessageButtons buttons, const QString& title,
                                             const QString& text);

// The answer of a box that has closed: the button clicked, or, when it was dismissed,
// Cancel (Ok for a box with Ok alone). Never "No": only the button says No.
MessageAnswer answerOf(const QMessageBox& box, MessageButtons buttons);

}  // namespace farvik
