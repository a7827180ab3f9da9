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
    picture_ = picture;
    const GraphRange& r = picture.range;
    x0y0x_->setText(fixedNumber(r.x0, 2));
    x0y0y_->setText(fixedNumber(r.y0, 2));
    x1y0_->setText(fixedNumber(r.x1, 2));
    x0y1_->setText(fixedNumber(r.y1, 2));
    if (picture.curve) {
        lbx_->setText(picture.curve->xTitle);
        lby_->setText(picture.curve->yTitle);
    }
    lay_out();
}

void GraphFrame::resizeEvent(QResizeEvent*) {
    lay_out();
}

// The plot takes the frame but for a column of y labels on the left, a title line above
// and a line of x labels and the x title below. The y values are chosen first, for the
// plot's height, since the column must be wide enough for them; then the x values for the
// width that is left.
void GraphFrame::lay_out() {
    const QFontMetrics fm(font());
    const int line = fm.height();
    const int top = line + kGap + line / 2;
    // A line for the values below the plot, and one for the axis title under them.
    const int bottom = 2 * line + kTick + 2 * kGap;
    const int right = kGap + fm.horizontalAdvance(QStringLiteral("0"));
    const int plotHeight = std::max(height() - top - bottom, 20);
    const GraphRange& r = picture_.range;
    const bool drawn = picture_.curve != nullptr;

    AxisRoom yRoom;
    yRoom.length = plotHeight - 1;
    yRoom.lowEnd = yRoom.highEnd = line / 2.0;
    yRoom.gap = kGap / 2.0;
    yRoom.extent = [line](const QString&) { return double(line); };
    // The plot's y grows upwards: the axis is measured from its bottom.
    yTicks_ =
        drawn ? chooseTicks(r.y0, r.y1, yRoom, picture_.kind == kFailureCountGraph) : AxisTicks();

    int labelWidth =
        std::max({fm.horizontalAdvance(QStringLiteral("00000.00")),
                  fm.horizontalAdvance(x0y0y_->text()), fm.horizontalAdvance(x0y1_->text())});
    for (const QString& label : yTicks_.labels)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(label));
    const int left = labelWidth + kTick + 2 * kGap;
    const QRect plot(left, top, std::max(width() - left - right, 20), plotHeight);

    AxisRoom xRoom;
    xRoom.length = plot.width() - 1;
    xRoom.lowEnd = fm.horizontalAdvance(x0y0x_->text());
    xRoom.highEnd = fm.horizontalAdvance(x1y0_->text());
    xRoom.gap = 2 * kGap;
    xRoom.extent = [fm](const QString& s) { return double(fm.horizontalAdvance(s) + 2); };
    xTicks_ = drawn ? chooseTicks(r.x0, r.x1, xRoom) : AxisTicks();

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
    place_ticks(plot, labelsTop, labelsRight);

    GraphPicture shown = picture_;
    shown.xTicks = xTicks_.values;
    shown.yTicks = yTicks_.values;
    plot_->setPicture(shown);
}

// Lines 0 and 10 at the plot's edges, lines 1.. at the round values with their labels; the
// lines and labels left over are hidden.
void GraphFrame::place_ticks(const QRect& plot, int labelsTop, int labelsRight) {
    const QFontMetrics fm(font());
    const int line = fm.height();
    const GraphRange& r = picture_.range;
    const int innerWidth = plot.width() - 1, innerHeight = plot.height() - 1;
    linev_[0]->setGeometry(plot.left(), plot.bottom() + 1, 1, kTick);
    linev_[10]->setGeometry(plot.left() + innerWidth, plot.bottom() + 1, 1, kTick);
    lineh_[0]->setGeometry(plot.left() - kTick, plot.top(), kTick, 1);
    lineh_[10]->setGeometry(plot.left() - kTick, plot.top() + innerHeight, kTick, 1);
    for (int i = 1; i <= 9; ++i) {
        const std::size_t n = std::size_t(i - 1);
        QLabel* tick = tickx_[i - 1];
        const bool xShown = n < xTicks_.values.size();
        if (xShown) {
            const int x =
                plot.left() + qRound(axisPosition(xTicks_.values[n], r.x0, r.x1, innerWidth));
            const int w = fm.horizontalAdvance(xTicks_.labels[n]) + 2;
            tick->setText(xTicks_.labels[n]);
            tick->setGeometry(x - w / 2, labelsTop, w, line);
            linev_[i]->setGeometry(x, plot.bottom() + 1, 1, kTick);
        }
        tick->setVisible(xShown);
        linev_[i]->setVisible(xShown);

        // From the top: the highest value first.
        QLabel* yTick = ticky_[i - 1];
        const bool yShown = n < yTicks_.values.size();
        if (yShown) {
            const std::size_t k = yTicks_.values.size() - 1 - n;
            const int y = plot.top() + innerHeight -
                          qRound(axisPosition(yTicks_.values[k], r.y0, r.y1, innerHeight));
            yTick->setText(yTicks_.labels[k]);
            yTick->setGeometry(0, y - line / 2, labelsRight, line);
            lineh_[i]->setGeometry(plot.left() - kTick, y, kTick, 1);
        }
        yTick->setVisible(yShown);
        lineh_[i]->setVisible(yShown);
    }
}

}  // namespace farvik
