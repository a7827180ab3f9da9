#pragma once

class QPainter;

namespace farvik::diagram {

struct BlockDiagram;

// Paints the diagram in its own coordinates (pixels at zoom 1): the caller scales and moves
// the painter. The same painting serves the window, the printer, PNG and SVG.
void paintDiagram(QPainter& painter, const BlockDiagram& diagram);

}  // namespace farvik::diagram
