#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace farvik {

// How a number of an axis is written: fixed with so many decimals ("####0.00" is
// {false, 2}), or in exponent form with so many significant digits ("2.0E-06" is {true, 2}).
struct NumberForm {
    bool exponent = false;
    int digits = 2;

    QString text(double value) const;
    bool operator==(const NumberForm& o) const {
        return exponent == o.exponent && digits == o.digits;
    }
};

// The value at grid line i (0..10) of an axis from `from` to `to`.
double tickValue(int i, double from, double to);

// The form of the labels at the 11 grid lines of an axis: "####0.00" when neighbouring
// labels differ in it, else up to six decimals on an axis that reaches 0.01, else the
// exponent form with as few significant digits (two at least) as keep them apart.
NumberForm tickForm(double from, double to);

// The 11 labels of an axis, at grid lines 0..10, in tickForm.
QStringList tickLabels(double from, double to);

// The form of the pointer's coordinates on an axis: "####0.0000" where the labels need no
// more than three decimals, else one digit more than the labels.
NumberForm pointerForm(double from, double to);

// The round values marked along an axis: multiples of a step of 1, 2 or 5 times a power of
// ten, each with its label. The ends of the axis carry the range labels and are not among
// them.
struct AxisTicks {
    double step = 0;
    std::vector<double> values;  // ascending
    QStringList labels;          // one for each value, all different
};

// At most this many ticks between the ends: the grid lines an axis has besides its ends.
constexpr int kMostTicks = 9;

// Where an axis lies on the device and what its labels need there, all in device units:
// `length` from the low end to the high end; the room the range labels take at each end,
// measured inwards; the space kept between two labels; and how long a label is along the
// axis (its width on the x axis, its height on the y axis).
struct AxisRoom {
    double length = 0;
    double lowEnd = 0;
    double highEnd = 0;
    double gap = 0;
    std::function<double(const QString&)> extent;
};

// The label of a multiple of step: as many decimals as the step has (none from 1 up), in
// exponent form when the step is below 1E-06; never "-0".
QString roundTickLabel(double value, double step);

// The multiples of step strictly between from and to, with their labels.
AxisTicks roundTicksAt(double from, double to, double step);

// The finest round step for the axis from `from` to `to` whose labels all fit: each centred
// on its tick, clear of the range labels and of each other; ticks too close to an end for
// their label are left out. `counts` keeps the step at 1 or more (an axis of counts). A
// step too coarse for any tick between the ends gives none.
AxisTicks chooseTicks(double from, double to, const AxisRoom& room, bool counts = false);

// The device position of a value on an axis of that length (0 at from).
inline double axisPosition(double value, double from, double to, double length) {
    return (value - from) / (to - from) * length;
}

}  // namespace farvik
