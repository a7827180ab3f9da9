#pragma once

#include <QWidget>
#include <functional>

class QTimer;

namespace farvik {

// The first window of farvik: name and version for about five seconds, or until a click,
// then the main window.
class frmSplash : public QWidget {
    Q_OBJECT

  public:
    // showMainWindow opens the main window; it runs once at most.
    explicit frmSplash(std::function<void()> showMainWindow, QWidget* parent = nullptr);

    // One tick of Timer1 (every second): the fifth one opens the main window.
    void Timer1_Timer();
    bool mainWindowShown() const { return mainWindowShown_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void closeAndShowMain();

    std::function<void()> showMainWindow_;
    QTimer* timer_;
    int ticks_ = 0;
    bool mainWindowShown_ = false;
};

}  // namespace farvik
