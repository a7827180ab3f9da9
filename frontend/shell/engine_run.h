#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include "earlier_results.h"
#include "main_window.h"
#include "run_progress.h"

namespace farvik {

class frmconsola;

// One run of the engine: the process, its console and the earlier results set aside.
// exec() starts the engine and waits for its end in an event loop, so that the windows stay
// usable and the console shows the engine's output as it comes.
class EngineRun : public QObject {
    Q_OBJECT
  public:
    EngineRun(EngineCommand command, frmconsola* console);
    ~EngineRun() override;

    // The engine's exit status, or kRunFailed, kRunCancelled, kRunNotStarted + the reason.
    int exec();
    // Stops the engine; the earlier results are put back. Nothing when it has ended.
    void cancel();
    const EngineCommand& command() const { return command_; }
    // The engine has started and not yet ended.
    bool running() const { return process_.state() != QProcess::NotRunning; }

  private:
    void show(const QString& text);
    void readOutput();
    // Reads the listing's size and shows how far the run is.
    void showProgress();
    double seconds() const { return clock_.nsecsElapsed() / 1e9; }

    EngineCommand command_;
    QPointer<frmconsola> console_;
    QProcess process_;
    QStringDecoder decoder_{QStringDecoder::Utf8};
    EarlierResults earlier_;
    bool cancelled_ = false;
    RunProgress progress_;
    QElapsedTimer clock_;
    QTimer poll_;
};

}  // namespace farvik
