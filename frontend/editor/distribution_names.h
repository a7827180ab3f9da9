#pragma once

#include <QStringList>

namespace farvik::editor {

// The entries of every distribution list, in the order whose position an element stores.
inline QStringList distributionNames() {
    return {QStringLiteral("Exponencial"), QStringLiteral("Weibull"),
            QStringLiteral("Lognormal (param. normal)"), QStringLiteral("Lognormal"),
            QStringLiteral("Normal")};
}

}  // namespace farvik::editor
