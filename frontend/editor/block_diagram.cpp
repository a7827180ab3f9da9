#include "block_diagram.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "codes.h"
#include "document/system_data.h"
#include "engine_checks.h"
#include "mean_life.h"
#include "parameter_hints.h"

namespace farvik::diagram {
namespace {

// A part of the diagram: a block, a chain of parts in series, or parts side by side between
// two nodes.
struct Part {
    enum class Kind { Block, Chain, Parallel } kind = Kind::Block;
    Block block;
    std::vector<Part> parts;
};

struct Sizes {
    double blockWidth, blockHeight;
    double gap;  // between two parts of a chain
    double row;  // between two rows of a parallel group
    double bus;  // from a node to the parts of its group
    double margin;
};

struct Extent {
    double width, height;
};

Extent extentOf(const Part& part, const Sizes& s) {
    switch (part.kind) {
        case Part::Kind::Block:
            return {s.blockWidth, s.blockHeight};
        case Part::Kind::Chain: {
            Extent e{0, 0};
            for (const Part& p : part.parts) {
                const Extent c = extentOf(p, s);
                e.width += c.width;
                e.height = std::max(e.height, c.height);
            }
            e.width += s.gap * double(std::max<std::size_t>(part.parts.size(), 1) - 1);
            return e;
        }
        case Part::Kind::Parallel: {
            Extent e{0, 0};
            for (const Part& p : part.parts) {
                const Extent c = extentOf(p, s);
                e.width = std::max(e.width, c.width);
                e.height += c.height;
            }
            e.width += 2 * s.bus;
            e.height += s.row * double(std::max<std::size_t>(part.parts.size(), 1) - 1);
            return e;
        }
    }
    return {0, 0};
}

// Places a part with its left edge at x and its vertical middle at y; returns its right
// edge. Its two ports (where links meet it) are (x, y) and (right edge, y).
double place(const Part& part, double x, double y, const Sizes& s, BlockDiagram& out) {
    const Extent e = extentOf(part, s);
    switch (part.kind) {
        case Part::Kind::Block: {
            Block b = part.block;
            b.rect = QRectF(x, y - s.blockHeight / 2, s.blockWidth, s.blockHeight);
            out.blocks.push_back(b);
            return x + s.blockWidth;
        }
        case Part::Kind::Chain: {
            double at = x;
            for (std::size_t n = 0; n < part.parts.size(); ++n) {
                if (n > 0) {
                    out.links.push_back(QPolygonF({QPointF(at, y), QPointF(at + s.gap, y)}));
                    at += s.gap;
                }
                at = place(part.parts[n], at, y, s, out);
            }
            return at;
        }
        case Part::Kind::Parallel: {
            const double right = x + e.width;
            const double leftBus = x + s.bus / 2;
            const double rightBus = right - s.bus / 2;
            out.nodes.push_back(QPointF(x, y));
            out.nodes.push_back(QPointF(right, y));
            double top = y - e.height / 2;
            for (const Part& p : part.parts) {
                const Extent c = extentOf(p, s);
                const double mid = top + c.height / 2;
                const double end = place(p, x + s.bus, mid, s, out);
                out.links.push_back(QPolygonF({QPointF(x, y), QPointF(leftBus, y),
                                               QPointF(leftBus, mid), QPointF(x + s.bus, mid)}));
                out.links.push_back(QPolygonF({QPointF(end, mid), QPointF(rightBus, mid),
                                               QPointF(rightBus, y), QPointF(right, y)}));
                top += c.height + s.row;
            }
            return right;
        }
    }
    return x;
}

const QColor kElementFill(0xe6, 0xef, 0xfa);
const QColor kUnknownFill(0xe0, 0x30, 0x30);

Block elementBlock(const ElementRec& element, const QString& label, const QColor& fill) {
    Block b;
    b.label = label;
    b.distribution =
        editor::shortDistribution(element.distribution, element.params[1], element.params[2]);
    b.life = editor::meanLifeText(
        meanLife(element.distribution + 1, element.params[1], element.params[2]));
    b.refused = !editor::elementRefusals(element, label).empty();
    b.fill = fill;
    b.elementRow = element.key;
    return b;
}

Part blockPart(Block b) {
    Part p;
    p.block = std::move(b);
    return p;
}

Part group(Part::Kind kind, std::vector<Part> parts) {
    if (parts.size() == 1) return std::move(parts.front());  // a group of one is that one
    Part p;
    p.kind = kind;
    p.parts = std::move(parts);
    return p;
}

int groupsIn(const std::vector<SubsystemRec>& groups, int count) {
    return std::max(0, std::min(count, static_cast<int>(groups.size()) - 1));
}

// A subsystem's elements as blocks.
std::vector<Part> subsystemBlocks(const SystemData& data, int i, const QColor& fill) {
    std::vector<Part> parts;
    const SubsystemRec& s = data.subsystems[static_cast<std::size_t>(i)];
    for (int j = 1; j <= s.count && j < static_cast<int>(s.elements.size()); ++j) {
        parts.push_back(blockPart(elementBlock(s.elements[static_cast<std::size_t>(j)],
                                               editor::elementLabel(data, i, j), fill)));
    }
    return parts;
}

// Light colours, one per subsystem of a structure 3 or 4, so that groups read apart.
QColor subsystemColour(int i) {
    return i % 2 ? kElementFill : QColor(0xf4, 0xee, 0xdc);
}

Part systemPart(const SystemData& data) {
    const int subsystems = groupsIn(data.subsystems, data.subsystemCount);
    std::vector<Part> parts;
    switch (data.systemType) {
        case kSeries:
        case kParallel: {
            if (subsystems >= 1) parts = subsystemBlocks(data, 1, kElementFill);
            return group(data.systemType == kSeries ? Part::Kind::Chain : Part::Kind::Parallel,
                         std::move(parts));
        }
        case kSeriesParallel:
        case kParallelSeries: {
            const bool series = data.systemType == kSeriesParallel;
            for (int i = 1; i <= subsystems; ++i) {
                parts.push_back(group(series ? Part::Kind::Parallel : Part::Kind::Chain,
                                      subsystemBlocks(data, i, subsystemColour(i))));
            }
            return group(series ? Part::Kind::Chain : Part::Kind::Parallel, std::move(parts));
        }
        case kGeneral: {
            // The elements by the key they are written with.
            std::vector<const ElementRec*> byKey(kMaxDim + 1, nullptr);
            for (int i = 1; i <= subsystems; ++i) {
                const auto& elements = data.subsystems[static_cast<std::size_t>(i)].elements;
                if (elements.size() > 1 && elements[1].key >= 1 && elements[1].key <= kMaxDim)
                    byKey[static_cast<std::size_t>(elements[1].key)] = &elements[1];
            }
            const int paths = groupsIn(data.paths, data.pathCount);
            for (int p = 1; p <= paths; ++p) {
                const SubsystemRec& path = data.paths[static_cast<std::size_t>(p)];
                std::vector<Part> chain;
                for (int j = 1; j <= path.count && j < static_cast<int>(path.elements.size());
                     ++j) {
                    const ElementRec& entry = path.elements[static_cast<std::size_t>(j)];
                    const long long key = std::llround(entry.params[1]);
                    const bool known =
                        key >= 1 && key <= kMaxDim && byKey[static_cast<std::size_t>(key)];
                    Block b;
                    if (known) {
                        const int k = static_cast<int>(key);
                        b = elementBlock(*byKey[static_cast<std::size_t>(k)], QString::number(k),
                                         keyColour(k));
                    } else {
                        b.label = QStringLiteral("?");
                        b.distribution = QStringLiteral("clave %1").arg(key);
                        b.life = QStringLiteral("sin elemento");
                        b.fill = kUnknownFill;
                        b.unknown = true;
                    }
                    b.pathEntryRow = entry.key;
                    chain.push_back(blockPart(std::move(b)));
                }
                if (!chain.empty()) parts.push_back(group(Part::Kind::Chain, std::move(chain)));
            }
            return group(Part::Kind::Parallel, std::move(parts));
        }
        default:
            return group(Part::Kind::Chain, {});
    }
}

}  // namespace

QColor keyColour(int key) {
    // The golden angle keeps neighbouring keys far apart on the colour circle.
    const double hue = std::fmod(key * 137.508, 360.0);
    return QColor::fromHsvF(hue / 360.0, 0.28, 0.98);
}

const Block* BlockDiagram::blockAt(const QPointF& point) const {
    for (const Block& b : blocks)
        if (b.rect.contains(point)) return &b;
    return nullptr;
}

BlockDiagram layOut(const SystemData& data, const QFont& font) {
    BlockDiagram out;
    // In pixels, so that the texts keep their size against the blocks on any device the
    // diagram is painted on, scaled as it may be.
    out.font = font;
    if (font.pixelSize() <= 0) out.font.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    Part system = systemPart(data);

    // Every block as wide as the widest of the texts, three lines high.
    const QFontMetricsF fm(out.font);
    QFont boldFont = out.font;
    boldFont.setBold(true);
    const QFontMetricsF bold(boldFont);
    double widest = fm.horizontalAdvance(QStringLiteral("Vida media: 0.00000E+000"));
    std::vector<const Part*> pending{&system};
    while (!pending.empty()) {
        const Part* p = pending.back();
        pending.pop_back();
        if (p->kind == Part::Kind::Block) {
            widest = std::max({widest, bold.horizontalAdvance(p->block.label),
                               fm.horizontalAdvance(p->block.distribution),
                               fm.horizontalAdvance(p->block.life)});
        }
        for (const Part& c : p->parts) pending.push_back(&c);
    }
    const double line = fm.lineSpacing();
    Sizes s;
    s.blockWidth = std::ceil(widest + 2 * fm.averageCharWidth() + 4);
    s.blockHeight = std::ceil(3 * line + line * 0.6);
    s.gap = std::ceil(3 * fm.averageCharWidth());
    s.row = std::ceil(line * 0.8);
    s.bus = std::ceil(4 * fm.averageCharWidth());
    s.margin = std::ceil(2 * line);

    // An input and an output node on each side of whatever the system is.
    const Extent e = extentOf(system, s);
    const double x = s.margin;
    const double y = s.margin + e.height / 2;
    const bool ownNodes = system.kind == Part::Kind::Parallel;
    const double lead = ownNodes ? 0 : s.gap;
    if (!ownNodes) out.nodes.push_back(QPointF(x, y));
    double right = x + lead;
    if (!(system.kind == Part::Kind::Chain && system.parts.empty())) {
        right = place(system, x + lead, y, s, out);
    }
    if (!ownNodes) {
        out.links.push_back(QPolygonF({QPointF(x, y), QPointF(x + lead, y)}));
        out.links.push_back(QPolygonF({QPointF(right, y), QPointF(right + lead, y)}));
        right += lead;
        out.nodes.push_back(QPointF(right, y));
    }
    out.bounds = QRectF(0, 0, right + s.margin, e.height + 2 * s.margin);
    return out;
}

}  // namespace farvik::diagram
