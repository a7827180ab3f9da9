#include "engine_run.h"

#include <QFile>
#include <QFileInfo>

#include "engine_exit_status.h"
#include "file_names.h"
#include "folder_hold.h"
#include "frmconsola.h"
#include "result_file_names.h"

namespace farvik {
namespace {

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

EngineRun::EngineRun(EngineCommand command, frmconsola* console, QObject* parent)
    : QObject(parent),
      command_(std::move(command)),
      console_(console),
      progress_(trialsToRun(command_)) {
    process_.setProgram(command_.program);
    process_.setArguments(command_.arguments);
    process_.setWorkingDirectory(command_.workingFolder);
    // The engine writes its errors to standard error: they belong in the console too.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &EngineRun::readOutput);
    connect(&process_, &QProcess::started, this, &EngineRun::processStarted);
    connect(&process_, &QProcess::errorOccurred, this, &EngineRun::processFailed);
    connect(&process_, &QProcess::finished, this, &EngineRun::processFinished);
    poll_.setInterval(kProgressMs);
    connect(&poll_, &QTimer::timeout, this, &EngineRun::showProgress);
    if (console_) {
        connect(console_, &frmconsola::lineEntered, this, [this](const QString& line) {
            if (state_ != State::Running) return;
            process_.write((line + '\n').toUtf8());
            // The trials begin once the last question is answered: the estimate of the
            // time left counts from the last answer.
            progress_.begin(seconds());
        });
        connect(console_, &frmconsola::cancelRequested, this, &EngineRun::cancel);
    }
}

EngineRun::~EngineRun() {
    if (!running()) return;
    blockSignals(true);
    cancel();
}

void EngineRun::show(const QString& text) {
    if (console_) console_->display(text);
}

void EngineRun::readOutput() {
    show(decoder_.decode(process_.readAllStandardOutput()));
}

void EngineRun::showProgress() {
    // The engine creates the listing under this very name.
    const QFileInfo listing(command_.workingFolder + QLatin1Char('/') +
                            QString::fromLatin1(result_files::kListing));
    progress_.observe(listing.exists() ? listing.size() : 0, seconds());
    if (console_) console_->updateProgress(progress_);
}

void EngineRun::start() {
    if (state_ != State::Ready) return;
    clock_.start();
    progress_.begin(0);
    {
        // The earlier results are set aside only while no other run can be writing them.
        FolderHold hold(command_.workingFolder);
        if (hold.heldElsewhere()) {
            show(QStringLiteral("Otra ejecución está usando la carpeta %1; no se ha iniciado "
                                "el motor.\n")
                     .arg(command_.workingFolder));
            if (console_) console_->engineEnded();
            finish({RunEnd::Kind::FolderInUse, engine_exit::kExitFolderInUse, false});
            return;
        }
        earlier_.setAside(command_.workingFolder);
    }  // let go: the engine holds the folder itself for its whole run
    state_ = State::Starting;
    process_.start(QIODevice::ReadWrite);
}

void EngineRun::processStarted() {
    if (state_ != State::Starting) return;
    state_ = State::Running;
    showProgress();
    poll_.start();
}

void EngineRun::processFailed(QProcess::ProcessError error) {
    // Errors of a running engine (a crash, a write to a closed input) end in finished().
    if (state_ != State::Starting || error != QProcess::FailedToStart) return;
    restoreEarlier(false);
    show(QStringLiteral("No se ha podido iniciar %1: %2\n")
             .arg(command_.program, process_.errorString()));
    if (console_) console_->engineEnded();
    finish({RunEnd::Kind::NotStarted, static_cast<int>(error), false});
}

void EngineRun::processFinished(int code, QProcess::ExitStatus status) {
    if (state_ == State::Ended) return;
    poll_.stop();
    readOutput();
    const RunEnd end = state_ == State::Stopping ? RunEnd{RunEnd::Kind::Stopped, code, false}
                                                 : endOfEngine(status == QProcess::CrashExit, code);
    // A run that did not end well leaves empty or partial results: the earlier ones come
    // back. An engine refused by the folder's lock touched nothing there.
    if (end.kind != RunEnd::Kind::Complete) restoreEarlier(end.kind == RunEnd::Kind::FolderInUse);
    if (console_) {
        if (end.kind == RunEnd::Kind::Abnormal) show(abnormalEndText(end) + QLatin1Char('\n'));
        if (end.kind == RunEnd::Kind::Stopped) {
            console_->showStopped(progress_);
        } else {
            const bool complete = end.kind == RunEnd::Kind::Complete;
            if (complete) showProgress();
            console_->showRunTime(seconds(), complete);
        }
        console_->engineEnded();
    }
    finish(end);
}

void EngineRun::restoreEarlier(bool engineWroteNothing) {
    // Another run may have taken the folder the moment this one ended: what it writes there
    // stays, and only what was set aside returns, under the names still free.
    FolderHold hold(command_.workingFolder);
    if (engineWroteNothing || hold.heldElsewhere())
        earlier_.putBackBeside();
    else
        earlier_.putBack();
}

void EngineRun::finish(const RunEnd& end) {
    state_ = State::Ended;
    end_ = end;
    emit ended(end);
}

void EngineRun::cancel() {
    if (!running()) return;
    state_ = State::Stopping;
    // The progress line stops where the run was.
    progress_.observe(QFileInfo(command_.workingFolder + QLatin1Char('/') +
                                QString::fromLatin1(result_files::kListing))
                          .size(),
                      seconds());
    process_.kill();
    // The process's end comes through finished() within the wait, so the run has ended and
    // the earlier results are back when cancel() returns.
    process_.waitForFinished(-1);
}

}  // namespace farvik
