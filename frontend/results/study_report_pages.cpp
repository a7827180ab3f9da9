#include "study_report_pages.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <functional>

#include "graph_composition.h"
#include "study_report.h"
#include "study_report_sections.h"

namespace farvik {
namespace {

constexpr double kScreenDpi = 96;
const QColor kHeaderFill(225, 230, 238);
const QColor kMarkedFill(255, 220, 220);
const QColor kBarFill(90, 130, 200);

QFont reportFont(qreal points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: the words of the PDF read back (and search) as they were written.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Lays content down the pages: a block goes on the current page when it fits, else on the
// next one. The first run only counts the pages (no painter), so that every foot can say
// how many there are.
class PageFlow {
  public:
    PageFlow(QPagedPaintDevice& device, QPainter* painter, int total, QString heading)
        : device_(device),
          painter_(painter),
          total_(total),
          heading_(std::move(heading)),
          dpi_(device.logicalDpiY()),
          body_(reportFont(9), &device),
          width_(device.width()),
          footRoom_(3 * body_.height()),
          bottom_(device.height() - footRoom_) {}

    double mm(double v) const { return v * dpi_ / 25.4; }
    double pixel() const { return dpi_ / kScreenDpi; }
    double width() const { return width_; }
    double room() const { return bottom_ - y_; }
    double pageRoom() const { return bottom_ - top(); }
    QPainter* painter() const { return painter_; }
    QPagedPaintDevice& device() const { return device_; }

    void newPage() {
        foot();
        if (painter_) device_.newPage();
        ++page_;
        y_ = top();
        if (painter_) {
            painter_->setFont(reportFont(8));
            painter_->setPen(Qt::darkGray);
            const QFontMetricsF fm(painter_->font(), &device_);
            painter_->drawText(QPointF(0, fm.ascent()), heading_);
            painter_->drawLine(QPointF(0, fm.height() + pixel()),
                               QPointF(width_, fm.height() + pixel()));
        }
    }

    // Room for a block of this height, on this page or the next.
    void need(double height) {
        if (y_ + height > bottom_ && y_ > top()) newPage();
    }

    void skip(double height) { y_ += height; }

    void text(const QString& s, const QFont& font, const QColor& colour = Qt::black) {
        const QFontMetricsF fm(font, &device_);
        const QRectF bounds =
            fm.boundingRect(QRectF(0, 0, width_, 1e9), Qt::TextWordWrap | Qt::AlignLeft, s);
        need(bounds.height());
        if (painter_) {
            painter_->setFont(font);
            painter_->setPen(colour);
            painter_->drawText(QRectF(0, y_, width_, bounds.height()),
                               Qt::TextWordWrap | Qt::AlignLeft, s);
        }
        y_ += bounds.height();
    }

    void heading(const QString& s) {
        // A heading keeps a few lines of what follows with it.
        need(QFontMetricsF(reportFont(14, true), &device_).height() + 5 * body_.height());
        skip(mm(3));
        text(s, reportFont(14, true), QColor(20, 40, 90));
        skip(mm(2));
    }

    void block(double height, const std::function<void(QPainter&, const QRectF&)>& paint) {
        need(height);
        if (painter_) {
            painter_->save();
            paint(*painter_, QRectF(0, y_, width_, height));
            painter_->restore();
        }
        y_ += height;
    }

    void table(const ReportTable& t);

    int finish() {
        foot();
        return page_;
    }

  private:
    double top() const { return page_ == 1 ? 0 : 2.5 * body_.height(); }

    void foot() {
        if (!painter_) return;
        painter_->setFont(reportFont(8));
        painter_->setPen(Qt::black);
        const QString s = QStringLiteral("Página %1 de %2").arg(page_).arg(total_);
        painter_->drawText(
            QRectF(0, device_.height() - 1.5 * body_.height(), width_, body_.height()),
            Qt::AlignHCenter | Qt::AlignVCenter, s);
    }

    QPagedPaintDevice& device_;
    QPainter* painter_;
    int total_;
    QString heading_;
    double dpi_;
    QFontMetricsF body_;
    double width_;
    double footRoom_;
    double bottom_;
    double y_ = 0;
    int page_ = 1;
};

// Columns as wide as their widest text, the rest of the line shared out; the bar column,
// when there is one, takes what is left. The header row comes again on every page.
void PageFlow::table(const ReportTable& t) {
    const QFont font = reportFont(t.headers.size() > 5 ? 7.5 : 8.5);
    const QFont bold = reportFont(font.pointSizeF(), true);
    const QFontMetricsF fm(font, &device_), fb(bold, &device_);
    const double pad = mm(1.2);
    const double rowHeight = fm.height() + 2 * pad;
    const int columns = int(t.headers.size());
    std::vector<double> widths(columns, 0);
    for (int c = 0; c < columns; ++c) {
        // A little more than the widest text, so that none is cut short by rounding.
        widths[c] = fb.horizontalAdvance(t.headers[c]) + 3 * pad;
        for (const QStringList& row : t.rows)
            widths[c] = std::max(widths[c], fm.horizontalAdvance(row.value(c)) + 3 * pad);
    }
    const bool bars = !t.bars.empty();
    double used = 0;
    for (double w : widths) used += w;
    const double barWidth = bars ? std::max(width_ - used, mm(20)) : 0;
    // Too wide: every column narrowed alike (texts are cut short with "...").
    const double scale = std::min(1.0, (width_ - barWidth) / used);
    for (double& w : widths) w *= scale;

    const auto paintRow = [&](const QStringList& cells, bool header, bool marked, double bar) {
        need(rowHeight);
        if (painter_) {
            QPainter& p = *painter_;
            double x = 0;
            const double total = bars ? used * scale + barWidth : used * scale;
            if (header || marked)
                p.fillRect(QRectF(0, y_, total, rowHeight), header ? kHeaderFill : kMarkedFill);
            p.setFont(header ? bold : font);
            p.setPen(Qt::black);
            for (int c = 0; c < columns; ++c) {
                const QRectF cell(x + pad, y_ + pad, widths[c] - 2 * pad, fm.height());
                const bool right = !header && t.rightAligned.contains(c);
                const QString text =
                    (header ? fb : fm).elidedText(cells.value(c), Qt::ElideRight, cell.width());
                p.drawText(cell, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text);
                x += widths[c];
            }
            if (bars && !header)
                p.fillRect(QRectF(x + pad, y_ + 1.5 * pad, (barWidth - 2 * pad) * bar,
                                  rowHeight - 3 * pad),
                           kBarFill);
            p.setPen(QPen(QColor(200, 200, 200), pixel()));
            p.drawLine(QPointF(0, y_ + rowHeight), QPointF(total, y_ + rowHeight));
        }
        y_ += rowHeight;
    };

    if (!t.title.isEmpty()) {
        need(QFontMetricsF(reportFont(10.5, true), &device_).height() + 3 * rowHeight);
        skip(mm(2));
        text(t.title, reportFont(10.5, true));
        skip(mm(1));
    }
    need(2 * rowHeight);
    paintRow(t.headers, true, false, 0);
    for (int i = 0; i < t.rows.size(); ++i) {
        if (y_ + rowHeight > bottom_) {
            newPage();
            paintRow(t.headers, true, false, 0);
        }
        paintRow(t.rows[i], false, t.marked.value(i), bars ? t.bars[std::size_t(i)] : 0);
    }
    skip(mm(2));
}

void titlePage(PageFlow& flow, const StudyReport& r) {
    flow.skip(flow.mm(40));
    flow.text(QStringLiteral("Informe del estudio"), reportFont(26, true), QColor(20, 40, 90));
    flow.skip(flow.mm(4));
    flow.text(QStringLiteral("Estudio de fiabilidad por simulación de Monte Carlo"),
              reportFont(12));
    flow.skip(flow.mm(16));
    ReportTable items;
    items.headers = {QStringLiteral("Dato"), QStringLiteral("Valor")};
    for (const auto& [name, value] : titleItems(r)) items.rows << QStringList{name, value};
    flow.table(items);
    flow.skip(flow.mm(30));
    flow.text(QStringLiteral("Programa Farvik"), reportFont(9), Qt::darkGray);
}

void diagramSection(PageFlow& flow, const StudyReport& r) {
    flow.newPage();
    flow.heading(QStringLiteral("Diagrama de bloques"));
    if (!r.paintDiagram || r.diagramSize.isEmpty()) {
        flow.text(QStringLiteral("Sin diagrama."), reportFont(9));
        return;
    }
    // At most as large as on the screen at 100 %; a larger diagram fitted into the page.
    const double room = flow.room() - flow.mm(4);
    const double scale = std::min(
        {flow.pixel(), flow.width() / r.diagramSize.width(), room / r.diagramSize.height()});
    flow.block(r.diagramSize.height() * scale, [&](QPainter& p, const QRectF& area) {
        p.translate(area.left() + (area.width() - r.diagramSize.width() * scale) / 2, area.top());
        p.scale(scale, scale);
        r.paintDiagram(p);
    });
}

void summarySection(PageFlow& flow, const StudyReport& r) {
    flow.newPage();
    flow.heading(QStringLiteral("Resumen de resultados"));
    flow.text(QStringLiteral("%1 pruebas. Los intervalos son del 95 %: el valor más y menos 1.96 "
                             "errores estándar.")
                  .arg(r.trials),
              reportFont(9));
    const ReportTable reliability = reliabilityTable(r);
    if (reliability.rows.isEmpty())
        flow.text(QStringLiteral("No se pidió la fiabilidad a ningún tiempo."), reportFont(9));
    else
        flow.table(reliability);
    flow.table(meanLifeTable(r));
    flow.table(causeTable(r));
    if (!r.ranked.empty()) flow.table(redundancyTable(r));
}

void graphSection(PageFlow& flow, const StudyReport& r) {
    flow.newPage();
    flow.heading(QStringLiteral("Gráficas"));
    if (!r.exact && !r.exactFailure.isEmpty())
        flow.text(QStringLiteral("Sin curvas exactas: ") + r.exactFailure, reportFont(9));
    const double height = std::min(flow.mm(115), flow.pageRoom() / 2 - flow.mm(4));
    for (GraphKind kind : {kReliabilityGraph, kFailureCountGraph, kFailureRateGraph}) {
        const GraphPicture picture = reportGraph(r, kind);
        if (const auto refusal = rangeRefusal(picture.range)) {
            flow.text(graphName(kind) + QStringLiteral(": ") + *refusal, reportFont(9));
            continue;
        }
        const QString title = reportGraphTitle(r, kind);
        flow.block(height, [&](QPainter& p, const QRectF& area) {
            paintGraphComposition(p, area.adjusted(0, 0, 0, -flow.mm(6)), picture, reportFont(8), 0,
                                  flow.pixel(), title);
        });
    }
}

void checkSection(PageFlow& flow, const StudyReport& r) {
    flow.newPage();
    flow.heading(QStringLiteral("Comprobación exacta"));
    if (!r.check) {
        flow.text(
            r.exactFailure.isEmpty() ? QStringLiteral("Sin comprobación exacta.") : r.exactFailure,
            reportFont(9));
        return;
    }
    flow.text(r.check->heading, reportFont(9));
    ReportTable values = checkTable(r);
    values.title.clear();
    flow.table(values);
    const ReportTable gains = checkGainTable(r);
    if (!gains.rows.isEmpty()) flow.table(gains);
    if (!r.check->verdict.isEmpty()) flow.text(r.check->verdict, reportFont(9));
    flow.skip(flow.mm(2));
    flow.text(QStringLiteral("z = (simulado - exacto) / error estándar; se sombrean los valores a "
                             "más de 4 errores estándar del exacto. El error estándar de la "
                             "mejora es una cota superior: su z tiende a quedarse corta."),
              reportFont(8), Qt::darkGray);
}

int layOut(QPagedPaintDevice& device, QPainter* painter, int total, const StudyReport& r) {
    PageFlow flow(device, painter, total,
                  QStringLiteral("Informe del estudio: ") + r.fileName + QStringLiteral(", ") +
                      QString::number(r.trials) + QStringLiteral(" pruebas, semilla ") +
                      QString::number(r.seed));
    titlePage(flow, r);
    diagramSection(flow, r);
    flow.newPage();
    flow.heading(QStringLiteral("Elementos del sistema"));
    ReportTable elements = elementTable(r);
    elements.title.clear();
    flow.table(elements);
    summarySection(flow, r);
    graphSection(flow, r);
    checkSection(flow, r);
    return flow.finish();
}

}  // namespace

int paintStudyReport(QPagedPaintDevice& device, const StudyReport& report) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter));
    const int pages = layOut(device, nullptr, 0, report);
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setRenderHint(QPainter::Antialiasing, true);
    layOut(device, &painter, pages, report);
    painter.end();
    return pages;
}

}  // namespace farvik
