#include "graph_frame.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "axis_ticks.h"
#include "graph_plot.h"

namespace farvik {
namespace {

constexpr int kTick = 5;  // pixels of a grid line outside the plot
constexpr int kGap = 4;

QLabel* namedLabel(const char* name, Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(alignment);
    return label;
}

QFrame* tickLine(const QString& name, QFrame::Shape shape, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText, Qt::darkGray);
    line->setPalette(palette);
    return line;
}

}  // namespace

GraphFrame::GraphFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmgrafico"));
    plot_ = new GraphPlot(this);
    x0y0x_ = namedLabel("x0y0x", Qt::AlignLeft | Qt::AlignTop, this);
    x1y0_ = namedLabel("x1y0", Qt::AlignRight | Qt::AlignTop, this);
    x0y0y_ = namedLabel("x0y0y", Qt::AlignRight | Qt::AlignVCenter, this);
    x0y1_ = namedLabel("x0y1", Qt::AlignRight | Qt::AlignVCenter, this);
    lbx_ = namedLabel("lbx", Qt::AlignHCenter | Qt::AlignTop, this);
    lby_ = namedLabel("lby", Qt::AlignLeft | Qt::AlignBottom, this);
    for (int i = 0; i <= 10; ++i) {
        lineh_ << tickLine(QStringLiteral("Lineh(%1)").arg(i), QFrame::HLine, this);
        linev_ << tickLine(QStringLiteral("Linev(%1)").arg(i), QFrame::VLine, this);
    }
    for (int i = 1; i <= 9; ++i) {
        tickx_ << namedLabel(qPrintable(QStringLiteral("tickx(%1)").arg(i)), Qt::AlignCenter, this);
        ticky_ << namedLabel(qPrintable(QStringLiteral("ticky(%1)").arg(i)),
                             Qt::AlignRight | Qt::AlignVCenter, this);
    }
    setMinimumSize(240, 160);
}

void GraphFrame::display(const GraphPicture& picture) {
    const GraphRange& r = picture.range;
    x0y0x_->setText(fixedNumber(r.x0, 2));
    x0y0y_->setText(fixedNumber(r.y0, 2));
    x1y0_->setText(fixedNumber(r.x1, 2));
    x0y1_->setText(fixedNumber(r.y1, 2));
    if (picture.curve) {
        lbx_->setText(picture.curve->xTitle);
        lby_->setText(picture.curve->yTitle);
    }
    const QStringList xs = tickLabels(r.x0, r.x1);
    const QStringList ys = tickLabels(r.y0, r.y1);
    for (int i = 1; i <= 9; ++i) {
        tickx_[i - 1]->setText(xs[i]);
        // Grid line 0 is the plot's top, where y is highest.
        ticky_[i - 1]->setText(ys[10 - i]);
    }
    plot_->setPicture(picture);
    lay_out();
}

void GraphFrame::resizeEvent(QResizeEvent*) {
    lay_out();
}

// The plot takes the frame but for a column of y labels on the left, a title line above
// and a line of x labels and the x title below.
void GraphFrame::lay_out() {
    const QFontMetrics fm(font());
    const int line = fm.height();
    int labelWidth =
        std::max({fm.horizontalAdvance(QStringLiteral("00000.00")),
                  fm.horizontalAdvance(x0y0y_->text()), fm.horizontalAdvance(x0y1_->text())});
    for (const QLabel* tick : ticky_)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(tick->text()));
    const int left = labelWidth + kTick + 2 * kGap;
    const int top = line + kGap + line / 2;
    // A line for the values below the plot, and one for the axis title under them.
    const int bottom = 2 * line + kTick + 2 * kGap;
    const int right = kGap + fm.horizontalAdvance(QStringLiteral("0"));
    const QRect plot(left, top, std::max(width() - left - right, 20),
                     std::max(height() - top - bottom, 20));
    plot_->setGeometry(plot);

    const int labelsTop = plot.bottom() + 1 + kTick + kGap / 2;
    const int half = plot.width() / 2;
    x0y0x_->setGeometry(plot.left(), labelsTop, half, line);
    x1y0_->setGeometry(plot.left() + half, labelsTop, plot.width() - half, line);
    lbx_->setGeometry(plot.left() + plot.width() / 4, labelsTop + line, half, line);
    const int labelsRight = plot.left() - kTick - kGap;
    x0y0y_->setGeometry(0, plot.bottom() - line / 2, labelsRight, line);
    x0y1_->setGeometry(0, plot.top() - line / 2, labelsRight, line);
    lby_->setGeometry(plot.left(), 0, plot.width(), plot.top() - line / 2 - 1);

    // The same places as the grid the plot draws inside.
    const QRectF inner(plot.left(), plot.top(), plot.width() - 1, plot.height() - 1);
    for (int i = 0; i <= 10; ++i) {
        const int x = qRound(gridLine(i, inner.left(), inner.width()));
        const int y = qRound(gridLine(i, inner.top(), inner.height()));
        linev_[i]->setGeometry(x, plot.bottom() + 1, 1, kTick);
        lineh_[i]->setGeometry(plot.left() - kTick, y, kTick, 1);
    }
    lay_out_ticks(plot, labelsTop, labelsRight);
}

// Every inner line's value, or every second or fifth where they would touch; none that
// would run into the range labels at the ends.
void GraphFrame::lay_out_ticks(const QRect& plot, int labelsTop, int labelsRight) {
    const QFontMetrics fm(font());
    const int line = fm.height();
    const QRectF inner(plot.left(), plot.top(), plot.width() - 1, plot.height() - 1);
    const auto strideFor = [](double cell, int room) {
        for (int stride : {1, 2, 5})
            if (stride * cell >= room) return stride;
        return 0;
    };

    int widest = 0;
    for (const QLabel* tick : tickx_) widest = std::max(widest, fm.horizontalAdvance(tick->text()));
    const int xStride = strideFor(inner.width() / 10, widest + 2 * kGap);
    const int leftEnd = plot.left() + fm.horizontalAdvance(x0y0x_->text()) + kGap;
    const int rightEnd = plot.right() - fm.horizontalAdvance(x1y0_->text()) - kGap;
    for (int i = 1; i <= 9; ++i) {
        QLabel* tick = tickx_[i - 1];
        const int x = qRound(gridLine(i, inner.left(), inner.width()));
        const int w = fm.horizontalAdvance(tick->text()) + 2;
        tick->setGeometry(x - w / 2, labelsTop, w, line);
        tick->setVisible(xStride > 0 && i % xStride == 0 && x - w / 2 >= leftEnd &&
                         x + w / 2 <= rightEnd);
    }

    const int yStride = strideFor(inner.height() / 10, line + kGap / 2);
    for (int i = 1; i <= 9; ++i) {
        QLabel* tick = ticky_[i - 1];
        const int y = qRound(gridLine(i, inner.top(), inner.height()));
        tick->setGeometry(0, y - line / 2, labelsRight, line);
        // Grid lines 0 and 10 carry the range labels; a value must keep a line from them.
        const bool clear = y >= plot.top() + line && y <= plot.bottom() - line;
        tick->setVisible(yStride > 0 && i % yStride == 0 && clear);
    }
}

}  // namespace farvik
