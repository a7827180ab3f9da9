#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace farvik {

// Runs the real brenta in folder on a copy of one of the examples (its base name, such as
// "SERIE"), answering "no reliability values" on its console (or the answers given, one a
// line). True when it ended with 0.
bool runExample(const QString& folder, const QString& example,
                const QString& answers = QStringLiteral("2\\n"));

// A reliability table written as the engine writes it: the five heading lines, then the
// given rows (each already laid out), lines ended by CR LF.
QByteArray tableText(const QList<QByteArray>& rows);

// The reliability table of ten trials: the reliability falls 1, 0.5, 0.2, 0 at times 0, 10,
// 20, 30.
inline const QList<QByteArray> kTenTrialRows = {
    "        0.00000       10.00000       5        0.50000        0.06667",
    "       10.00000       20.00000       3        0.20000        0.08571",
    "       20.00000       30.00000       2        0.00000        0.20000",
};

// Writes bytes to folder/name.
void writeFile(const QString& folder, const QString& name, const QByteArray& bytes);

}  // namespace farvik
