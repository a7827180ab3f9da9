#include "graph_export.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>

#include "base/dialog_seam.h"
#include "reliability_curves.h"

namespace farvik {
namespace {

QString withExtension(const QString& path, const QString& extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

// Writes through a file that takes the place of the old one only when complete.
template <typename Write>
bool writeWhole(const QString& path, Write write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The file to write: asked through the seam, with its extension, and confirmed when it
// would replace one. Empty when the user cancels or declines.
QString chooseFile(QWidget* parent, const QString& title, const QString& filter,
                   const QString& suggested, const QString& extension) {
    const QString chosen = dialogs().saveFileName(parent, {title, filter, suggested});
    if (chosen.isEmpty()) return {};
    const QString path = withExtension(chosen, extension);
    if (QFileInfo::exists(path) &&
        dialogs().message(parent, MessageIcon::Question, MessageButtons::YesNo, QString(),
                          QStringLiteral("El fichero %1 ya existe. ¿Desea reemplazarlo?")
                              .arg(QFileInfo(path).fileName())) != MessageAnswer::Yes)
        return {};
    return path;
}

void reportFailure(QWidget* parent, const QString& path) {
    dialogs().message(parent, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                      QStringLiteral("No se puede escribir el fichero ") + path);
}

constexpr int kTitleGap = 4;

QSize imageSize(const QWidget& frame) {
    return QSize(frame.width(), frame.height() + graphTitleHeight(frame));
}

// The title in bold on its own line, the frame under it as it is drawn on the screen.
void paintTitledFrame(QPainter& painter, QWidget& frame, const QString& title) {
    QFont bold = frame.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    const QFontMetrics fm(bold);
    painter.drawText(QPointF(kTitleGap, kTitleGap + fm.ascent()), title);
    frame.render(&painter, QPoint(0, graphTitleHeight(frame)));
}

}  // namespace

bool exportGraphToChosenFile(QWidget* parent, QWidget& frame, const QString& title,
                             const QString& folder) {
    const QString path = dialogs().saveFileName(
        parent, {QStringLiteral("Exportar la gráfica"),
                 QStringLiteral("Imagen PNG (*.png);;Dibujo SVG (*.svg)"), folder});
    if (path.isEmpty()) return false;
    const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const bool written =
        svg ? writeGraphSvg(frame, title, path) : writeGraphPng(frame, title, path);
    if (!written) {
        dialogs().message(parent, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se puede escribir el fichero ") + path);
    }
    return written;
}

int graphTitleHeight(const QWidget& frame) {
    return QFontMetrics(frame.font()).height() + 2 * kTitleGap;
}

QImage graphImage(QWidget& frame, const QString& title) {
    QImage image(imageSize(frame), QImage::Format_ARGB32_Premultiplied);
    image.fill(frame.palette().color(QPalette::Window));
    QPainter painter(&image);
    paintTitledFrame(painter, frame, title);
    painter.end();
    return image;
}

bool writeGraphPng(QWidget& frame, const QString& title, const QString& path) {
    const QImage image = graphImage(frame, title);
    return writeWhole(path, [&](QSaveFile& file) { return image.save(&file, "PNG"); });
}

bool writeGraphSvg(QWidget& frame, const QString& title, const QString& path) {
    return writeWhole(path, [&](QSaveFile& file) {
        const QSize size = imageSize(frame);
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(title.isEmpty() ? QStringLiteral("Gráficas") : title);
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        painter.fillRect(QRect(QPoint(0, 0), size), frame.palette().color(QPalette::Window));
        paintTitledFrame(painter, frame, title);
        return painter.end() && file.error() == QFileDevice::NoError;
    });
}

QByteArray reliabilityCsv(const QByteArray& tableText, CsvFlavour flavour) {
    const QStringList header = {QStringLiteral("Límite inferior"),
                                QStringLiteral("Límite superior"), QStringLiteral("Fallos"),
                                QStringLiteral("Fiabilidad"), QStringLiteral("Tasa de fallo")};
    QVector<CsvRow> rows;
    for (const std::array<QByteArray, 5>& fields : readTableRows(tableText)) {
        CsvRow row;
        // Each field as the graph reads it.
        for (const QByteArray& field : fields) row << CsvField::ofNumber(tableNumber(field));
        rows << row;
    }
    return csvBytes(header, rows, flavour);
}

QPushButton* makeExportButton(QWidget* window, QWidget* frame, std::function<QString()> title,
                              const QString& tableFile, const QString& folder) {
    auto* button = new QPushButton(QStringLiteral("E&xportar"), window);
    button->setObjectName(QStringLiteral("btexportar"));
    button->setAutoDefault(false);
    auto* menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("mnuexportar"));
    const auto add = [menu](const char* name, const QString& text, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, menu, slot);
    };
    const QString dialogTitle = QStringLiteral("Exportar el gráfico");
    add("mnuexportarpng", QStringLiteral("Gráfico como imagen &PNG..."), [=] {
        const QString path =
            chooseFile(window, dialogTitle, QStringLiteral("Imagen PNG (*.png)"),
                       folder + QStringLiteral("/grafico.png"), QStringLiteral(".png"));
        if (!path.isEmpty() && !writeGraphPng(*frame, title(), path)) reportFailure(window, path);
    });
    add("mnuexportarsvg", QStringLiteral("Gráfico como dibujo &SVG..."), [=] {
        const QString path =
            chooseFile(window, dialogTitle, QStringLiteral("Dibujo SVG (*.svg)"),
                       folder + QStringLiteral("/grafico.svg"), QStringLiteral(".svg"));
        if (!path.isEmpty() && !writeGraphSvg(*frame, title(), path)) reportFailure(window, path);
    });
    add("mnucopiargrafico", QStringLiteral("&Copiar el gráfico"),
        [=] { QApplication::clipboard()->setImage(graphImage(*frame, title())); });
    menu->addSeparator();
    add("mnuexportarcsv", QStringLiteral("&Tabla de fiabilidad como CSV..."), [=] {
        const std::optional<CsvTarget> target =
            chooseCsvFile(window, QStringLiteral("Exportar la tabla de fiabilidad"),
                          folder + QStringLiteral("/tablafia.csv"));
        if (!target) return;
        QFile table(tableFile);
        const QByteArray text = table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray();
        writeCsvFile(window, target->path, reliabilityCsv(text, target->flavour));
    });
    button->setMenu(menu);
    return button;
}

}  // namespace farvik
