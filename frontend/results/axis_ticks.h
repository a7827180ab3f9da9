#pragma once

#include <QString>
#include <QStringList>

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

}  // namespace farvik
