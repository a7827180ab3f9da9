#pragma once

#include <QStringList>

#include "distributions.h"

namespace farvik::editor {

// The entries of every distribution list, in the order whose position an element stores.
inline QStringList distributionNames() {
    QStringList names;
    for (int k = 0; k < kDistributionCount; ++k)
        names << QString::fromUtf8(distributionTable()[k].name);
    return names;
}

}  // namespace farvik::editor
