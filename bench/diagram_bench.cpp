// diagram_bench: how long the block diagram takes to be laid out and drawn for the largest
// systems the editor holds.
//   diagram_bench [repetitions]        (headless unless QT_QPA_PLATFORM says otherwise)
// Cases: 50 subsystems of 20 elements in series-parallel and in parallel-series, and a
// general system of 50 paths of 13 entries over 50 elements. Each is laid out from the
// description, then painted into a window-sized picture at the zoom that fits it, and into a
// picture of the whole diagram at 100 %. Each figure is the best of the repetitions, in ms.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "codes.h"
#include "document/system_data.h"
#include "editor/block_diagram.h"
#include "editor/diagram_painter.h"

namespace {

using farvik::ElementRec;
using farvik::SubsystemRec;
using farvik::SystemData;

ElementRec element(int key) {
    ElementRec e;
    e.key = static_cast<std::int16_t>(key);
    e.distribution = static_cast<std::int16_t>(key % 5);
    e.params[1] = e.distribution == 4 ? 1000 + key : 1.5 + key * 0.125;
    e.params[2] = e.distribution == 0 ? 0 : 1000 + key;
    return e;
}

SystemData subsystems(int type) {
    SystemData d;
    d.systemType = static_cast<std::int16_t>(type);
    d.subsystemCount = 50;
    d.subsystems.assign(51, {});
    int key = 0;
    for (int i = 1; i <= 50; ++i) {
        SubsystemRec& s = d.subsystems[static_cast<std::size_t>(i)];
        s.count = 20;
        s.elements.assign(21, {});
        for (int j = 1; j <= 20; ++j) s.elements[static_cast<std::size_t>(j)] = element(++key);
    }
    d.elementCount = static_cast<std::int16_t>(key);
    return d;
}

SystemData paths() {
    SystemData d;
    d.systemType = farvik::kGeneral;
    d.subsystemCount = 50;
    d.subsystems.assign(51, {});
    for (int i = 1; i <= 50; ++i) {
        SubsystemRec& s = d.subsystems[static_cast<std::size_t>(i)];
        s.count = 1;
        s.elements = {ElementRec{}, element(i)};
    }
    d.elementCount = 50;
    d.pathCount = 50;
    d.paths.assign(51, {});
    int entry = 0;
    for (int p = 1; p <= 50; ++p) {
        SubsystemRec& path = d.paths[static_cast<std::size_t>(p)];
        path.count = 13;
        path.elements.assign(14, {});
        for (int j = 1; j <= 13; ++j) {
            ElementRec& e = path.elements[static_cast<std::size_t>(j)];
            e.key = static_cast<std::int16_t>(++entry);
            e.params[1] = (p * 7 + j * 3) % 52;  // 0 and 51 name no element
        }
    }
    d.pathEntryCount = static_cast<std::int16_t>(entry);
    return d;
}

double bestMs(int repetitions, const std::function<void()>& work) {
    double best = 1e300;
    for (int r = 0; r < repetitions; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const QFont font = app.font();
    const struct {
        const char* name;
        SystemData data;
    } cases[] = {
        {"serie-paralelo 50x20", subsystems(farvik::kSeriesParallel)},
        {"paralelo-serie 50x20", subsystems(farvik::kParallelSeries)},
        {"general 50 caminos x 13", paths()},
    };
    std::printf("%-24s %8s %10s %12s %14s   (ms)\n", "caso", "bloques", "trazado", "ventana",
                "entero 100%");
    for (const auto& c : cases) {
        farvik::diagram::BlockDiagram d;
        const double layout =
            bestMs(repetitions, [&] { d = farvik::diagram::layOut(c.data, font); });
        QImage window(1000, 700, QImage::Format_RGB32);
        const double fit =
            std::min(window.width() / d.bounds.width(), window.height() / d.bounds.height());
        const double drawFit = bestMs(repetitions, [&] {
            d = farvik::diagram::layOut(c.data, font);
            QPainter p(&window);
            p.scale(fit, fit);
            farvik::diagram::paintDiagram(p, d);
        });
        QImage whole(d.bounds.size().toSize(), QImage::Format_RGB32);
        const double drawWhole = bestMs(std::max(1, repetitions / 4), [&] {
            QPainter p(&whole);
            farvik::diagram::paintDiagram(p, d);
        });
        std::printf("%-24s %8zu %10.2f %12.2f %14.2f\n", c.name, d.blocks.size(), layout, drawFit,
                    drawWhole);
    }
    std::printf(
        "(trazado: disposición sola; ventana: disposición y dibujo en 1000x700 ajustado;"
        " entero: dibujo del diagrama entero a 100 %%)\n");
    return 0;
}
