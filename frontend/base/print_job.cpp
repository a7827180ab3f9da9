#include "print_job.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "dialog_seam.h"
#include "twips.h"

namespace farvik {
namespace {

// Positions on the page are in twips, measured from the printable area's top left corner.
constexpr double kTop = 800;              // where every page begins
constexpr double kMargin = 1440;          // left margin of the text
constexpr double kFootRoom = 1000;        // kept above the bottom for the footer
constexpr double kGraphGap = 1000;        // between the heading and the graph
constexpr double kTextAfterGraph = 9000;  // where the text goes on below the graph
constexpr double kGraphFoot = 300;        // between the graph and that text
constexpr int kTabColumns = 10;           // tab stops every ten widths of "0"
constexpr double kScreenDpi = 96;

const QString kPageBreak = QStringLiteral(".../...");

QFont printFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(10);
    return font;
}

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

class PagePrinter {
  public:
    PagePrinter(QPagedPaintDevice& device, QPainter& painter, const PrintJob& job)
        : device_(device),
          painter_(painter),
          job_(job),
          font_(printFont(), &device),
          metrics_(font_, &device),
          dpiX_(device.logicalDpiX()),
          dpiY_(device.logicalDpiY()),
          pageWidth_(dotsToTwips(device.width(), dpiX_)),
          pageHeight_(dotsToTwips(device.height(), dpiY_)),
          lineHeight_(dotsToTwips(metrics_.height(), dpiY_)) {
        painter_.setFont(font_);
        painter_.setPen(Qt::black);
    }

    int run() {
        heading(job_.heading2);
        if (job_.graph) paintGraph();
        x_ = kMargin;
        flowText();
        // Down to the foot of the last page, then its number.
        while (y_ < pageHeight_ - kFootRoom) newLine();
        footer(false);
        return page_;
    }

  private:
    double deviceX(double twips) const { return twipsToDots(twips, dpiX_); }
    double deviceY(double twips) const { return twipsToDots(twips, dpiY_); }
    double widthOf(const QString& s) const {
        return dotsToTwips(metrics_.horizontalAdvance(s), dpiX_);
    }

    void print(const QString& s) {
        painter_.drawText(QPointF(deviceX(x_), deviceY(y_) + metrics_.ascent()), s);
        x_ += widthOf(s);
    }
    void newLine() {
        y_ += lineHeight_;
        x_ = 0;
    }
    void printLine(const QString& s) {
        print(s);
        newLine();
    }
    void printCentred(const QString& s) {
        x_ = (pageWidth_ - widthOf(s)) / 2;
        printLine(s);
    }

    void heading(const QString& second) {
        y_ = kTop;
        x_ = 0;
        printLine(QStringLiteral(" "));
        printLine(QStringLiteral(" "));
        printCentred(job_.heading1);
        if (!second.isEmpty()) {
            printLine(QStringLiteral(" "));
            printCentred(second);
        }
        printLine(QStringLiteral(" "));
        printLine(QString());
        x_ = kMargin;
    }

    void footer(bool anotherPage) {
        newLine();
        printCentred(QStringLiteral("Página: ") + QString::number(page_));
        if (!anotherPage) return;
        device_.newPage();
        ++page_;
        y_ = 0;
        x_ = 0;
    }

    // Every page after the first carries the first heading line and a blank second one.
    void nextPage() {
        footer(true);
        heading(QStringLiteral(" "));
    }

    void nextPageIfFull() {
        if (y_ > pageHeight_ - kFootRoom) nextPage();
    }

    void paintGraph() {
        y_ += kGraphGap;
        const double top = deviceY(y_);
        const double bottom = deviceY(kTextAfterGraph - kGraphFoot);
        if (bottom > top) {
            painter_.save();
            job_.graph(painter_, QRectF(0, top, device_.width(), bottom - top), deviceX(kMargin),
                       dpiX_ / kScreenDpi);
            painter_.restore();
            painter_.setFont(font_);
            painter_.setPen(Qt::black);
        }
        y_ = kTextAfterGraph;
    }

    void printWord(const QString& word) {
        if (word == kPageBreak) {
            y_ = pageHeight_ - kFootRoom;
            nextPage();
            return;
        }
        if (x_ + widthOf(word) > pageWidth_) {
            newLine();
            // A page begun by a long line looks like any other: heading and top margin.
            nextPageIfFull();
            x_ = kMargin;
        }
        print(word);
    }

    void tab() {
        const double zero = widthOf(QStringLiteral("0"));
        const long column = std::lround((x_ - kMargin) / zero);
        const long stop = (column / kTabColumns + 1) * kTabColumns;
        x_ = kMargin + stop * zero;
    }

    void flowText() {
        QString word;
        for (const QChar c : job_.text) {
            if (c != QLatin1Char(' ') && !isControl(c)) {
                word += c;
                continue;
            }
            if (!word.isEmpty()) printWord(word);
            word.clear();
            if (c == QLatin1Char(' ')) {
                x_ += widthOf(QStringLiteral(" "));
            } else if (c == QLatin1Char('\n')) {
                newLine();
                x_ = kMargin;
                nextPageIfFull();
            } else if (c == QLatin1Char('\t')) {
                tab();
            }
            // Other control characters, the carriage return among them, print nothing.
        }
        if (!word.isEmpty()) printWord(word);
    }

    QPagedPaintDevice& device_;
    QPainter& painter_;
    const PrintJob& job_;
    QFont font_;
    QFontMetricsF metrics_;
    double dpiX_;
    double dpiY_;
    double pageWidth_;   // printable width, twips
    double pageHeight_;  // printable height, twips
    double lineHeight_;
    double x_ = 0;
    double y_ = kTop;
    int page_ = 1;
};

}  // namespace

QString headingLine1() {
    return QStringLiteral("Programa Farvik     Versión: Agosto 2002");
}

QString headingLine2(const QString& path, const QDate& date) {
    const QString name = QFileInfo(path).fileName();
    return QStringLiteral("Archivo: ") + name.left(std::max<qsizetype>(name.size() - 4, 0)) +
           QStringLiteral("     Fecha: ") + date.toString(QStringLiteral("MM-dd-yyyy"));
}

int printJob(QPagedPaintDevice& device, const PrintJob& job) {
    device.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const int pages = PagePrinter(device, painter, job).run();
    painter.end();
    return pages;
}

bool printWithDialog(QWidget* parent, const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Farvik"));
    // The preview draws on the very printer that prints, with the same code.
    const PagePainter paint = [&job](QPrinter& target) { printJob(target, job); };
    if (!dialogs().printPreview(parent, printer, paint)) return false;
    if (!dialogs().printSetup(parent, printer)) return false;
    return printJob(printer, job) > 0;
}

}  // namespace farvik
