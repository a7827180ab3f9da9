#pragma once

class QLocale;

namespace farvik {

// The locale every number of the suite is read and written in: "." decimal, "," group.
QLocale numberLocale();

// fijar_separadores: from here on the process reads and writes numbers with "." and ",":
// Qt's default locale, and the C library's numeric locale put back to "C" (a QApplication
// applies the user's locale to it). The user's desktop settings are left as they are.
void fijar_separadores();

}  // namespace farvik
