#pragma once

#include <QString>
#include <optional>

// What the data editor tells about the parameters of an element: the name of each parameter in
// the engine's terms, the element's mean life, and a short form of the distribution.
namespace farvik::editor {

// The name of parameter box n (1 or 2) for the distribution at `position` (0 "Exponencial" ..
// 4 "Normal"): a short one for the placeholder and a sentence for the tooltip. Empty for a box
// the distribution does not use.
QString parameterPlaceholder(int position, int n);
QString parameterTooltip(int position, int n);

// The read-only label to the right of the row: "Vida media: 1000", or a dash when the engine
// would refuse the parameters.
QString meanLifeText(std::optional<double> meanLife);

// A number as short as it reads well: six significant digits ("1200", "0.001", "1.5E+20").
QString shortNumber(double value);

// "Exponencial 0.001", "Weibull 1.5 / 1200", "LN normal 6.5 / 0.4", "Lognormal 800 / 300",
// "Normal 1000 / 200".
QString shortDistribution(int position, double p1, double p2);

}  // namespace farvik::editor
