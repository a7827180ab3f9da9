#include "program_folder.h"

#include <QCoreApplication>

namespace farvik {

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

}  // namespace farvik
