#pragma once

#include <QString>

namespace farvik {

// Runs the real brenta in folder on a copy of one of the examples (its base name, such as
// "SERIE"), answering "no reliability values" on its console. True when it ended with 0.
bool runExample(const QString& folder, const QString& example);

// A reliability table written as the engine writes it: the five heading lines, then the
// given rows (each already laid out), lines ended by CR LF.
QByteArray tableText(const QList<QByteArray>& rows);

// Writes bytes to folder/name.
void writeFile(const QString& folder, const QString& name, const QByteArray& bytes);

}  // namespace farvik
