// The block diagram: where blocks, nodes and links lie for each structure, what each block
// says, redrawing after edits, a click selecting the editor's row, export and print.
#include <QFontMetricsF>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>

#include "editor/block_diagram.h"
#include "editor/block_diagram_window.h"
#include "editor/diagram_canvas.h"
#include "editor/diagram_export.h"
#include "editor/row_list.h"
#include "editor_fixture.h"
#include "pdf_reader.h"

namespace {

using farvik::diagram::Block;
using farvik::diagram::BlockDiagram;

// Blocks never overlap one another, and every text fits in its block.
void expectReadable(const BlockDiagram& d) {
    const QFontMetricsF fm(d.font);
    QFont bold = d.font;
    bold.setBold(true);
    const QFontMetricsF fb(bold);
    for (std::size_t a = 0; a < d.blocks.size(); ++a) {
        const Block& b = d.blocks[a];
        EXPECT_TRUE(d.bounds.contains(b.rect)) << b.label.toStdString();
        EXPECT_LE(fb.horizontalAdvance(b.label), b.rect.width());
        EXPECT_LE(fm.horizontalAdvance(b.distribution), b.rect.width());
        EXPECT_LE(fm.horizontalAdvance(b.life), b.rect.width());
        EXPECT_GE(b.rect.height(), 3 * fm.lineSpacing());
        for (std::size_t c = a + 1; c < d.blocks.size(); ++c)
            EXPECT_FALSE(b.rect.intersects(d.blocks[c].rect))
                << b.label.toStdString() << " / " << d.blocks[c].label.toStdString();
    }
}

// Whether some link ends at (or starts from) a point.
bool linked(const BlockDiagram& d, QPointF p) {
    for (const QPolygonF& l : d.links)
        if ((l.front() - p).manhattanLength() < 0.5 || (l.back() - p).manhattanLength() < 0.5)
            return true;
    return false;
}

QPointF leftPort(const Block& b) {
    return {b.rect.left(), b.rect.center().y()};
}
QPointF rightPort(const Block& b) {
    return {b.rect.right(), b.rect.center().y()};
}

class DiagramTest : public EditorTest {
  protected:
    BlockDiagram diagram() const { return farvik::diagram::layOut(data(), editor->font()); }
    void setElement(int k, int position, const char* p1, const char* p2 = nullptr) {
        control<QComboBox>(QStringLiteral("cmbfallo(%1)").arg(k))->setCurrentIndex(position);
        box(QStringLiteral("txtparam1(%1)").arg(k))->setText(p1);
        if (p2) box(QStringLiteral("txtparam2(%1)").arg(k))->setText(p2);
    }
};

TEST_F(DiagramTest, SeriesIsOneChainBetweenTwoNodes) {
    up("udelemsubs(1)", 2);
    setElement(2, 1, "1.5", "1200");
    const BlockDiagram d = diagram();
    ASSERT_EQ(d.blocks.size(), 3u);
    EXPECT_EQ(d.nodes.size(), 2u);
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(d.blocks[n].label, QStringLiteral("1-%1").arg(n + 1).toUtf8().constData());
    for (int n = 1; n < 3; ++n) {
        EXPECT_DOUBLE_EQ(d.blocks[n].rect.center().y(), d.blocks[0].rect.center().y());
        EXPECT_GT(d.blocks[n].rect.left(), d.blocks[n - 1].rect.right());
        EXPECT_TRUE(linked(d, rightPort(d.blocks[n - 1])));
        EXPECT_TRUE(linked(d, leftPort(d.blocks[n])));
    }
    EXPECT_LT(d.nodes[0].x(), d.blocks[0].rect.left());
    EXPECT_GT(d.nodes[1].x(), d.blocks[2].rect.right());
    EXPECT_EQ(d.blocks[1].distribution, "Weibull 1.5 / 1200");
    EXPECT_EQ(d.blocks[1].life,
              QStringLiteral("Vida media: %1").arg(1200 * std::tgamma(1 + 1 / 1.5), 0, 'g', 6));
    EXPECT_EQ(d.blocks[1].elementRow, 2);
    // Rate 0 is refused: the block says so.
    EXPECT_TRUE(d.blocks[0].refused);
    EXPECT_FALSE(d.blocks[1].refused);
    expectReadable(d);
}

TEST_F(DiagramTest, ParallelBlocksStandSideBySideBetweenTwoNodes) {
    chooseStructure(2);
    up("udelemsubs(1)", 2);
    const BlockDiagram d = diagram();
    ASSERT_EQ(d.blocks.size(), 3u);
    ASSERT_EQ(d.nodes.size(), 2u);
    for (const Block& b : d.blocks) {
        EXPECT_DOUBLE_EQ(b.rect.left(), d.blocks[0].rect.left());
        EXPECT_TRUE(linked(d, leftPort(b)));
        EXPECT_TRUE(linked(d, rightPort(b)));
        EXPECT_LT(d.nodes[0].x(), b.rect.left());
        EXPECT_GT(d.nodes[1].x(), b.rect.right());
    }
    EXPECT_GT(d.blocks[1].rect.top(), d.blocks[0].rect.bottom());
    // The nodes lie at the middle of the group.
    EXPECT_DOUBLE_EQ(d.nodes[0].y(), d.blocks[1].rect.center().y());
    expectReadable(d);
}

TEST_F(DiagramTest, SeriesParallelIsAChainOfParallelGroups) {
    chooseStructure(3);
    up("udsubsistemas", 2);
    up("udelemsubs(1)");
    up("udelemsubs(3)", 2);  // 1-1 1-2 | 2-1 | 3-1 3-2 3-3
    const BlockDiagram d = diagram();
    ASSERT_EQ(d.blocks.size(), 6u);
    const auto at = [&](const char* label) -> const Block& {
        for (const Block& b : d.blocks)
            if (b.label == label) return b;
        ADD_FAILURE() << label;
        return d.blocks[0];
    };
    EXPECT_DOUBLE_EQ(at("1-1").rect.left(), at("1-2").rect.left());
    EXPECT_GT(at("2-1").rect.left(), at("1-1").rect.right());
    EXPECT_GT(at("3-1").rect.left(), at("2-1").rect.right());
    EXPECT_DOUBLE_EQ(at("3-3").rect.left(), at("3-1").rect.left());
    // Groups 1 and 3 have their nodes; the lone 2-1 is linked straight.
    EXPECT_EQ(d.nodes.size(), 2u + 2u + 2u);
    EXPECT_DOUBLE_EQ(at("2-1").rect.center().y(), d.nodes[0].y());
    expectReadable(d);
}

TEST_F(DiagramTest, ParallelSeriesIsParallelChains) {
    chooseStructure(4);
    up("udsubsistemas");
    up("udelemsubs(1)", 2);  // 1-1 1-2 1-3 / 2-1
    const BlockDiagram d = diagram();
    ASSERT_EQ(d.blocks.size(), 4u);
    EXPECT_EQ(d.nodes.size(), 2u);
    EXPECT_DOUBLE_EQ(d.blocks[1].rect.center().y(), d.blocks[0].rect.center().y());
    EXPECT_GT(d.blocks[3].rect.top(), d.blocks[0].rect.bottom());
    EXPECT_DOUBLE_EQ(d.blocks[3].rect.left(), d.blocks[0].rect.left());
    // The short chain reaches the output node too.
    EXPECT_TRUE(linked(d, rightPort(d.blocks[3])));
    expectReadable(d);
}

TEST_F(DiagramTest, GeneralSystemDrawsEachPathWithSharedKeysAlike) {
    chooseStructure(5);
    up("udsubsistemas", 2);  // elements 1, 2, 3
    setElement(1, 4, "1000", "200");
    setElement(2, 0, "0.001");
    setElement(3, 3, "800", "300");
    up("udcaminos", 2);   // three paths
    up("udelemcams(1)");  // path 1: 1, 2
    up("udelemcams(2)");  // path 2: 2, 9
    box("txtcamino(1)")->setText("1");
    box("txtcamino(2)")->setText("2");
    box("txtcamino(3)")->setText("2");
    box("txtcamino(4)")->setText("9");
    box("txtcamino(5)")->setText("3");  // path 3: 3
    const BlockDiagram d = diagram();
    ASSERT_EQ(d.blocks.size(), 5u);
    EXPECT_EQ(d.nodes.size(), 2u);
    const Block& two = d.blocks[1];
    const Block& twoAgain = d.blocks[2];
    EXPECT_EQ(two.label, "2");
    EXPECT_EQ(twoAgain.label, "2");
    EXPECT_EQ(two.fill, twoAgain.fill);
    EXPECT_NE(two.fill, d.blocks[0].fill);
    EXPECT_EQ(two.elementRow, 2);
    EXPECT_EQ(twoAgain.pathEntryRow, 3);
    EXPECT_EQ(two.distribution, "Exponencial 0.001");
    EXPECT_EQ(two.life, "Vida media: 1000");
    // Key 9 names no element: a red "?" that leads to its path entry.
    const Block& unknown = d.blocks[3];
    EXPECT_TRUE(unknown.unknown);
    EXPECT_EQ(unknown.label, "?");
    EXPECT_EQ(unknown.elementRow, 0);
    EXPECT_EQ(unknown.pathEntryRow, 4);
    // Paths are rows: path 2 below path 1, path 3 below path 2.
    EXPECT_GT(twoAgain.rect.top(), two.rect.bottom());
    EXPECT_GT(d.blocks[4].rect.top(), unknown.rect.bottom());
    EXPECT_DOUBLE_EQ(twoAgain.rect.left(), d.blocks[0].rect.left());
    EXPECT_EQ(d.blocks[4].distribution, "Lognormal 800 / 300");
    expectReadable(d);
}

// The largest systems stay readable: every text fits and nothing overlaps.
TEST_F(DiagramTest, LargestSystemsKeepTheirTextsApart) {
    chooseStructure(3);
    up("udsubsistemas", 9);
    for (int i = 1; i <= 10; ++i) up(QStringLiteral("udelemsubs(%1)").arg(i), 19);
    for (int k = 1; k <= editor->elementRows(); ++k) setElement(k, k % 5, "12345678", "87654321");
    BlockDiagram d = diagram();
    EXPECT_EQ(d.blocks.size(), 200u);
    expectReadable(d);

    chooseStructure(5);
    up("udsubsistemas", 49);
    up("udcaminos", 49);
    for (int p = 1; p <= 50; ++p) up(QStringLiteral("udelemcams(%1)").arg(p), 12);
    for (int e = 1; e <= editor->pathEntryRows(); ++e)
        box(QStringLiteral("txtcamino(%1)").arg(e))->setText(QString::number(e % 50 + 1));
    d = diagram();
    EXPECT_EQ(d.blocks.size(), 650u);
    expectReadable(d);
}

class DiagramWindowTest : public DiagramTest {
  protected:
    void SetUp() override {
        DiagramTest::SetUp();
        document.setFileName(file);
        window = std::make_unique<farvik::BlockDiagramWindow>(document);
        QObject::connect(window.get(), &farvik::BlockDiagramWindow::elementChosen, editor.get(),
                         &farvik::frmdatos::selectElementRow);
        QObject::connect(window.get(), &farvik::BlockDiagramWindow::pathEntryChosen, editor.get(),
                         &farvik::frmdatos::selectPathEntryRow);
        window->resize(700, 400);
        window->show();
    }
    void click(const Block& b) {
        const QPointF at = b.rect.center() * window->zoom();
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, at.toPoint());
    }
    static inline QString file = QStringLiteral("/tmp/SERIE.DAT");
    std::unique_ptr<farvik::BlockDiagramWindow> window;
};

TEST_F(DiagramWindowTest, RedrawsAfterEveryEditWithoutAClick) {
    ASSERT_EQ(window->diagram().blocks.size(), 1u);
    up("udelemsubs(1)", 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->diagram().blocks.size(), 4u);
    type("txtparam1(2)", "5");
    QCoreApplication::processEvents();
    EXPECT_EQ(window->diagram().blocks[1].distribution, "Exponencial 5");
    control<QComboBox>("cmbfallo(3)")->setCurrentIndex(4);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->diagram().blocks[2].distribution.startsWith("Normal"));
    chooseStructure(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->diagram().blocks.size(), 1u);
    // The canvas takes the size of the diagram at its zoom.
    window->setZoom(0.5);
    EXPECT_NEAR(window->canvas()->width(), window->diagram().bounds.width() * 0.5, 1);
}

TEST_F(DiagramWindowTest, ClickSelectsTheRowOfTheBlock) {
    up("udelemsubs(1)", 9);  // ten rows: row 9 is out of the list's sight
    QCoreApplication::processEvents();
    window->activateWindow();
    auto* bar = control<QScrollBar>("VScroll2");
    ASSERT_EQ(bar->value(), 0);
    window->setZoom(0.5);
    click(window->diagram().blocks[8]);
    EXPECT_GT(bar->value(), 0);  // scrolled to it
    EXPECT_EQ(editor->focusWidget(), control<QComboBox>("cmbfallo(9)"));

    // In a general system a "?" leads to its path entry on the other tab.
    chooseStructure(5);
    box("txtcamino(1)")->setText("4");
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->diagram().blocks[0].unknown);
    click(window->diagram().blocks[0]);
    EXPECT_EQ(control<QTabBar>("tabb")->currentIndex(), 1);
    EXPECT_EQ(editor->focusWidget(), box("txtcamino(1)"));
}

TEST_F(DiagramWindowTest, ZoomWithCtrlWheelAndFit) {
    up("udelemsubs(1)", 19);
    QCoreApplication::processEvents();
    const double before = window->zoom();
    QWheelEvent wheel(QPointF(10, 10), window->canvas()->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window->canvas(), &wheel);
    EXPECT_NEAR(window->zoom(), before * 1.2, 1e-9);
    window->fitToWindow();
    const QSize view = window->findChild<QScrollArea*>("diagramScroll")->viewport()->size();
    EXPECT_LE(window->canvas()->width(), view.width() + 1);
    EXPECT_LE(window->canvas()->height(), view.height() + 1);
}

// "Ajustar" is a mode: the diagram follows every resize of the window until the user zooms,
// and a diagram larger than the window opens in it.
TEST_F(DiagramWindowTest, AjustarRefitsOnEveryResizeUntilTheUserZooms) {
    chooseStructure(3);
    up("udsubsistemas", 9);
    up("udelemsubs(1)", 9);
    QCoreApplication::processEvents();
    auto* scroll = window->findChild<QScrollArea*>("diagramScroll");
    const auto fits = [&] {
        QCoreApplication::processEvents();
        const QSize view = scroll->viewport()->size();
        const QSizeF whole = window->diagram().bounds.size() * window->zoom();
        // Whole in the view, and touching it on one side.
        return whole.width() <= view.width() + 1 && whole.height() <= view.height() + 1 &&
               (whole.width() >= view.width() - 2 || whole.height() >= view.height() - 2 ||
                window->zoom() == 1.0);
    };
    window->resize(600, 400);
    window->fitIfLarger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->fitting()) << "larger than the window: opened fitted";
    EXPECT_TRUE(fits());
    for (const QSize size : {QSize(900, 700), QSize(400, 300), QSize(1200, 500)}) {
        window->resize(size);
        EXPECT_TRUE(fits()) << size.width() << "x" << size.height();
    }
    // An edit is fitted too.
    up("udelemsubs(2)", 5);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fits());

    // A zoom of the user's own leaves the mode: a resize keeps it.
    window->findChild<QPushButton*>("actualSizeButton")->click();
    EXPECT_FALSE(window->fitting());
    EXPECT_EQ(window->zoom(), 1.0);
    window->resize(500, 350);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->zoom(), 1.0);
    window->findChild<QPushButton*>("fitButton")->click();
    EXPECT_TRUE(window->fitting());
    EXPECT_TRUE(fits());
    window->resize(1000, 650);
    EXPECT_TRUE(fits());
}

TEST_F(DiagramWindowTest, ExportsPngAndValidSvg) {
    chooseStructure(3);
    up("udsubsistemas");
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    dialogs.chooseFile(dir.filePath("diagrama"));  // no extension: PNG
    window->exportToFile();
    QImage png(dir.filePath("diagrama.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), window->diagram().bounds.size().toSize());
    ASSERT_EQ(window->diagram().blocks.size(), 2u);
    // Not blank: the blocks' fill is there, between the frame and the texts.
    for (const Block& b : window->diagram().blocks) {
        const QPoint inside(int(b.rect.left()) + 4, int(b.rect.center().y()));
        EXPECT_EQ(png.pixelColor(inside).rgb(), b.fill.rgb());
    }

    dialogs.chooseFile(dir.filePath("diagrama.svg"));
    window->exportToFile();
    QFile svg(dir.filePath("diagrama.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    int texts = 0;
    bool root = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            root = root || xml.name() == QLatin1String("svg");
            if (xml.name() == QLatin1String("text")) ++texts;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(root);
    EXPECT_GE(texts, 3 * 2);
    EXPECT_TRUE(QSvgRenderer(dir.filePath("diagrama.svg")).isValid());
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // A folder that does not exist: said, not hidden.
    dialogs.chooseFile(dir.filePath("no/such/diagrama.svg"));
    window->exportToFile();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith("No se ha podido escribir"));
}

TEST_F(DiagramWindowTest, PrintsOnePageWithTheHeadingOfThePrints) {
    up("udelemsubs(1)");
    setElement(2, 1, "1.5", "1200");
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("diagrama.pdf");
    dialogs.printToPdf(pdf);
    window->printView();
    // Its pages are previewed first, as every print's.
    EXPECT_EQ(dialogs.printSteps(), QStringList({"preview", "print dialog"}));
    ASSERT_EQ(farvik::pdfPageCount(pdf), 1);
    const QString page = farvik::pdfPageTexts(pdf).value(0);
    EXPECT_TRUE(page.contains("Programa Farvik")) << page.toStdString();
    EXPECT_TRUE(page.contains("Archivo: SERIE")) << page.toStdString();
    EXPECT_TRUE(page.contains("Weibull 1.5 / 1200")) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Página:"))) << page.toStdString();
}

}  // namespace
