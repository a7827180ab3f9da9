// Printing result texts: headings, page numbers, the word-by-word flow, tab stops, forced
// page breaks and the graph's place, read back from the printed PDF.
#include "base/print_job.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

#include "engine_results.h"
#include "pdf_reader.h"
#include "results/result_files.h"
#include "results/result_printing.h"
#include "scripted_dialogs.h"

namespace farvik {
namespace {

const QString kHeading1 = QStringLiteral("Programa Farvik     Versión: Agosto 2002");
const QString kHeading2 = QStringLiteral("Archivo: resumen     Fecha: 03-07-2024");

class PrintJobTest : public ::testing::Test {
  protected:
    // Prints to a PDF; returns the pages the job reported.
    int print(const PrintJob& job) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        const int pages = printJob(printer, job);
        paintRect = printer.pageLayout().paintRectPoints();
        return pages;
    }
    PrintJob job(const QString& text) const { return {kHeading1, kHeading2, text, {}}; }

    // The words of the text, in reading order, without the heading and the footer of
    // each page.
    QStringList bodyWords() const {
        QList<PdfWord> words = pdfWords(pdf);
        std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
            if (a.page != b.page) return a.page < b.page;
            if (std::abs(a.yMin - b.yMin) > 1) return a.yMin < b.yMin;
            return a.xMin < b.xMin;
        });
        QStringList body;
        int page = 0;
        int headingLeft = 0;
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (words[i].page != page) {
                page = words[i].page;
                headingLeft = page == 1 ? 9 : 5;
            }
            if (headingLeft > 0) {
                --headingLeft;
                continue;
            }
            const bool lastOnPage = i + 2 >= words.size() || words[i + 2].page != page;
            if (lastOnPage && words[i].text == QStringLiteral("Página:")) {
                ++i;
                continue;
            }
            body << words[i].text;
        }
        return body;
    }

    // The text pdftotext lays out, with its runs of blanks made single, as they are not
    // kept exactly.
    static QString firstLine(const QString& page) {
        return page.split(QLatin1Char('\n'), Qt::SkipEmptyParts).first().simplified();
    }

    static QStringList wordsOf(const QString& text) {
        return text.split(QRegularExpression(QStringLiteral("[\\s]+")), Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("salida.pdf"));
    QRectF paintRect;  // the printable area on the page, points
};

TEST_F(PrintJobTest, HeadingLines) {
    EXPECT_EQ(headingLine1(), kHeading1);
    EXPECT_EQ(headingLine2(QStringLiteral("/datos/prueba/resumen.TXT"), QDate(2024, 3, 7)),
              kHeading2);
    EXPECT_EQ(headingLine2(QStringLiteral("tablafia.txt"), QDate(2002, 12, 25)),
              QStringLiteral("Archivo: tablafia     Fecha: 12-25-2002"));
    EXPECT_EQ(headingLine2(QStringLiteral("/x/ab"), QDate(2002, 8, 1)),
              QStringLiteral("Archivo:      Fecha: 08-01-2002"));
}

TEST_F(PrintJobTest, EveryPageHasItsHeadingAndItsNumber) {
    QString text;
    for (int i = 1; i <= 150; ++i)
        text += QStringLiteral("línea %1\r\n").arg(i, 3, 10, QLatin1Char('0'));
    const int pages = print(job(text));
    ASSERT_GE(pages, 3);
    EXPECT_EQ(pdfPageCount(pdf), pages);
    const QStringList texts = pdfPageTexts(pdf);
    ASSERT_EQ(texts.size(), pages);
    for (int p = 0; p < pages; ++p) {
        const QStringList lines = texts[p].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines.first().simplified(), kHeading1.simplified()) << "page " << p + 1;
        EXPECT_EQ(lines.last().trimmed(), QStringLiteral("Página: %1").arg(p + 1));
        // The file and date only on the first page.
        EXPECT_EQ(texts[p].simplified().contains(kHeading2.simplified()), p == 0)
            << "page " << p + 1;
    }
    EXPECT_EQ(bodyWords(), wordsOf(text));

    // The heading lines are centred on the printable width.
    QList<PdfWord> first;
    for (const PdfWord& w : pdfWords(pdf))
        if (w.page == 1) first << w;
    const auto word = [&](const char* text) {
        for (const PdfWord& w : first)
            if (w.text == QString::fromUtf8(text)) return w;
        return PdfWord{0, {}, 0, 0, 0, 0};
    };
    const double centre = paintRect.center().x();
    EXPECT_NEAR((word("Programa").xMin + word("2002").xMax) / 2, centre, 1.0);
    EXPECT_NEAR((word("Archivo:").xMin + word("03-07-2024").xMax) / 2, centre, 1.0);
    // Five blanks before "Versión" and before "Fecha".
    const double blank = (word("Programa").xMax - word("Programa").xMin) / 8;
    EXPECT_NEAR(word("Versión:").xMin - word("Farvik").xMax, 5 * blank, 0.1);
    EXPECT_NEAR(word("Fecha:").xMin - word("resumen").xMax, 5 * blank, 0.1);
}

TEST_F(PrintJobTest, TheSummaryOfARunWithRedundancySpansSeveralPagesWhole) {
    ASSERT_TRUE(runExample(dir.path(), QStringLiteral("SERPAR")));
    const QString path = resultFilePath(dir.path(), QStringLiteral("resumen.txt"));
    const QString text = readResultText(path);
    ASSERT_TRUE(text.contains(QStringLiteral("DUPLICANDO EL ELEMENTO")));
    const int pages = print({headingLine1(), headingLine2(path, QDate(2024, 3, 7)), text, {}});
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pdfPageCount(pdf), pages);
    EXPECT_TRUE(pdfPageTexts(pdf).first().simplified().contains(kHeading2.simplified()));
    EXPECT_EQ(bodyWords(), wordsOf(text));
}

TEST_F(PrintJobTest, LongLinesWrapAtWordsFromTheMargin) {
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words << QStringLiteral("palabra%1").arg(i, 2, 10, QLatin1Char('0'));
    const QString text = words.join(QLatin1Char(' ')) + QStringLiteral("\r\nfin\r\n");
    ASSERT_EQ(print(job(text)), 1);
    EXPECT_EQ(bodyWords(), wordsOf(text));

    const double margin = paintRect.left() + 72;  // one inch
    QList<double> lineTops;
    for (const PdfWord& w : pdfWords(pdf)) {
        if (!w.text.startsWith(QStringLiteral("palabra"))) continue;
        EXPECT_LE(w.xMax, paintRect.right() + 0.5) << w.text.toStdString();
        if (lineTops.isEmpty() || std::abs(lineTops.last() - w.yMin) > 1) {
            lineTops << w.yMin;
            EXPECT_NEAR(w.xMin, margin, 0.5) << w.text.toStdString();
        }
    }
    EXPECT_GE(lineTops.size(), 6);  // 600 characters do not fit on fewer lines
}

TEST_F(PrintJobTest, TabsMoveToEveryTenthColumn) {
    print(job(QStringLiteral("a\tb\r\nabcdefghijk\tc\r\n\td\r\nabcdefghi \te\r\n")));
    QMap<QString, double> left;
    double charWidth = 0;
    for (const PdfWord& w : pdfWords(pdf)) {
        left[w.text] = w.xMin;
        if (w.text == QStringLiteral("abcdefghijk")) charWidth = (w.xMax - w.xMin) / 11;
    }
    ASSERT_GT(charWidth, 0);
    const double margin = paintRect.left() + 72;
    const auto column = [&](const char* word) {
        return (left.value(QString::fromLatin1(word)) - margin) / charWidth;
    };
    EXPECT_NEAR(column("a"), 0, 0.05);
    EXPECT_NEAR(column("b"), 10, 0.05);
    EXPECT_NEAR(column("c"), 20, 0.05);
    EXPECT_NEAR(column("d"), 10, 0.05);
    EXPECT_NEAR(column("e"), 20, 0.05);  // from column 10 the next stop is 20
}

TEST_F(PrintJobTest, APageBreakWordStartsANewPage) {
    ASSERT_EQ(print(job(QStringLiteral("uno dos .../... tres\r\ncuatro\r\n"))), 2);
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("uno dos")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("tres")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("tres")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("cuatro")));
    EXPECT_EQ(firstLine(pages[1]), kHeading1.simplified());
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Archivo:")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral(".../...")) ||
                 pages[1].contains(QStringLiteral(".../...")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Página: 1")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Página: 2")));
}

TEST_F(PrintJobTest, PagesBegunByWrappingAlsoCarryTheHeading) {
    // One paragraph without line ends: every new page is begun by wrapping.
    QStringList words;
    for (int i = 0; i < 1500; ++i) words << QStringLiteral("w%1").arg(i);
    const QString text = words.join(QLatin1Char(' '));
    const int pages = print(job(text));
    ASSERT_GE(pages, 2);
    const QStringList texts = pdfPageTexts(pdf);
    ASSERT_EQ(texts.size(), pages);
    QList<double> firstTops(pages + 1, -1);
    for (const PdfWord& w : pdfWords(pdf))
        if (w.text.startsWith(QLatin1Char('w')) && firstTops[w.page] < 0)
            firstTops[w.page] = w.yMin;
    for (int p = 0; p < pages; ++p) {
        EXPECT_EQ(firstLine(texts[p]), kHeading1.simplified());
        EXPECT_TRUE(texts[p].contains(QStringLiteral("Página: %1").arg(p + 1)));
        // The text begins below the heading on every page, at the same height.
        EXPECT_NEAR(firstTops[p + 1], firstTops[1], 0.5) << "page " << p + 1;
    }
    EXPECT_EQ(bodyWords(), words);
}

TEST_F(PrintJobTest, TheGraphGoesBetweenTheHeadingAndTheText) {
    QRectF area;
    qreal indent = 0, pixel = 0;
    int resolution = 0;
    PrintJob withGraph = job(QStringLiteral("texto\r\n"));
    withGraph.graph = [&](QPainter& painter, const QRectF& a, qreal i, qreal p) {
        area = a;
        indent = i;
        pixel = p;
        resolution = painter.device()->logicalDpiX();
        painter.fillRect(a, Qt::yellow);
    };
    ASSERT_EQ(print(withGraph), 1);
    ASSERT_GT(resolution, 0);
    const double twips = 1440.0 / resolution;  // per device unit
    EXPECT_EQ(area.left(), 0);
    EXPECT_NEAR(indent * twips, 1440, 1);
    EXPECT_NEAR(pixel, resolution / 96.0, 1e-9);
    EXPECT_GT(area.top() * twips, 800 + 1000);
    EXPECT_LE(area.bottom() * twips, 9000);
    EXPECT_NEAR(area.width(), paintRect.width() / 72 * resolution, 1);
    double textTop = -1;
    for (const PdfWord& w : pdfWords(pdf))
        if (w.text == QStringLiteral("texto")) textTop = w.yMin;
    // 9000 twips are 450 points below the printable area's top.
    EXPECT_GE(textTop, paintRect.top() + 450);
    EXPECT_LT(textTop, paintRect.top() + 465);
}

TEST_F(PrintJobTest, CancellingThePrintDialogPrintsNothing) {
    ScriptedDialogs dialogs;
    EXPECT_FALSE(printResultFile(nullptr, QStringLiteral("/x/fallo.txt"), QStringLiteral("a b")));
    EXPECT_EQ(dialogs.printRequests(), 1);
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs.printToPdf(pdf);
    EXPECT_TRUE(printResultFile(nullptr, QStringLiteral("/x/fallo.txt"), QStringLiteral("a b")));
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].simplified().contains(QStringLiteral("Archivo: fallo Fecha: ")));
}

// Every "Imprimir" shows its pages first; what the preview shows is what is printed.
TEST_F(PrintJobTest, ThePreviewComesBeforeThePrintDialogAndShowsThePrintedPages) {
    ScriptedDialogs dialogs;
    QString text;
    for (int i = 1; i <= 150; ++i) text += QStringLiteral("línea\t%1\r\n").arg(i);
    const QString preview = dir.filePath(QStringLiteral("vista.pdf"));
    dialogs.previewToPdf(preview);
    dialogs.printToPdf(pdf);
    EXPECT_TRUE(printResultFile(nullptr, QStringLiteral("/x/resumen.TXT"), text));
    EXPECT_EQ(dialogs.printSteps(),
              QStringList({QStringLiteral("preview"), QStringLiteral("print dialog")}));

    const QList<QImage> shown = pdfPageImages(preview, 40);
    const QList<QImage> printed = pdfPageImages(pdf, 40);
    ASSERT_GE(printed.size(), 3);
    ASSERT_EQ(shown.size(), printed.size());
    for (qsizetype p = 0; p < printed.size(); ++p) {
        EXPECT_FALSE(printed[p].isNull());
        EXPECT_TRUE(shown[p] == printed[p]) << "page " << p + 1;
    }
    // The pictures hold the text: a page of other words would differ.
    EXPECT_FALSE(printed[0] == printed[1]);
    EXPECT_EQ(pdfPageTexts(preview), pdfPageTexts(pdf));
}

// Closing the preview is the same as cancelling the print dialog: no print dialog, nothing
// printed, and the viewer that asked stays open (false).
TEST_F(PrintJobTest, ClosingThePreviewPrintsNothing) {
    ScriptedDialogs dialogs;
    dialogs.closeNextPreview();
    dialogs.printToPdf(pdf);
    EXPECT_FALSE(printResultFile(nullptr, QStringLiteral("/x/fallo.txt"), QStringLiteral("a b")));
    EXPECT_EQ(dialogs.printSteps(), QStringList(QStringLiteral("preview")));
    EXPECT_EQ(dialogs.printRequests(), 0);
    EXPECT_FALSE(QFile::exists(pdf));

    EXPECT_TRUE(printResultFile(nullptr, QStringLiteral("/x/fallo.txt"), QStringLiteral("a b")));
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

}  // namespace
}  // namespace farvik
