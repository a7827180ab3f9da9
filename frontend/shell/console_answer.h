#pragma once

#include <QString>

namespace farvik {

// Whether an answer typed in the run console holds a decimal comma: a comma between two
// digits, as in "100,5". The engine ends a value at a comma, so it would read 100 there.
bool holdsDecimalComma(const QString& answer);

// The console's line for such an answer, which is not sent: it names the answer and shows
// it written with the decimal point.
QString decimalCommaNotice(const QString& answer);

}  // namespace farvik
