#include "about_box.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/program_texts.h"
#include "base/system_info.h"
#include "pictures.h"

namespace farvik {
namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* namedButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent, SystemInfoSources* sources)
    : QDialog(parent),
      desktopSources_(sources ? nullptr : std::make_unique<DesktopSystemInfoSources>()),
      sources_(sources ? sources : desktopSources_.get()) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de ") + kProgramTitle);

    QLabel* image = namedLabel("Image1", QString(), this);
    image->setPixmap(programPicture(48));
    image->setAlignment(Qt::AlignTop);

    QLabel* title = namedLabel("lblTitle", kProductName, this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QLabel* version = namedLabel("lblVersion", QStringLiteral("Versión ") + versionNumber(), this);
    QLabel* description = namedLabel(
        "lblDescription",
        QStringLiteral("Omvira de la fiabilidad de sistemas multicomponente con elementos en "
                       "serie, paralelo o mixtos."),
        this);
    description->setWordWrap(true);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QLabel* disclaimer = namedLabel("lblDisclaimer", QStringLiteral("Realizado por:"), this);
    QLabel* credit1 = namedLabel("Label1", kMakerLine, this);
    QLabel* credit2 = namedLabel("Label2", kCreditLine1, this);
    for (QLabel* credit : {credit1, credit2}) credit->setWordWrap(true);

    QPushButton* ok = namedButton("cmdOK", QStringLiteral("Aceptar"), this);
    ok->setDefault(true);
    QPushButton* sysInfo = namedButton("cmdSysInfo", QStringLiteral("Info. del &sistema..."), this);
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
