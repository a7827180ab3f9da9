#include "diagram_export.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "block_diagram.h"
#include "diagram_painter.h"

namespace farvik::diagram {
namespace {

bool writeSvg(const BlockDiagram& diagram, const QString& path) {
    // Through a file of our own: the generator alone says nothing when it cannot write.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(diagram.bounds.size().toSize());
    svg.setViewBox(diagram.bounds);
    svg.setTitle(QStringLiteral("Diagrama de bloques"));
    {
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        paintDiagram(painter, diagram);
    }
    return file.error() == QFileDevice::NoError && file.flush();
}

bool writePng(const BlockDiagram& diagram, const QString& path) {
    QImage image(diagram.bounds.size().toSize(), QImage::Format_RGB32);
    if (image.isNull()) return false;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintDiagram(painter, diagram);
    }
    return image.save(path, "PNG");
}

}  // namespace

bool exportDiagram(const BlockDiagram& diagram, const QString& path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return writeSvg(diagram, path);
    return writePng(diagram, path);
}

}  // namespace farvik::diagram
