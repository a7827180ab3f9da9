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

const QByteArray kCsvHeader =
    QStringLiteral("Límite inferior,Límite superior,Fallos,Fiabilidad,Tasa de fallo").toUtf8();

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

}  // namespace

QImage graphImage(QWidget& frame) {
    QImage image(frame.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(frame.palette().color(QPalette::Window));
    frame.render(&image);
    return image;
}

bool writeGraphPng(QWidget& frame, const QString& path) {
    const QImage image = graphImage(frame);
    return writeWhole(path, [&](QSaveFile& file) { return image.save(&file, "PNG"); });
}

bool writeGraphSvg(QWidget& frame, const QString& path) {
    return writeWhole(path, [&](QSaveFile& file) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(frame.size());
        svg.setViewBox(QRect(QPoint(0, 0), frame.size()));
        svg.setTitle(QStringLiteral("Gráficas"));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        painter.fillRect(QRect(QPoint(0, 0), frame.size()),
                         frame.palette().color(QPalette::Window));
        frame.render(&painter);
        return painter.end() && file.error() == QFileDevice::NoError;
    });
}

QByteArray reliabilityCsv(const QByteArray& tableText) {
    QByteArray csv = kCsvHeader + "\r\n";
    for (const std::array<QByteArray, 5>& row : readTableRows(tableText)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) csv += ',';
            csv += row[i];
        }
        csv += "\r\n";
    }
    return csv;
}

QPushButton* makeExportButton(QWidget* window, QWidget* frame, const QString& tableFile,
                              const QString& folder) {
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
    const QString title = QStringLiteral("Exportar el gráfico");
    add("mnuexportarpng", QStringLiteral("Gráfico como imagen &PNG..."), [=] {
        const QString path =
            chooseFile(window, title, QStringLiteral("Imagen PNG (*.png)"),
                       folder + QStringLiteral("/grafico.png"), QStringLiteral(".png"));
        if (!path.isEmpty() && !writeGraphPng(*frame, path)) reportFailure(window, path);
    });
    add("mnuexportarsvg", QStringLiteral("Gráfico como dibujo &SVG..."), [=] {
        const QString path =
            chooseFile(window, title, QStringLiteral("Dibujo SVG (*.svg)"),
                       folder + QStringLiteral("/grafico.svg"), QStringLiteral(".svg"));
        if (!path.isEmpty() && !writeGraphSvg(*frame, path)) reportFailure(window, path);
    });
    add("mnucopiargrafico", QStringLiteral("&Copiar el gráfico"),
        [=] { QApplication::clipboard()->setImage(graphImage(*frame)); });
    menu->addSeparator();
    add("mnuexportarcsv", QStringLiteral("&Tabla de fiabilidad como CSV..."), [=] {
        const QString path =
            chooseFile(window, QStringLiteral("Exportar la tabla de fiabilidad"),
                       QStringLiteral("Valores separados por comas (*.csv)"),
                       folder + QStringLiteral("/tablafia.csv"), QStringLiteral(".csv"));
        if (path.isEmpty()) return;
        QFile table(tableFile);
        const QByteArray text = table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray();
        const QByteArray csv = reliabilityCsv(text);
        if (!writeWhole(path, [&](QSaveFile& f) { return f.write(csv) == csv.size(); }))
            reportFailure(window, path);
    });
    button->setMenu(menu);
    return button;
}

}  // namespace farvik
