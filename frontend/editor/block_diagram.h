#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

namespace farvik {
struct SystemData;
}

// The block diagram of the system being edited, as a model apart from any widget: where each
// block, node and link lies, in pixels of the diagram at zoom 1.
namespace farvik::diagram {

struct Block {
    QRectF rect;
    QString label;         // "1-2", or the key in a general system; "?" for a key of no element
    QString distribution;  // "Weibull 1.5 / 1200"
    QString life;          // "Vida media: 1083.15"
    QColor fill;
    bool unknown = false;  // a path entry whose key names no element
    bool refused = false;  // the engine would refuse the element's parameters
    int elementRow = 0;    // the editor's element row (key k), 0 for none
    int pathEntryRow = 0;  // the editor's path-entry row (key e) in a general system
};

struct BlockDiagram {
    QFont font;  // the texts of the blocks; the sizes below follow from it
    std::vector<Block> blocks;
    std::vector<QPointF> nodes;    // the input and output nodes and those of parallel groups
    std::vector<QPolygonF> links;  // polylines between ports, nodes and blocks
    QRectF bounds;                 // everything, with a margin

    // The block under a point, or nullptr.
    const Block* blockAt(const QPointF& point) const;
};

// Lays out the system: code 1 a chain of blocks, 2 blocks side by side between two nodes,
// 3 a chain of parallel groups, 4 parallel chains, 5 the paths as parallel chains between an
// input and an output node. Every block has the same size, wide enough for the longest text.
BlockDiagram layOut(const SystemData& data, const QFont& font);

// The colour of the elements keyed `key` in a general system: the same key, the same colour.
QColor keyColour(int key);

}  // namespace farvik::diagram
