#include "spin_arrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "document/number_text.h"

namespace farvik::editor {
namespace {

QToolButton* makeArrow(Qt::ArrowType type, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(false);  // one step per press
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(16);
    return button;
}

}  // namespace

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(makeArrow(Qt::UpArrow, this)), down_(makeArrow(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(up_, &QToolButton::clicked, this, [this] { stepHeld(up_, +1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepHeld(down_, -1); });
}

void SpinArrows::setRepeating(bool repeating) {
    repeating_ = repeating;
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(repeating);
        arrow->setAutoRepeatDelay(400);
        arrow->setAutoRepeatInterval(50);
    }
}

int SpinArrows::holdMultiplier(int repeats) {
    if (repeats < 40) return 1;
    if (repeats < 80) return 10;
    return 100;
}

void SpinArrows::stepHeld(QToolButton* arrow, int direction) {
    // A repeating arrow sends its clicks while still down; the last one comes on release
    // and ends the hold.
    const int steps = repeating_ ? holdMultiplier(repeats_) : 1;
    repeats_ = repeating_ && arrow->isDown() ? repeats_ + 1 : 0;
    if (stepBy(direction * steps * step_)) emit direction > 0 ? upClick() : downClick();
}

void SpinArrows::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
}

void SpinArrows::setBuddy(QLineEdit* buddy) {
    if (buddy_) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_) buddy_->installEventFilter(this);
}

int SpinArrows::value() const {
    if (!buddy_) return value_;
    const double number = leadingNumber(buddy_->text());
    if (std::isnan(number)) return minimum_;
    return static_cast<int>(std::clamp(number, double(minimum_), double(maximum_)));
}

void SpinArrows::pressUp() {
    if (stepBy(step_)) emit upClick();
}

void SpinArrows::pressDown() {
    if (stepBy(-step_)) emit downClick();
}

bool SpinArrows::stepBy(int delta) {
    if (!isEnabled() || delta == 0) return false;
    // The step goes from the number shown, wherever it is typed; a step that would leave the
    // range ends on its end, which the buddy then shows.
    double from = value_;
    if (buddy_) {
        from = leadingNumber(buddy_->text());
        if (std::isnan(from)) from = minimum_;
    }
    const int to = static_cast<int>(std::clamp(from + delta, double(minimum_), double(maximum_)));
    if (to == from) return false;
    value_ = to;
    if (buddy_) buddy_->setText(QString::number(to));
    emit changed(to);
    return true;
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    // The type first: while the buddy is being destroyed its events reach here too, and it is
    // no longer a line edit to compare with.
    if (event->type() == QEvent::KeyPress && watched == buddy_.data()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            const int direction = key->key() == Qt::Key_Up ? 1 : -1;
            if (!repeating_) {
                // A held key repeats; like a held arrow it moves the number once.
                if (!key->isAutoRepeat()) direction > 0 ? pressUp() : pressDown();
                return true;
            }
            repeats_ = key->isAutoRepeat() ? repeats_ + 1 : 0;
            if (stepBy(direction * holdMultiplier(repeats_) * step_))
                emit direction > 0 ? upClick() : downClick();
            return true;
        }
        if (repeating_ && (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
            const int direction = key->key() == Qt::Key_PageUp ? 1 : -1;
            if (stepBy(direction * 10 * step_)) emit direction > 0 ? upClick() : downClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace farvik::editor
