#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <map>

namespace farvik {
namespace {

// Every drawing is made on a 32 x 32 grid and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

const QColor kOutline(60, 60, 60);
const QColor kPaper(252, 252, 248);

QPixmap render(const Drawing& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    return pixmap;
}

void page(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(6.5, 2.5);
    sheet.lineTo(19.5, 2.5);
    sheet.lineTo(25.5, 8.5);
    sheet.lineTo(25.5, 29.5);
    sheet.lineTo(6.5, 29.5);
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.setBrush(QColor(215, 215, 210));
    p.drawPolygon(QPolygonF({{19.5, 2.5}, {19.5, 8.5}, {25.5, 8.5}}));
}

void textLines(QPainter& p, int count) {
    p.setPen(QPen(QColor(120, 140, 170), 1.4));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(9.5, 13 + 3.5 * i), QPointF(22, 13 + 3.5 * i));
}

void drawNew(QPainter& p) {
    page(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 40));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? 6.5 : 2.8;
        const double a = 3.14159265 / 5 * i - 3.14159265 / 2;
        const QPointF pt(9 + r * std::cos(a), 9 + r * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
}

void drawOpen(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.2));
    p.setBrush(QColor(230, 180, 60));
    p.drawPolygon(
        QPolygonF({{2.5, 8.5}, {11, 8.5}, {13.5, 11}, {26.5, 11}, {26.5, 27.5}, {2.5, 27.5}}));
    p.setBrush(QColor(252, 215, 100));
    p.drawPolygon(QPolygonF({{6.5, 15.5}, {30.5, 15.5}, {26.5, 27.5}, {2.5, 27.5}}));
}

void drawSave(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1.2));
    p.setBrush(QColor(50, 90, 170));
    p.drawRoundedRect(QRectF(3.5, 3.5, 25, 25), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 3.5, 16, 10));
    p.setBrush(QColor(180, 185, 195));
    p.drawRect(QRectF(9.5, 19, 13, 9.5));
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(18, 5.5, 3, 6));
}

void drawPlay(QPainter& p) {
    p.setPen(QPen(QColor(20, 110, 40), 1.2));
    p.setBrush(QColor(60, 175, 80));
    p.drawPolygon(QPolygonF({{8.5, 4.5}, {27.5, 16}, {8.5, 27.5}}));
}

void drawPrint(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8.5, 2.5, 15, 11));
    p.setBrush(QColor(150, 150, 155));
    p.drawRoundedRect(QRectF(2.5, 12.5, 27, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(8.5, 19.5, 15, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 200, 90));
    p.drawEllipse(QPointF(25.5, 16), 1.5, 1.5);
}

void pencil(QPainter& p) {
    p.save();
    p.translate(22, 21);
    p.rotate(45);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(240, 170, 40));
    p.drawRect(QRectF(-2.5, -12, 5, 14));
    p.setBrush(QColor(230, 200, 160));
    p.drawPolygon(QPolygonF({{-2.5, 2}, {2.5, 2}, {0, 7}}));
    p.restore();
}

void drawEdit(QPainter& p) {
    page(p);
    textLines(p, 4);
    pencil(p);
}

void drawEdit1(QPainter& p) {
    page(p);
    p.setPen(Qt::NoPen);
    const QColor bars(70, 120, 200);
    p.setBrush(bars);
    p.drawRect(QRectF(9.5, 20, 3, 7));
    p.drawRect(QRectF(14, 15, 3, 12));
    p.drawRect(QRectF(18.5, 11, 3, 16));
    p.setPen(QPen(QColor(200, 50, 40), 1.6));
    p.drawLine(QPointF(9, 13), QPointF(22.5, 23));
}

void drawProgram(QPainter& p) {
    p.setPen(QPen(QColor(20, 50, 100), 1.2));
    p.setBrush(QColor(40, 90, 160));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    p.setPen(QPen(QColor(230, 235, 245), 1.6));
    p.drawLine(QPointF(6, 5), QPointF(6, 26));
    p.drawLine(QPointF(6, 26), QPointF(27, 26));
    QPainterPath curve;
    curve.moveTo(6, 7);
    curve.cubicTo(15, 7, 14, 24, 27, 24);
    p.setPen(QPen(QColor(255, 200, 60), 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

void drawExit(QPainter& p) {
    p.setPen(QPen(QColor(90, 60, 30), 1.2));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(4.5, 2.5, 14, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QPointF(15.5, 16), 1.3, 1.3);
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF({{19, 13}, {24, 13}, {24, 9}, {31, 16}, {24, 23}, {24, 19}, {19, 19}}));
}

void drawSystem(QPainter& p) {
    // Two elements in parallel followed by one in series.
    p.setPen(QPen(QColor(40, 60, 90), 0.8));
    p.drawLine(QPointF(1, 16), QPointF(5, 16));
    p.drawLine(QPointF(5, 9), QPointF(5, 23));
    p.drawLine(QPointF(17, 9), QPointF(17, 23));
    p.drawLine(QPointF(17, 16), QPointF(21, 16));
    p.drawLine(QPointF(29, 16), QPointF(31, 16));
    p.setBrush(QColor(200, 220, 245));
    p.drawRect(QRectF(7, 6, 8, 6));
    p.drawRect(QRectF(7, 20, 8, 6));
    p.drawRect(QRectF(21, 13, 8, 6));
    p.drawLine(QPointF(5, 9), QPointF(7, 9));
    p.drawLine(QPointF(15, 9), QPointF(17, 9));
    p.drawLine(QPointF(5, 23), QPointF(7, 23));
    p.drawLine(QPointF(15, 23), QPointF(17, 23));
}

// Three blocks: one in series with two in parallel.
void drawDiagram(QPainter& p) {
    p.setPen(QPen(kOutline, 1.4));
    p.drawLine(QPointF(1, 16), QPointF(4, 16));
    p.drawLine(QPointF(12, 16), QPointF(16, 16));
    p.drawLine(QPointF(16, 8.5), QPointF(16, 23.5));
    p.drawLine(QPointF(29, 8.5), QPointF(29, 23.5));
    p.drawLine(QPointF(29, 16), QPointF(31, 16));
    p.setBrush(QColor(200, 220, 245));
    p.drawRect(QRectF(4, 12, 8, 8));
    p.setBrush(QColor(245, 225, 180));
    p.drawRect(QRectF(18, 5, 9, 7));
    p.drawRect(QRectF(18, 20, 9, 7));
    p.drawLine(QPointF(16, 8.5), QPointF(18, 8.5));
    p.drawLine(QPointF(16, 23.5), QPointF(18, 23.5));
    p.drawLine(QPointF(27, 8.5), QPointF(29, 8.5));
    p.drawLine(QPointF(27, 23.5), QPointF(29, 23.5));
}

const std::map<QString, Drawing>& toolbarDrawings() {
    static const std::map<QString, Drawing> drawings = {
        {QStringLiteral("new"), drawNew},     {QStringLiteral("open"), drawOpen},
        {QStringLiteral("save"), drawSave},   {QStringLiteral("play"), drawPlay},
        {QStringLiteral("print"), drawPrint}, {QStringLiteral("edit"), drawEdit},
        {QStringLiteral("edit1"), drawEdit1}, {QStringLiteral("program"), drawProgram},
        {QStringLiteral("exit"), drawExit},   {QStringLiteral("diagram"), drawDiagram},
    };
    return drawings;
}

}  // namespace

QIcon toolbarIcon(const QString& key) {
    const auto found = toolbarDrawings().find(key);
    if (found == toolbarDrawings().end()) return {};
    QIcon icon;
    for (int size : {16, 24, 32}) icon.addPixmap(render(found->second, size));
    return icon;
}

QPixmap programPicture(int size) {
    return render(drawProgram, size);
}

void paintProgramPicture(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawProgram(painter);
    painter.restore();
}

QPixmap systemPicture(int size) {
    return render(drawSystem, size);
}

}  // namespace farvik
