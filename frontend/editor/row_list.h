#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

#include "editor_limits.h"

class QFrame;
class QScrollBar;

namespace farvik::editor {

// A list of equally spaced rows seen through a viewport five rows high, with its own
// vertical scroll bar. The rows live in an inner frame that moves up by one row pitch per
// scroll step. The list does not create rows: its owner places each row with placeRow() and
// reports every row it adds or removes, and the list keeps the scroll bar (maximum = rows -
// 5, shown only beyond five rows) and the inner frame's height in step.
class RowList : public QWidget {
    Q_OBJECT
  public:
    // The three names are the object names of the viewport, the inner frame and the bar.
    RowList(const QString& viewportName, const QString& innerName, const QString& barName,
            int width, QWidget* parent = nullptr);

    QWidget* rowFrame() const { return inner_; }
    QScrollBar* scrollBar() const { return bar_; }
    int pitch() const { return pitch_; }
    int rowCount() const { return rows_; }

    // Puts a row (a child of rowFrame()) at the place of row r, counted from 1, and lets the
    // wheel and the focus of its controls work the list. Only the rows in sight are painted.
    void placeRow(QWidget* row, int r);

    // The list got its row r; the list lost its last row.
    void rowAdded(int r);
    void rowRemoved();

    // A frozen list shows no scroll bar (its owner hides it); unfreezing brings the bar back
    // as the rows need it.
    void setFrozen(bool frozen);

    // Scrolls just enough to show row r.
    void ensureRowVisible(int r);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void update(int rows);
    void watch(QWidget* widget);
    bool inSight(int r) const { return r > first_ && r <= first_ + kVisibleRows; }
    void scrollTo(int position);

    QFrame* viewport_;
    QWidget* inner_;
    QScrollBar* bar_;
    int pitch_;
    int rows_ = 0;
    bool frozen_ = false;
    std::vector<QPointer<QWidget>> placed_;  // row r at index r - 1
    int first_ = 0;                          // rows above the viewport
};

}  // namespace farvik::editor
