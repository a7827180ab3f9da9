#include "engine_run.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include "file_names.h"
#include "frmconsola.h"

namespace farvik {
namespace {

// POSIX keeps eight bits of an exit status: -1 arrives as 255.
constexpr int kStatusOfMinusOne = 255;
// A few updates a second; a stat of one file each time costs the engine nothing.
constexpr int kProgressMs = 250;

// The trials the engine is about to make: the number its data file asks for, if it can be
// read there (the engine runs NAME.DAT for its argument NAME).
qint64 trialsToRun(const EngineCommand& command) {
    if (command.arguments.size() != 1) return 0;
    const QString name = command.arguments.first() + QStringLiteral(".DAT");
    QString path = findIgnoringCase(command.workingFolder, name);
    if (path.isEmpty()) return 0;
    QFile file(path);
    // A data file is small; a huge one is no data file and the engine will refuse it.
    if (!file.open(QIODevice::ReadOnly) || file.size() > (16 << 20)) return 0;
    return trialsOfDataFile(file.readAll()).value_or(0);
}

}  // namespace

EngineRun::EngineRun(EngineCommand command, frmconsola* console)
    : command_(std::move(command)), console_(console), progress_(trialsToRun(command_)) {
    process_.setProgram(command_.program);
    process_.setArguments(command_.arguments);
    process_.setWorkingDirectory(command_.workingFolder);
    // The engine writes its errors to standard error: they belong in the console too.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &EngineRun::readOutput);
    poll_.setInterval(kProgressMs);
    connect(&poll_, &QTimer::timeout, this, &EngineRun::showProgress);
    if (console_) {
        connect(console_, &frmconsola::lineEntered, this, [this](const QString& line) {
            if (process_.state() != QProcess::Running) return;
            process_.write((line + '\n').toUtf8());
            // The trials begin once the last question is answered: the estimate of the
            // time left counts from the last answer.
            progress_.begin(seconds());
        });
        connect(console_, &frmconsola::cancelRequested, this, &EngineRun::cancel);
    }
}

EngineRun::~EngineRun() {
    // Never leave an engine behind writing into the results.
    if (process_.state() != QProcess::NotRunning) cancel();
}

void EngineRun::show(const QString& text) {
    if (console_) console_->display(text);
}

void EngineRun::readOutput() {
    show(decoder_.decode(process_.readAllStandardOutput()));
}

void EngineRun::showProgress() {
    // The engine creates the listing under this very name.
    const QFileInfo listing(command_.workingFolder + QStringLiteral("/listasis.txt"));
    progress_.observe(listing.exists() ? listing.size() : 0, seconds());
    if (console_) console_->updateProgress(progress_);
}

int EngineRun::exec() {
    earlier_.setAside(command_.workingFolder);

    QEventLoop loop;
    bool ended = false;
    connect(&process_, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    clock_.start();
    progress_.begin(0);
    process_.start(QIODevice::ReadWrite);
    if (!process_.waitForStarted(-1)) {
        earlier_.putBack();
        show(QStringLiteral("No se ha podido iniciar %1: %2\n")
                 .arg(command_.program, process_.errorString()));
        if (console_) console_->engineEnded();
        return kRunNotStarted + static_cast<int>(process_.error());
    }
    showProgress();
    poll_.start();
    if (!ended) loop.exec();
    poll_.stop();
    // The event loop also ends when the whole program is leaving: stop the engine then.
    if (process_.state() != QProcess::NotRunning) cancel();
    readOutput();
    const bool complete =
        !cancelled_ && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    if (console_) {
        if (complete) showProgress();
        console_->showRunTime(seconds(), complete);
        console_->engineEnded();
    }

    if (cancelled_) return kRunCancelled;
    // A run that did not end well leaves empty or partial results: the earlier ones stay.
    const bool crashed = process_.exitStatus() == QProcess::CrashExit;
    const int status = process_.exitCode();
    if (crashed || status != 0) earlier_.putBack();
    return crashed || status == kStatusOfMinusOne ? kRunFailed : status;
}

void EngineRun::cancel() {
    if (process_.state() == QProcess::NotRunning) return;
    cancelled_ = true;
    process_.kill();
    process_.waitForFinished(-1);
    earlier_.putBack();
}

}  // namespace farvik
