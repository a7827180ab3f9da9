// Writes the desktop icons of farvik, drawn as its window icon is: PNG files at the sizes
// given and one SVG, named farvik-SIZE.png and farvik.svg in the folder given.
//   farvik_icon FOLDER SIZE...
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "shell/pictures.h"

namespace {

bool writePng(const QString& folder, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / 32.0, size / 32.0);
    farvik::paintProgramPicture(painter);
    painter.end();
    return image.save(QStringLiteral("%1/farvik-%2.png").arg(folder).arg(size), "PNG");
}

bool writeSvg(const QString& folder) {
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/farvik.svg"));
    svg.setTitle(QStringLiteral("Farvik"));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRectF(0, 0, 32, 32));
    svg.setResolution(96);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    farvik::paintProgramPicture(painter);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    // Drawn without a screen: the build may run where there is none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "uso: farvik_icon CARPETA TAMAÑO...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0 || !writePng(folder, size)) {
            std::fprintf(stderr, "farvik_icon: no se puede escribir el icono %s\n", argv[i]);
            return 1;
        }
    }
    if (!writeSvg(folder)) {
        std::fprintf(stderr, "farvik_icon: no se puede escribir farvik.svg\n");
        return 1;
    }
    return 0;
}
