#include "about_box.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/named_widget.h"
#include "base/program_texts.h"
#include "base/system_info.h"
#include "pictures.h"

namespace farvik {
frmAbout::frmAbout(QWidget* parent, SystemInfoSources* sources)
    : QDialog(parent),
      desktopSources_(sources ? nullptr : std::make_unique<DesktopSystemInfoSources>()),
      sources_(sources ? sources : desktopSources_.get()) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de ") + kProgramTitle);

    QLabel* image = named<QLabel>("Image1", QString(), this);
    image->setPixmap(programPicture(48));
    image->setAlignment(Qt::AlignTop);

    QLabel* title = named<QLabel>("lblTitle", kProductName, this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QLabel* version =
        named<QLabel>("lblVersion", QStringLiteral("Versión ") + versionNumber(), this);
    QLabel* description = named<QLabel>(
        "lblDescription",
        QStringLiteral("Omvira de la fiabilidad de sistemas multicomponente con elementos en "
                       "serie, paralelo o mixtos."),
        this);
    description->setWordWrap(true);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QLabel* disclaimer = named<QLabel>("lblDisclaimer", QStringLiteral("Realizado por:"), this);
    QLabel* credit1 = named<QLabel>("Label1", kMakerLine, this);
    QLabel* credit2 = named<QLabel>("Label2", kCreditLine1, this);
    for (QLabel* credit : {credit1, credit2}) credit->setWordWrap(true);

    QPushButton* ok = named<QPushButton>("cmdOK", QStringLiteral("Aceptar"), this);
    ok->setDefault(true);
    QPushButton* sysInfo =
        named<QPushButton>("cmdSysInfo", QStringLiteral("Info. del &sistema..."), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(*sources_, this); });

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(description);
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addSpacing(8);
    top->addLayout(text, 1);

    auto* credits = new QVBoxLayout;
    credits->addWidget(disclaimer);
    credits->addWidget(credit1);
    credits->addWidget(credit2);
    credits->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(credits, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setFixedWidth(500);
}

frmAbout::~frmAbout() = default;

}  // namespace farvik
