#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "graph_composition.h"
#include "study_report.h"
#include "study_report_pages.h"
#include "study_report_sections.h"

namespace farvik {
namespace {

QString escaped(const QString& s) {
    return s.toHtmlEscaped();
}

QString pngData(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

QString imageTag(const QImage& image, const QString& alt) {
    return QStringLiteral("<p><img alt=\"%1\" src=\"%2\" style=\"max-width:100%\"></p>\n")
        .arg(escaped(alt), pngData(image));
}

QString tableHtml(const ReportTable& t) {
    QString out;
    if (!t.title.isEmpty()) out += QStringLiteral("<h3>") + escaped(t.title) + "</h3>\n";
    out += QStringLiteral("<table>\n<tr>");
    for (const QString& h : t.headers) out += "<th>" + escaped(h) + "</th>";
    if (!t.bars.empty()) out += "<th></th>";
    out += "</tr>\n";
    for (int i = 0; i < t.rows.size(); ++i) {
        out += t.marked.value(i) ? QStringLiteral("<tr class=\"marked\">") : QStringLiteral("<tr>");
        for (int c = 0; c < t.headers.size(); ++c) {
            const bool right = t.rightAligned.contains(c);
            out += (right ? QStringLiteral("<td class=\"n\">") : QStringLiteral("<td>")) +
                   escaped(t.rows[i].value(c)) + "</td>";
        }
        if (!t.bars.empty())
            out += QStringLiteral("<td class=\"bar\"><div style=\"width:%1%\"></div></td>")
                       .arg(100 * t.bars[std::size_t(i)], 0, 'f', 1);
        out += "</tr>\n";
    }
    return out + "</table>\n";
}

QImage graphPicture(const StudyReport& r, GraphKind kind) {
    QImage image(900, 560, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::PreferNoShaping);
    paintGraphComposition(p, QRectF(8, 8, 884, 544), reportGraph(r, kind), font, 0, 1.0,
                          reportGraphTitle(r, kind));
    return image;
}

QImage diagramPicture(const StudyReport& r) {
    // At 100 %, but no wider than a page of the browser shows well.
    const double scale = std::min(1.0, 1600 / std::max(r.diagramSize.width(), 1.0));
    QImage image((r.diagramSize * scale).toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    r.paintDiagram(p);
    return image;
}

}  // namespace

QByteArray studyReportHtml(const StudyReport& r) {
    QString h =
        QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Informe del estudio: %1</title>\n<style>\n"
            "body{font-family:'DejaVu Sans',sans-serif;font-size:10pt;margin:2em;max-width:60em}\n"
            "h1{color:#14285a}h2{color:#14285a;border-bottom:1px solid #ccc;margin-top:2em}\n"
            "table{border-collapse:collapse;margin:0.5em 0}\n"
            "th{background:#e1e6ee;text-align:left}th,td{padding:0.2em 0.6em;"
            "border-bottom:1px solid #ddd}\n"
            "td.n{text-align:right}tr.marked td{background:#ffdcdc}\n"
            "td.bar{width:14em}td.bar div{background:#5a82c8;height:0.8em}\n"
            "</style>\n</head>\n<body>\n")
            .arg(escaped(r.fileName));
    h += QStringLiteral("<h1>Informe del estudio</h1>\n");
    ReportTable items;
    items.headers = {QStringLiteral("Dato"), QStringLiteral("Valor")};
    for (const auto& [name, value] : titleItems(r)) items.rows << QStringList{name, value};
    h += tableHtml(items);

    h += QStringLiteral("<h2>Diagrama de bloques</h2>\n");
    if (r.paintDiagram && !r.diagramSize.isEmpty())
        h += imageTag(diagramPicture(r), QStringLiteral("Diagrama de bloques"));

    h += QStringLiteral("<h2>Elementos del sistema</h2>\n");
    ReportTable elements = elementTable(r);
    elements.title.clear();
    h += tableHtml(elements);

    h += QStringLiteral("<h2>Resumen de resultados</h2>\n<p>") +
         escaped(QStringLiteral("%1 pruebas. Los intervalos son del 95 %: el valor más y menos "
                                "1.96 errores estándar.")
                     .arg(r.trials)) +
         "</p>\n";
    const ReportTable reliability = reliabilityTable(r);
    if (reliability.rows.isEmpty())
        h += QStringLiteral("<p>No se pidió la fiabilidad a ningún tiempo.</p>\n");
    else
        h += tableHtml(reliability);
    h += tableHtml(meanLifeTable(r));
    h += tableHtml(causeTable(r));
    if (!r.ranked.empty()) h += tableHtml(redundancyTable(r));

    h += QStringLiteral("<h2>Gráficas</h2>\n");
    if (!r.exact && !r.exactFailure.isEmpty())
        h += "<p>" + escaped(QStringLiteral("Sin curvas exactas: ") + r.exactFailure) + "</p>\n";
    for (GraphKind kind : {kReliabilityGraph, kFailureCountGraph, kFailureRateGraph}) {
        if (const auto refusal = rangeRefusal(reportGraph(r, kind).range))
            h += "<p>" + escaped(graphName(kind) + QStringLiteral(": ") + *refusal) + "</p>\n";
        else
            h += imageTag(graphPicture(r, kind), reportGraphTitle(r, kind));
    }

    h += QStringLiteral("<h2>Comprobación exacta</h2>\n");
    if (!r.check) {
        h += "<p>" +
             escaped(r.exactFailure.isEmpty() ? QStringLiteral("Sin comprobación exacta.")
                                              : r.exactFailure) +
             "</p>\n";
    } else {
        h += "<p>" + escaped(r.check->heading) + "</p>\n";
        ReportTable values = checkTable(r);
        values.title.clear();
        h += tableHtml(values);
        const ReportTable gains = checkGainTable(r);
        if (!gains.rows.isEmpty()) h += tableHtml(gains);
        if (!r.check->verdict.isEmpty()) h += "<p>" + escaped(r.check->verdict) + "</p>\n";
    }
    h += QStringLiteral("</body>\n</html>\n");
    return h.toUtf8();
}

}  // namespace farvik
