// Building the editor window: the left column of settings and the four panes of the tab strip.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "base/twips.h"
#include "distribution_names.h"
#include "editor_limits.h"
#include "filtered_line_edit.h"
#include "frmdatos.h"
#include "row_list.h"
#include "spin_arrows.h"

namespace farvik {

using editor::FilteredLineEdit;
using editor::RowList;
using editor::SpinArrows;

namespace {

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    return label;
}

QGroupBox* namedFrame(const QString& name, const QString& caption, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

// A read-only box showing "1", such as txtsubsistemas: its spin control alone changes it.
QLineEdit* countBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(QStringLiteral("1"), parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

SpinArrows* spinFor(const QString& name, QLineEdit* buddy, int minimum, int maximum, int step,
                    QWidget* parent) {
    auto* arrows = new SpinArrows(parent);
    arrows->setObjectName(name);
    arrows->setRange(minimum, maximum);
    arrows->setStep(step);
    arrows->setBuddy(buddy);
    arrows->setFixedHeight(buddy->sizeHint().height());
    return arrows;
}

void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

}  // namespace

void frmdatos::measureColumns() {
    const QFontMetrics fm = fontMetrics();
    const auto advance = [&fm](const char* text) {
        return fm.horizontalAdvance(QString::fromUtf8(text));
    };
    pitch_ = twipsToPixels(editor::kRowPitchTwips, *this);
    const int gap = 6;
    Columns& c = columns_;

    c.captionWidth =
        std::max(advance("Nº elementos en subsistema"), advance("Nº elementos serie en camino")) +
        4;
    c.numberWidth = advance("50") + 6;
    c.boxWidth = advance("000") + 18;
    c.countCaption = 4;
    c.countNumber = c.countCaption + c.captionWidth;
    c.countColon = c.countNumber + c.numberWidth;
    c.countBox = c.countColon + advance(":") + 6;
    c.countArrows = c.countBox + c.boxWidth;
    c.countEnd = c.countArrows + 16;

    QComboBox sample;
    sample.addItems(editor::distributionNames());
    c.nameWidth = std::max(advance("Subs./elem."), advance("50-20")) + 8;
    c.listWidth = sample.sizeHint().width();
    c.paramWidth = std::max(advance("00000000") + 18,
                            (advance("Parámetros de la distribución") - gap) / 2 + 2);
    c.elementName = 4;
    c.elementList = c.elementName + c.nameWidth + gap;
    c.elementParam[0] = c.elementList + c.listWidth + gap;
    c.elementParam[1] = c.elementParam[0] + c.paramWidth + gap;
    c.elementParam[2] = c.elementParam[1] + c.paramWidth + gap;  // never shown
    c.lifeWidth = advance("Vida media: 0.00000E+000") + 8;
    c.elementLife = c.elementParam[1] + c.paramWidth + gap;
    c.elementEnd = c.elementLife + c.lifeWidth;

    c.entryPath = 4;
    c.entryKey = c.entryPath + std::max(advance("Camino"), advance("50")) + 8 + gap;
    c.entryEnd = c.entryKey + std::max(c.boxWidth, advance("Distribución del camino"));

    c.listWidthTotal = std::max({c.countEnd, c.elementEnd, c.entryEnd}) + 4;
}

QLabel* frmdatos::rowLabel(QWidget* row, const QString& name, const QString& text, int x, int width,
                           Qt::Alignment alignment) {
    QLabel* label = namedLabel(name, text, row);
    label->setAlignment(alignment);
    label->setGeometry(x, 0, width, pitch_);
    return label;
}

void frmdatos::placeInRow(QWidget* control, int x, int width) {
    // Every control of a kind has the same height, so it is asked once: a list works its
    // size out from the widths of all its entries.
    int& height = qobject_cast<QComboBox*>(control) ? listHeight_ : boxHeight_;
    if (height == 0) height = std::min(control->sizeHint().height(), pitch_ - 2);
    control->setGeometry(x, (pitch_ - height) / 2, width, height);
}

QWidget* frmdatos::buildLeftColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* systems =
        namedFrame(QStringLiteral("frmsistemas"), QStringLiteral("Sistemas"), column);
    auto* systemsLayout = new QVBoxLayout(systems);
    const char* const structures[] = {"SIMPLES EN SERIE", "SIMPLES EN PARALELO", "SERIE-PARALELO",
                                      "PARALELO-SERIE", "GENERAL"};
    optsistemas_.assign(6, nullptr);
    for (int t = 1; t <= 5; ++t) {
        auto* option = new QRadioButton(QString::fromUtf8(structures[t - 1]), systems);
        option->setObjectName(QStringLiteral("optsistemas(%1)").arg(t));
        systemsLayout->addWidget(option);
        optsistemas_[t] = option;
    }
    optsistemas_[1]->setChecked(true);
    layout->addWidget(systems);

    QGroupBox* redundancy =
        namedFrame(QStringLiteral("frmredundancia"), QStringLiteral("Redundancia"), column);
    auto* redundancyLayout = new QHBoxLayout(redundancy);
    optred_[1] = new QRadioButton(QStringLiteral("Si"), redundancy);
    optred_[1]->setObjectName(QStringLiteral("optred(1)"));
    optred_[0] = new QRadioButton(QStringLiteral("No"), redundancy);
    optred_[0]->setObjectName(QStringLiteral("optred(0)"));
    optred_[0]->setChecked(true);
    redundancyLayout->addWidget(optred_[1]);
    redundancyLayout->addWidget(optred_[0]);
    redundancyLayout->addStretch();
    layout->addWidget(redundancy);

    QGroupBox* simulation =
        namedFrame(QStringLiteral("frmsimulacion"), QStringLiteral("Omvira"), column);
    auto* grid = new QGridLayout(simulation);
    grid->setHorizontalSpacing(4);
    txtsemilla_ = countBox(QStringLiteral("txtsemilla"), simulation);
    udsemilla_ = spinFor(QStringLiteral("udsemilla"), txtsemilla_, editor::kSeedMin,
                         editor::kSeedMax, editor::kSeedStep, simulation);
    txtpruebas_ = new FilteredLineEdit(simulation);
    txtpruebas_->setObjectName(QStringLiteral("txtpruebas"));
    txtpruebas_->setText(QStringLiteral("1000"));
    txtpruebas_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    udpruebas_ = spinFor(QStringLiteral("udpruebas"), txtpruebas_, editor::kTrialsMin,
                         editor::kTrialsMax, editor::kTrialsStep, simulation);
    // Unlike the count arrows, which add one row per press, these step on while held.
    udsemilla_->setRepeating(true);
    udpruebas_->setRepeating(true);
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 12;
    txtsemilla_->setFixedWidth(boxWidth);
    txtpruebas_->setFixedWidth(boxWidth);
    grid->addWidget(new QLabel(QStringLiteral("Semilla:"), simulation), 0, 0);
    grid->addWidget(txtsemilla_, 0, 1);
    grid->addWidget(udsemilla_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Nº de pruebas:"), simulation), 1, 0);
    grid->addWidget(txtpruebas_, 1, 1);
    grid->addWidget(udpruebas_, 1, 2);
    grid->setColumnStretch(3, 1);
    layout->addWidget(simulation);

    layout->addStretch();
    return column;
}

QGroupBox* frmdatos::buildSubsystemPane() {
    QGroupBox* frame = namedFrame(QStringLiteral("Frame1"), QStringLiteral("Subsistemas"), this);
    auto* layout = new QVBoxLayout(frame);
    auto* countLine = new QHBoxLayout;
    label3_ = namedLabel(QStringLiteral("Label3"), QStringLiteral("Nº de Subsistemas:"), frame);
    txtsubsistemas_ = countBox(QStringLiteral("txtsubsistemas"), frame);
    txtsubsistemas_->setFixedWidth(columns_.boxWidth);
    udsubsistemas_ = spinFor(QStringLiteral("udsubsistemas"), txtsubsistemas_, 0,
                             editor::kMaxSubsystems + 1, 1, frame);
    countLine->addWidget(label3_);
    countLine->addWidget(txtsubsistemas_);
    countLine->addWidget(udsubsistemas_);
    countLine->addStretch();
    layout->addLayout(countLine);
    subsystemList_ = new RowList(QStringLiteral("frmfondo1"), QStringLiteral("frmscroll1"),
                                 QStringLiteral("VScroll1"), columns_.listWidthTotal, frame);
    keepPlaceWhenHidden(subsystemList_);
    layout->addWidget(subsystemList_);
    return frame;
}

QGroupBox* frmdatos::buildElementPane() {
    QGroupBox* frame =
        namedFrame(QStringLiteral("Frame2"), QStringLiteral("Datos elementos"), this);
    auto* layout = new QVBoxLayout(frame);
    auto* headers = new QWidget(frame);
    headers->setFixedSize(columns_.listWidthTotal, fontMetrics().height() + 4);
    const auto header = [&](const char* name, const char* text, int x, int width) {
        QLabel* label = namedLabel(QString::fromUtf8(name), QString::fromUtf8(text), headers);
        label->setGeometry(x, 0, width, headers->height());
    };
    header("Label4", "Subs./elem.", columns_.elementName, columns_.nameWidth);
    header("Label5", "Distribuición del Fallo", columns_.elementList, columns_.listWidth);
    header("Label6", "Parámetros de la distribución", columns_.elementParam[0],
           columns_.elementEnd - columns_.elementParam[0]);
    layout->addWidget(headers);
    elementList_ = new RowList(QStringLiteral("frmfondo2"), QStringLiteral("frmscroll2"),
                               QStringLiteral("VScroll2"), columns_.listWidthTotal, frame);
    layout->addWidget(elementList_);
    return frame;
}

QGroupBox* frmdatos::buildPathPane() {
    QGroupBox* frame = namedFrame(QStringLiteral("Frame11"), QStringLiteral("Caminos"), this);
    auto* layout = new QVBoxLayout(frame);
    auto* countLine = new QHBoxLayout;
    txtcaminos_ = countBox(QStringLiteral("txtcaminos"), frame);
    txtcaminos_->setFixedWidth(columns_.boxWidth);
    udcaminos_ =
        spinFor(QStringLiteral("udcaminos"), txtcaminos_, 0, editor::kMaxPaths + 1, 1, frame);
    countLine->addWidget(
        namedLabel(QStringLiteral("Label8"), QStringLiteral("Nº de Caminos:"), frame));
    countLine->addWidget(txtcaminos_);
    countLine->addWidget(udcaminos_);
    countLine->addStretch();
    layout->addLayout(countLine);
    pathList_ = new RowList(QStringLiteral("frmfondo11"), QStringLiteral("frmscroll11"),
                            QStringLiteral("VScroll11"), columns_.listWidthTotal, frame);
    layout->addWidget(pathList_);
    return frame;
}

QGroupBox* frmdatos::buildPathEntryPane() {
    QGroupBox* frame = namedFrame(QStringLiteral("Frame22"), QStringLiteral("Datos caminos"), this);
    auto* layout = new QVBoxLayout(frame);
    auto* headers = new QWidget(frame);
    headers->setFixedSize(columns_.listWidthTotal, fontMetrics().height() + 4);
    QLabel* path = namedLabel(QStringLiteral("Label9"), QStringLiteral("Camino"), headers);
    path->setGeometry(columns_.entryPath, 0, columns_.entryKey - columns_.entryPath,
                      headers->height());
    QLabel* keys =
        namedLabel(QStringLiteral("Label7"), QStringLiteral("Distribución del camino"), headers);
    keys->setGeometry(columns_.entryKey, 0, columns_.entryEnd - columns_.entryKey,
                      headers->height());
    layout->addWidget(headers);
    pathEntryList_ = new RowList(QStringLiteral("frmfondo22"), QStringLiteral("frmscroll22"),
                                 QStringLiteral("VScroll22"), columns_.listWidthTotal, frame);
    layout->addWidget(pathEntryList_);
    return frame;
}

QWidget* frmdatos::buildPanes() {
    auto* side = new QWidget(this);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    tabb_ = new QTabBar(side);
    tabb_->setObjectName(QStringLiteral("tabb"));
    tabb_->addTab(QStringLiteral("Elementos"));
    tabb_->setTabData(0, QStringLiteral("elementos"));
    tabb_->addTab(QStringLiteral("Caminos"));
    tabb_->setTabData(1, QStringLiteral("caminos"));
    tabb_->setDrawBase(true);
    tabb_->setExpanding(false);
    layout->addWidget(tabb_);

    // The two panes of a tab lie one above the other; the panes of the other tab take the
    // same places, so the window keeps its size whichever is shown.
    auto* panes = new QWidget(side);
    auto* grid = new QGridLayout(panes);
    grid->setContentsMargins(0, 4, 0, 0);
    frame1_ = buildSubsystemPane();
    frame2_ = buildElementPane();
    frame11_ = buildPathPane();
    frame22_ = buildPathEntryPane();
    for (QGroupBox* frame : {frame1_, frame2_, frame11_, frame22_}) {
        frame->setParent(panes);
        keepPlaceWhenHidden(frame);
    }
    grid->addWidget(frame1_, 0, 0);
    grid->addWidget(frame11_, 0, 0);
    grid->addWidget(frame2_, 1, 0);
    grid->addWidget(frame22_, 1, 0);
    layout->addWidget(panes);
    layout->addStretch();
    return side;
}

}  // namespace farvik
