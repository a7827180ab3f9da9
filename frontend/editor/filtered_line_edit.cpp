#include "filtered_line_edit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "key_filters.h"

namespace farvik::editor {

FilteredLineEdit::FilteredLineEdit(QWidget* parent) : FilteredLineEdit(QString(), parent) {}

FilteredLineEdit::FilteredLineEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    // A drop would insert text past the filter.
    setAcceptDrops(false);
    setDragEnabled(false);
}

bool FilteredLineEdit::keeps(int key) const {
    if (filter_) filter_(key, text());
    return key != 0;
}

QString FilteredLineEdit::textWith(QChar c) const {
    QString result = text();
    if (hasSelectedText())
        result.replace(selectionStart(), selectedText().size(), c);
    else
        result.insert(cursorPosition(), c);
    return result;
}

bool FilteredLineEdit::takesWhole(const QString& inserted) const {
    // The characters are judged one by one as if typed, each against the text the ones
    // before it would leave; the first one replaces the selection, if any.
    QString current = text();
    int cursor = cursorPosition();
    int selectionAt = hasSelectedText() ? selectionStart() : -1;
    const int selectionLength = selectedText().size();
    for (QChar c : inserted) {
        // Line breaks and other control characters never belong in a number box.
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
        int key = c.unicode();
        if (filter_) filter_(key, current);
        if (key == 0) return false;
        if (selectionAt >= 0) {
            current.replace(selectionAt, selectionLength, c);
            cursor = selectionAt + 1;
            selectionAt = -1;
        } else {
            current.insert(cursor++, c);
        }
        if (guard_ && !guard_(current)) return false;
    }
    return true;
}

bool FilteredLineEdit::insertFiltered(const QString& inserted) {
    if (isReadOnly() || inserted.isEmpty()) return false;
    // Dropping what the filter refuses would make another number of it ("0,001" would give
    // 0001), so text that does not pass whole is not taken at all.
    if (!takesWhole(inserted)) return false;
    insert(inserted);
    return true;
}

void FilteredLineEdit::pasteFiltered(QClipboard::Mode mode) {
    if (isReadOnly()) return;
    // A number copied from a line of text often brings the line break or blanks around it.
    const QString pasted = QApplication::clipboard()->text(mode).trimmed();
    emit keyPressed();
    if (!pasted.isEmpty() && !insertFiltered(pasted)) QApplication::beep();
}

QMenu* FilteredLineEdit::createFilteredContextMenu() {
    // Qt's own menu pastes straight into the box, so the box offers its own.
    auto* menu = new QMenu(this);
    const bool editable = !isReadOnly();
    const auto add = [menu](const QString& name, const QString& text, bool enabled, auto&& slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, menu, slot);
        return action;
    };
    add(QStringLiteral("edit-undo"), QStringLiteral("&Deshacer"), editable && isUndoAvailable(),
        [this] { undo(); });
    add(QStringLiteral("edit-redo"), QStringLiteral("&Rehacer"), editable && isRedoAvailable(),
        [this] { redo(); });
    menu->addSeparator();
    add(QStringLiteral("edit-cut"), QStringLiteral("Cor&tar"), editable && hasSelectedText(),
        [this] { cut(); });
    add(QStringLiteral("edit-copy"), QStringLiteral("&Copiar"), hasSelectedText(),
        [this] { copy(); });
    add(QStringLiteral("edit-paste"), QStringLiteral("&Pegar"),
        editable && !QApplication::clipboard()->text().isEmpty(), [this] { pasteFiltered(); });
    add(QStringLiteral("edit-delete"), QStringLiteral("&Eliminar"), editable && hasSelectedText(),
        [this] { del(); });
    menu->addSeparator();
    add(QStringLiteral("select-all"), QStringLiteral("Seleccionar &todo"), !text().isEmpty(),
        [this] { selectAll(); });
    return menu;
}

namespace {

bool undoOrRedo(const QKeyEvent* key) {
    const QKeyCombination combination = key->keyCombination();
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

}  // namespace

bool FilteredLineEdit::event(QEvent* event) {
    // Not taken before the window's shortcuts: they undo and redo the document.
    if (event->type() == QEvent::ShortcutOverride && undoOrRedo(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    // With nothing to undo in the document the keys do nothing here either: the box's own
    // history would undo typing the document no longer holds as one step.
    if (undoOrRedo(event)) {
        event->ignore();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        event->accept();
        return;
    }

    int key = 0;
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (event->key() == Qt::Key_Backspace) {
        key = kKeyBackspace;
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        key = kKeyEnter;
    } else if (!command && typed.size() == 1 && typed[0].unicode() >= 0x20 &&
               typed[0].unicode() != 0x7f) {
        key = typed[0].unicode();
    } else {
        // Cursor movement, Delete, copy, undo and the like: no character to filter.
        QLineEdit::keyPressEvent(event);
        return;
    }

    const bool kept = keeps(key);
    const bool inserts = key != kKeyBackspace && key != kKeyEnter;
    if (kept && !(inserts && guard_ && !guard_(textWith(typed[0]))))
        QLineEdit::keyPressEvent(event);
    else
        event->accept();
    emit keyPressed();
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Committed text goes through the filter like pasted text; the preedit is dropped.
    const QString committed = event->commitString();
    QInputMethodEvent empty;
    QLineEdit::inputMethodEvent(&empty);
    emit keyPressed();
    insertFiltered(committed);
}

void FilteredLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
    // The click that brings the focus would place the cursor and drop the selection.
    selectAllOnRelease_ = event->reason() == Qt::MouseFocusReason;
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        // The X11 selection paste would skip the filter.
        if (QApplication::clipboard()->supportsSelection()) pasteFiltered(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (selectAllOnRelease_) {
        selectAllOnRelease_ = false;
        if (!hasSelectedText()) selectAll();
    }
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createFilteredContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace farvik::editor
