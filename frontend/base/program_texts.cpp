#include "program_texts.h"

#include "farvik_version.h"

namespace farvik {

QString versionNumber() {
    return QStringLiteral("%1.%2.%3")
        .arg(FARVIK_VERSION_MAJOR)
        .arg(FARVIK_VERSION_MINOR)
        .arg(FARVIK_VERSION_PATCH);
}

}  // namespace farvik
