#include "engine_run.h"

#include <QEventLoop>

#include "frmconsola.h"

namespace farvik {
namespace {

// POSIX keeps eight bits of an exit status: -1 arrives as 255.
constexpr int kStatusOfMinusOne = 255;

}  // namespace

EngineRun::EngineRun(EngineCommand command, frmconsola* console)
    : command_(std::move(command)), console_(console) {
    process_.setProgram(command_.program);
    process_.setArguments(command_.arguments);
    process_.setWorkingDirectory(command_.workingFolder);
    // The engine writes its errors to standard error: they belong in the console too.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &EngineRun::readOutput);
    if (console_) {
        connect(console_, &frmconsola::linea, this, [this](const QString& line) {
            if (process_.state() == QProcess::Running) process_.write((line + '\n').toUtf8());
        });
        connect(console_, &frmconsola::cancelar, this, &EngineRun::cancel);
    }
}

EngineRun::~EngineRun() {
    // Never leave an engine behind writing into the results.
    if (process_.state() != QProcess::NotRunning) cancel();
}

void EngineRun::show(const QString& text) {
    if (console_) console_->mostrar(text);
}

void EngineRun::readOutput() {
    show(decoder_.decode(process_.readAllStandardOutput()));
}

int EngineRun::exec() {
    earlier_.setAside(command_.workingFolder);

    QEventLoop loop;
    bool ended = false;
    connect(&process_, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    process_.start(QIODevice::ReadWrite);
    if (!process_.waitForStarted(-1)) {
        earlier_.putBack();
        show(QStringLiteral("No se ha podido iniciar %1: %2\n")
                 .arg(command_.program, process_.errorString()));
        if (console_) console_->terminado();
        return kRunNotStarted + static_cast<int>(process_.error());
    }
    if (!ended) loop.exec();
    // The event loop also ends when the whole program is leaving: stop the engine then.
    if (process_.state() != QProcess::NotRunning) cancel();
    readOutput();
    if (console_) console_->terminado();

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
