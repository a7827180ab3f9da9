#include "row_list.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "base/twips.h"
#include "editor_limits.h"

namespace farvik::editor {

RowList::RowList(const QString& viewportName, const QString& innerName, const QString& barName,
                 int width, QWidget* parent)
    : QWidget(parent),
      viewport_(new QFrame(this)),
      inner_(new QWidget(viewport_)),
      bar_(new QScrollBar(Qt::Vertical, this)),
      pitch_(twipsToPixels(kRowPitchTwips, *this)) {
    viewport_->setObjectName(viewportName);
    inner_->setObjectName(innerName);
    bar_->setObjectName(barName);

    viewport_->setFixedSize(width, kVisibleRows * pitch_);
    inner_->setGeometry(0, 0, width, kVisibleRows * pitch_);
    // The frame grows and shrinks below the viewport with every row; without this each
    // change would repaint every row in sight.
    inner_->setAttribute(Qt::WA_StaticContents);

    bar_->setRange(0, 0);
    bar_->setSingleStep(1);  // one step, one row
    bar_->setPageStep(kVisibleRows);
    bar_->setFixedHeight(kVisibleRows * pitch_);
    QSizePolicy keepPlace = bar_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    bar_->setSizePolicy(keepPlace);
    bar_->hide();
    connect(bar_, &QScrollBar::valueChanged, this, &RowList::scrollTo);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(viewport_);
    layout->addWidget(bar_);
    layout->addStretch();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    watch(viewport_);
    watch(inner_);
}

void RowList::placeRow(QWidget* row, int r) {
    row->setGeometry(0, (r - 1) * pitch_, inner_->width(), pitch_);
    watch(row);
    for (QWidget* child : row->findChildren<QWidget*>()) watch(child);
    if (r > static_cast<int>(placed_.size())) placed_.resize(static_cast<std::size_t>(r));
    placed_[static_cast<std::size_t>(r - 1)] = row;
    // A row out of sight is not painted. Every change to a control that may be painted
    // costs a look at all the rows after it when the window is next painted, which made a
    // list of a thousand rows slow to fill.
    row->setUpdatesEnabled(inSight(r));
}

void RowList::rowAdded(int r) {
    update(r);
}

void RowList::rowRemoved() {
    const int rows = std::max(0, rows_ - 1);
    if (static_cast<int>(placed_.size()) > rows) placed_.resize(static_cast<std::size_t>(rows));
    update(rows);
}

void RowList::scrollTo(int position) {
    // The rows that come into sight are painted from now on; those that leave are not.
    const int before = first_;
    first_ = position;
    for (int r = 1; r <= static_cast<int>(placed_.size()); ++r) {
        const bool was = r > before && r <= before + kVisibleRows;
        if (was != inSight(r) && placed_[static_cast<std::size_t>(r - 1)])
            placed_[static_cast<std::size_t>(r - 1)]->setUpdatesEnabled(inSight(r));
    }
    inner_->move(0, -position * pitch_);
}

void RowList::setFrozen(bool frozen) {
    frozen_ = frozen;
    update(rows_);
}

void RowList::update(int rows) {
    rows_ = rows;
    const int beyond = std::max(0, rows - kVisibleRows);
    bar_->setMaximum(beyond);  // clamps the position, which moves the rows back
    bar_->setVisible(beyond > 0 && !frozen_);
    inner_->resize(inner_->width(), std::max(rows, kVisibleRows) * pitch_);
}

void RowList::ensureRowVisible(int r) {
    if (r - 1 < bar_->value())
        bar_->setValue(r - 1);
    else if (r - kVisibleRows > bar_->value())
        bar_->setValue(r - kVisibleRows);
}

void RowList::watch(QWidget* widget) {
    widget->installEventFilter(this);
}

bool RowList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        // The wheel scrolls the list; it never changes the value of a control under it.
        if (bar_->isVisible()) QApplication::sendEvent(bar_, event);
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        // Moving the focus with Tab onto a row out of sight brings that row into view.
        for (auto* w = qobject_cast<QWidget*>(watched); w && w != inner_; w = w->parentWidget()) {
            if (w->parentWidget() == inner_) {
                ensureRowVisible(w->y() / pitch_ + 1);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace farvik::editor
