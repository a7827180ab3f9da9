#include "number_locale.h"

#include <QLocale>
#include <clocale>

namespace farvik {

QLocale numberLocale() {
    // The C locale has exactly these separators; numbers are written without grouping.
    return QLocale::c();
}

void fijar_separadores() {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(numberLocale());
}

}  // namespace farvik
