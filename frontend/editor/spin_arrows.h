#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace farvik::editor {

// A pair of up and down arrows that step the number shown in a buddy text box, like the
// spin controls beside the editor's count boxes. By default each press of an arrow moves the
// number by one step at most: holding an arrow down does not repeat, so a held arrow can
// never add more than one row. Arrows made to repeat (setRepeating) step on while held, as
// spin boxes do, faster the longer they are held, and Page Up and Page Down in the buddy
// step ten at a time. The number is read from the buddy on every press, so text written
// into the buddy by the program is what the next press starts from.
class SpinArrows : public QWidget {
    Q_OBJECT
  public:
    explicit SpinArrows(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // The amount one press adds or takes away; 0 makes the arrows do nothing.
    void setStep(int step) { step_ = step; }
    int step() const { return step_; }

    // Held arrows and held keys step on; Page Up and Page Down step by ten steps.
    void setRepeating(bool repeating);
    bool repeating() const { return repeating_; }

    // The steps one move takes after `repeats` moves of the same hold: 1 for the first
    // two seconds or so, then 10, then 100.
    static int holdMultiplier(int repeats);

    // The box whose number the arrows step; Up and Down keys in it press the arrows too.
    void setBuddy(QLineEdit* buddy);
    QLineEdit* buddy() const { return buddy_; }

    // The number in the buddy, kept inside the range.
    int value() const;

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  public slots:
    // One press of an arrow: the number shown moves by the step, or to the end of the range
    // where the step would leave it (a number typed beyond an end comes back to it); the
    // buddy shows it, then changed() and upClick() or downClick() are emitted in that order.
    // At the end of the range nothing happens.
    void pressUp();
    void pressDown();

  signals:
    void changed(int value);
    void upClick();
    void downClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool stepBy(int delta);
    void stepHeld(QToolButton* arrow, int direction);

    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> buddy_;
    int minimum_ = 0;
    int maximum_ = 100;
    int step_ = 1;
    int value_ = 0;  // used while there is no buddy
    bool repeating_ = false;
    int repeats_ = 0;  // moves of the current hold so far
};

}  // namespace farvik::editor
