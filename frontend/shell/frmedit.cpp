#include "frmedit.h"

#include <QAction>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
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

// Sizes in megabytes of a million bytes, with one decimal: "155.5".
QString megabytes(qint64 bytes) {
    return QString::number(static_cast<double>(bytes) / 1e6, 'f', 1);
}

QString shownLineFor(const TextFileStart& shown) {
    return QStringLiteral("Se muestran los primeros %1 MB de los %2 MB del fichero.")
        .arg(megabytes(shown.shownBytes), megabytes(shown.fileBytes));
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
    text_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(text_, &QWidget::customContextMenuRequested, this, &frmedit::showContextMenu);

    shownLine_ = new QLabel(this);
    shownLine_->setObjectName(QStringLiteral("lbmostrado"));
    shownLine_->setTextFormat(Qt::PlainText);
    shownLine_->hide();

    copy_ = new QAction(QStringLiteral("&Copiar"), this);
    copy_->setObjectName(QStringLiteral("mnuCopiar"));
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    copy_->setEnabled(false);
    connect(copy_, &QAction::triggered, text_, &QTextEdit::copy);
    connect(text_, &QTextEdit::copyAvailable, copy_, &QAction::setEnabled);
    selectAll_ = new QAction(QStringLiteral("Seleccionar &todo"), this);
    selectAll_->setObjectName(QStringLiteral("mnuSeleccionarTodo"));
    selectAll_->setShortcut(QKeySequence::SelectAll);
    selectAll_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(selectAll_, &QAction::triggered, text_, &QTextEdit::selectAll);
    addActions({copy_, selectAll_});

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
    layout->addWidget(shownLine_);
    layout->addLayout(buttons);
}

QSize frmedit::sizeHint() const {
    const QFontMetrics metrics(text_->font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 84 + 40, metrics.lineSpacing() * 30};
}

void frmedit::display(const QString& path, const TextFileStart& shown) {
    path_ = path;
    text_->setPlainText(shown.text);
    shownLine_->setText(shown.whole() ? QString() : shownLineFor(shown));
    shownLine_->setVisible(!shown.whole());
}

QString frmedit::printedText() const {
    const QString text = text_->toPlainText();
    if (shownLine_->isHidden()) return text;
    return text + (text.endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n")) +
           QLatin1Char('\n') + shownLine_->text() + QLatin1Char('\n');
}

void frmedit::showContextMenu(const QPoint& at) {
    QMenu menu(this);
    menu.addAction(copy_);
    menu.addSeparator();
    menu.addAction(selectAll_);
    menu.exec(text_->viewport()->mapToGlobal(at));
}

}  // namespace farvik
