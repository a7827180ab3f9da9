#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <functional>

class QMenu;

namespace farvik::editor {

// A text box for numbers. Every character that would enter it (typed, pasted, dropped or
// committed by an input method) first passes a key filter that may refuse it, and then a
// guard on the text it would give. Pasted or committed text is taken only whole: when any of
// its characters would be refused, none is inserted and the box beeps. Text set by the
// program is taken whole. Gaining the focus selects the whole text. Undo and redo keys are
// left to the window: the keys typed into a box are one step of the document's history, so
// its undo is the one that counts (the box's own undo stays in its edit menu).
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    // Gets the character code of a key (8 backspace, 13 Enter) and the box's current text;
    // sets the code to 0 to refuse the key.
    using KeyFilter = std::function<void(int& key, const QString& text)>;
    // Says whether the text that an inserted character would give may stand.
    using TextGuard = std::function<bool(const QString& newText)>;

    explicit FilteredLineEdit(QWidget* parent = nullptr);
    // A box that starts with its text, laid out once rather than empty first.
    FilteredLineEdit(const QString& text, QWidget* parent);

    void setKeyFilter(KeyFilter filter) { filter_ = std::move(filter); }
    void setTextGuard(TextGuard guard) { guard_ = std::move(guard); }

    // Inserts text at the cursor (in place of the selection) when every character of it
    // would be kept if typed one by one; otherwise leaves the box as it is and says so.
    bool insertFiltered(const QString& text);
    // The clipboard's text, without the blanks and line breaks around it, inserted so; a
    // paste refused gives the platform's beep.
    void pasteFiltered(QClipboard::Mode mode = QClipboard::Clipboard);

    // The edit menu of the box, its paste going through the filter.
    QMenu* createFilteredContextMenu();

  signals:
    // A character key (or a paste) reached the box, whether the filter kept it or not.
    void keyPressed();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    bool keeps(int key) const;
    bool takesWhole(const QString& inserted) const;
    QString textWith(QChar c) const;

    KeyFilter filter_;
    TextGuard guard_;
    bool selectAllOnRelease_ = false;
};

}  // namespace farvik::editor
