#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include "earlier_results.h"
#include "main_window.h"
#include "run_end.h"
#include "run_progress.h"

namespace farvik {

class frmconsola;

// One run of the engine: the process, its console and the earlier results set aside. It is
// driven by the process's signals: start() returns at once, the console shows the engine's
// output as it comes, and ended() tells how the run ended, once.
class EngineRun : public QObject {
    Q_OBJECT
  public:
    enum class State { Ready, Starting, Running, Stopping, Ended };

    EngineRun(EngineCommand command, frmconsola* console, QObject* parent = nullptr);
    // Stops an engine still at work, without a word: nothing may go on writing the results.
    ~EngineRun() override;

    // Sets the earlier results aside and starts the engine. An engine that cannot be started
    // ends the run at once (ended() may come before start() returns).
    void start();
    // Stops the engine and puts the earlier results back; ended() with a stopped end comes
    // before it returns. Nothing once the run has ended.
    void cancel();

    State state() const { return state_; }
    // The engine has been started and has not yet ended.
    bool running() const { return state_ == State::Starting || state_ == State::Running; }
    const EngineCommand& command() const { return command_; }
    const RunEnd& end() const { return end_; }

  signals:
    void ended(const farvik::RunEnd& end);

  private:
    void show(const QString& text);
    void readOutput();
    // Reads the listing's size and shows how far the run is.
    void showProgress();
    double seconds() const { return clock_.nsecsElapsed() / 1e9; }
    void processStarted();
    void processFailed(QProcess::ProcessError error);
    void processFinished(int code, QProcess::ExitStatus status);
    // Puts the earlier results back, holding the folder meanwhile.
    void restoreEarlier(bool engineWroteNothing);
    void finish(const RunEnd& end);

    EngineCommand command_;
    QPointer<frmconsola> console_;
    QProcess process_;
    QStringDecoder decoder_{QStringDecoder::Utf8};
    EarlierResults earlier_;
    State state_ = State::Ready;
    RunEnd end_;
    RunProgress progress_;
    QElapsedTimer clock_;
    QTimer poll_;
};

}  // namespace farvik
