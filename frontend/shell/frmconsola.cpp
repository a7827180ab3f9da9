#include "frmconsola.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "base/child_window.h"
#include "console_answer.h"
#include "run_progress.h"

namespace farvik {
namespace {

// Enough for the engine's longest dialogue, and a bound on what a runaway engine can fill.
constexpr int kKeptLines = 5000;
// Steps of the progress bar: fine enough for a smooth bar on any screen.
constexpr int kBarSteps = 1000;

QFont consoleFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    return font;
}

}  // namespace

frmconsola::frmconsola(const QString& caption, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmconsola"));
    setWindowTitle(caption);

    output_ = new QPlainTextEdit(this);
    output_->setObjectName(QStringLiteral("txtconsola"));
    output_->setReadOnly(true);
    output_->setFont(consoleFont());
    output_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    output_->setMaximumBlockCount(kKeptLines);
    output_->setFocusPolicy(Qt::ClickFocus);
    // Light text on black, as the engine's console looks when it is run by hand.
    QPalette colours = output_->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, QColor(0xc0, 0xc0, 0xc0));
    output_->setPalette(colours);

    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("txtentrada"));
    input_->setFont(consoleFont());
    connect(input_, &QLineEdit::returnPressed, this, [this] {
        const QString text = input_->text();
        // The engine would end the value at the comma and read another number than meant:
        // the answer stays in the input line to be written again.
        if (holdsDecimalComma(text)) {
            const bool lineOpen = !output_->document()->lastBlock().text().isEmpty();
            display((lineOpen ? QStringLiteral("\n") : QString()) + decimalCommaNotice(text));
            return;
        }
        input_->clear();
        // A console echoes what is typed; the engine's answers follow on the next line.
        display(text + QLatin1Char('\n'));
        emit lineEntered(text);
    });

    button_ = new QPushButton(QStringLiteral("Cancelar"), this);
    button_->setObjectName(QStringLiteral("btcancelar"));
    button_->setAutoDefault(false);
    connect(button_, &QPushButton::clicked, this, [this] {
        if (running_)
            emit cancelRequested();
        else
            closeChildWindow(this);
    });

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("barprogreso"));
    bar_->setRange(0, kBarSteps);
    bar_->setValue(0);
    bar_->setTextVisible(true);
    bar_->setFormat(QStringLiteral("%p %"));
    progressLine_ = new QLabel(this);
    progressLine_->setObjectName(QStringLiteral("lbprogreso"));
    progressLine_->setTextFormat(Qt::PlainText);

    auto* progress = new QHBoxLayout;
    progress->addWidget(bar_, 1);
    progress->addWidget(progressLine_, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(input_, 1);
    bottom->addWidget(button_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(output_, 1);
    layout->addLayout(progress);
    layout->addLayout(bottom);
    setFocusProxy(input_);
}

QSize frmconsola::sizeHint() const {
    const QFontMetrics metrics(output_->font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 82 + 40, metrics.lineSpacing() * 28};
}

void frmconsola::display(const QString& text) {
    QTextCursor end(output_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    output_->verticalScrollBar()->setValue(output_->verticalScrollBar()->maximum());
}

void frmconsola::engineEnded() {
    running_ = false;
    input_->setEnabled(false);
    button_->setText(QStringLiteral("&Cerrar"));
}

void frmconsola::updateProgress(const RunProgress& progress) {
    if (progress.knowsTotal()) {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(qRound(progress.fraction() * kBarSteps));
    } else if (bar_->maximum() != 0) {
        bar_->setRange(0, 0);  // busy, without a share to show
    }
    progressLine_->setText(progressText(progress));
}

void frmconsola::showRunTime(double seconds, bool complete) {
    if (complete) {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(kBarSteps);
    }
    progressLine_->setText(runTimeText(seconds));
}

void frmconsola::showStopped(const RunProgress& progress) {
    // A busy bar would go on moving for a run that no longer runs.
    if (bar_->maximum() == 0) bar_->setRange(0, kBarSteps);
    progressLine_->setText(stoppedText(progress));
}

void frmconsola::closeEvent(QCloseEvent* event) {
    // Closing the console of a running engine stops the engine, as closing its window does.
    if (running_) emit cancelRequested();
    event->accept();
}

}  // namespace farvik
