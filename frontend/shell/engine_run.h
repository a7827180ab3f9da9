#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>

#include "earlier_results.h"
#include "main_window.h"

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

  private:
    void show(const QString& text);
    void readOutput();

    EngineCommand command_;
    QPointer<frmconsola> console_;
    QProcess process_;
    QStringDecoder decoder_{QStringDecoder::Utf8};
    EarlierResults earlier_;
    bool cancelled_ = false;
};

}  // namespace farvik
