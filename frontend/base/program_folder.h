#pragma once

#include <QString>

namespace farvik {

// The folder of the farvik program file; brenta is installed beside it.
QString programFolder();

}  // namespace farvik
