#include "parameter_hints.h"

#include <cmath>

namespace farvik::editor {
namespace {

struct Names {
    const char* placeholder[2];
    const char* tooltip[2];
};

// In the order of the distribution list; the meanings are those of the engine's draws.
const Names kNames[5] = {
    {{"tasa λ", nullptr},
     {"Parámetro 1: tasa de fallo λ (tiempo exponencial de media 1/λ)", nullptr}},
    {{"forma β", "escala η"},
     {"Parámetro 1: forma β de la Weibull",
      "Parámetro 2: escala η de la Weibull (t = η·(−ln u)^(1/β))"}},
    {{"media μ de ln T", "desv. σ de ln T"},
     {"Parámetro 1: media μ del logaritmo del tiempo (de la normal subyacente)",
      "Parámetro 2: desviación típica σ del logaritmo del tiempo (de la normal subyacente)"}},
    {{"media de T", "desv. típica de T"},
     {"Parámetro 1: media del tiempo de fallo (de la propia lognormal)",
      "Parámetro 2: desviación típica del tiempo de fallo (de la propia lognormal)"}},
    {{"media", "desv. típica"},
     {"Parámetro 1: media de la normal (los tiempos negativos se vuelven a sortear)",
      "Parámetro 2: desviación típica de la normal"}},
};

const Names* namesOf(int position) {
    return position >= 0 && position < 5 ? &kNames[position] : nullptr;
}

QString nameOf(int position, int n, bool tooltip) {
    const Names* names = namesOf(position);
    if (!names || n < 1 || n > 2) return {};
    const char* text = tooltip ? names->tooltip[n - 1] : names->placeholder[n - 1];
    return text ? QString::fromUtf8(text) : QString();
}

}  // namespace

QString parameterPlaceholder(int position, int n) {
    return nameOf(position, n, false);
}

QString parameterTooltip(int position, int n) {
    return nameOf(position, n, true);
}

QString shortNumber(double value) {
    if (value == 0) return QStringLiteral("0");
    QString text = QString::number(value, 'g', 6);
    return text.replace(QLatin1Char('e'), QLatin1Char('E'));
}

QString meanLifeText(std::optional<double> meanLife) {
    return QStringLiteral("Vida media: ") +
           (meanLife ? shortNumber(*meanLife) : QStringLiteral("—"));
}

QString shortDistribution(int position, double p1, double p2) {
    static const char* const kShort[5] = {"Exponencial", "Weibull", "LN normal", "Lognormal",
                                          "Normal"};
    if (position < 0 || position > 4) return QStringLiteral("?");
    QString text = QString::fromUtf8(kShort[position]) + QLatin1Char(' ') + shortNumber(p1);
    if (position > 0) text += QStringLiteral(" / ") + shortNumber(p2);
    return text;
}

}  // namespace farvik::editor
