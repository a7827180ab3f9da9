#pragma once

#include <QString>

namespace farvik::diagram {

struct BlockDiagram;

// Writes the diagram as a PNG picture or an SVG drawing, by the file's extension (".svg" is
// SVG, anything else PNG). False when the file cannot be written.
bool exportDiagram(const BlockDiagram& diagram, const QString& path);

}  // namespace farvik::diagram
