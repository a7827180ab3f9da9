#include "help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "base/named_widget.h"

namespace farvik {

HelpWindow::HelpWindow(const QString& manualIndex, QWidget* parent)
    : QWidget(parent, Qt::Window), index_(manualIndex) {
    setObjectName(QStringLiteral("frmayuda"));
    setWindowTitle(QStringLiteral("Ayuda de Farvik"));
    setAttribute(Qt::WA_DeleteOnClose);

    browser_ = named<QTextBrowser>("txtayuda", this);
    back_ = named<QPushButton>("btatras", QStringLiteral("&Atrás"), this);
    forward_ = named<QPushButton>("btadelante", QStringLiteral("A&delante"), this);
    QPushButton* home = named<QPushButton>("btindice", QStringLiteral("Í&ndice"), this);
    QPushButton* close = named<QPushButton>("btcerrar", QStringLiteral("&Cerrar"), this);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(home, &QPushButton::clicked, this, &HelpWindow::showIndex);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Addresses outside the manual (the web) are not for this window.
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* all = new QVBoxLayout(this);
    all->addLayout(buttons);
    all->addWidget(browser_, 1);
    resize(820, 680);
    showIndex();
}

void HelpWindow::showIndex() {
    browser_->setSource(QUrl::fromLocalFile(index_));
}

}  // namespace farvik
