#include "parameter_hints.h"

#include <cmath>

#include "distributions.h"

namespace farvik::editor {
namespace {

// The label of parameter n of the distribution at `position`, or nullptr for a box the
// distribution does not use.
const ParameterLabel* labelOf(int position, int n) {
    const Distribution* d = findDistribution(position + 1);
    if (!d || n < 1 || n > d->parameterCount) return nullptr;
    return &d->parameters[n - 1];
}

}  // namespace

QString parameterPlaceholder(int position, int n) {
    const ParameterLabel* label = labelOf(position, n);
    return label ? QString::fromUtf8(label->placeholder) : QString();
}

QString parameterTooltip(int position, int n) {
    const ParameterLabel* label = labelOf(position, n);
    return label ? QString::fromUtf8(label->tooltip) : QString();
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
    const Distribution* d = findDistribution(position + 1);
    if (!d) return QStringLiteral("?");
    QString text = QString::fromUtf8(d->shortName) + QLatin1Char(' ') + shortNumber(p1);
    if (d->parameterCount > 1) text += QStringLiteral(" / ") + shortNumber(p2);
    return text;
}

}  // namespace farvik::editor
