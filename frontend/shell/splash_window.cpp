#include "splash_window.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "base/named_widget.h"
#include "base/program_texts.h"
#include "pictures.h"

namespace farvik {
namespace {

constexpr int kTicksShown = 5;

}  // namespace

frmSplash::frmSplash(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      showMainWindow_(std::move(showMainWindow)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(kProductName);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);

    QLabel* image1 = named<QLabel>("Image1", QString(), frame);
    image1->setPixmap(programPicture(96));
    QLabel* image2 = named<QLabel>("Image2", QString(), frame);
    image2->setPixmap(systemPicture(96));

    QLabel* product = named<QLabel>("lblProductName", kProductName, frame);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    product->setFont(big);
    QLabel* version =
        named<QLabel>("lblVersion", QStringLiteral("Version ") + versionNumber(), frame);
    QLabel* platform = named<QLabel>("lblPlatform", QStringLiteral("Linux"), frame);
    QFont medium = platform->font();
    medium.setPointSizeF(medium.pointSizeF() * 1.3);
    platform->setFont(medium);
    version->setFont(medium);
    QLabel* warning = named<QLabel>("lblWarning", QStringLiteral("Realizado por:"), frame);
    QLabel* company = named<QLabel>("lblCompanyProduct", kMakerLine, frame);
    QLabel* credit1 = named<QLabel>("Label1", kCreditLine1, frame);
    QLabel* credit2 = named<QLabel>("Label2", kCreditLine2, frame);
    for (QLabel* right : {version, platform}) right->setAlignment(Qt::AlignRight);

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(18, 18, 18, 18);
    grid->addWidget(image1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(image2, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(version, 2, 1, 1, 2);
    grid->addWidget(platform, 3, 1, 1, 2);
    grid->setRowMinimumHeight(4, 16);
    grid->addWidget(warning, 5, 0, 1, 3);
    grid->addWidget(company, 6, 0, 1, 3);
    grid->addWidget(credit1, 7, 0, 1, 3);
    grid->addWidget(credit2, 8, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(frame);
    setFixedSize(520, 340);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A click anywhere on the frame, a picture or a label opens the main window at once.
    for (QWidget* clickable : std::initializer_list<QWidget*>{
             frame, image1, image2, product, version, platform, warning, company, credit1, credit2})
        clickable->installEventFilter(this);

    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    timer_->start();
}

void frmSplash::Timer1_Timer() {
    if (++ticks_ >= kTicksShown) closeAndShowMain();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        closeAndShowMain();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::closeAndShowMain() {
    timer_->stop();
    if (mainWindowShown_) return;
    mainWindowShown_ = true;
    // The main window appears before the splash goes, so the program never runs without a
    // window.
    showMainWindow_();
    close();
}

}  // namespace farvik
