#include "frmedit.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "base/child_window.h"

namespace farvik {
namespace {

QFont courier() {
    QFont font(QStringLiteral("Courier"), 10);
    // Where no Courier is installed, the closest fixed-width font stands in for it.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

frmedit::frmedit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmedit"));
    setWindowTitle(QStringLiteral("Archivo de datos y resultados"));

    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("rtxtdatos"));
    text_->setReadOnly(true);
    text_->setAcceptRichText(false);
    text_->setLineWrapMode(QTextEdit::NoWrap);
    text_->setFont(courier());

    accept_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    accept_->setObjectName(QStringLiteral("btdaceptar"));
    connect(accept_, &QPushButton::clicked, this, [this] { closeChildWindow(this); });
    print_ = new QPushButton(QStringLiteral("&Imprimir"), this);
    print_->setObjectName(QStringLiteral("btprint"));
    connect(print_, &QPushButton::clicked, this, [this] { printView(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(accept_);
    buttons->addWidget(print_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
}

QSize frmedit::sizeHint() const {
    const QFontMetrics metrics(text_->font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 84 + 40, metrics.lineSpacing() * 30};
}

void frmedit::display(const QString& path, const QString& text) {
    path_ = path;
    text_->setPlainText(text);
}

}  // namespace farvik
