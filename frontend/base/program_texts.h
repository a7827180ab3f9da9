#pragma once

#include <QString>

// Texts that the splash and the About box share.
namespace farvik {

inline const QString kProductName = QStringLiteral("Farvik");
inline const QString kProgramTitle = QStringLiteral("Omvira");

// "major.minor.revision" of the program's own version.
QString versionNumber();

inline const QString kMakerLine = QStringLiteral("Equipo de desarrollo de Farvik");
inline const QString kCreditLine1 =
    QStringLiteral("Simulación de Monte Carlo de la fiabilidad de sistemas");
inline const QString kCreditLine2 =
    QStringLiteral("Programa de simulación brenta y entorno Farvik");

}  // namespace farvik
