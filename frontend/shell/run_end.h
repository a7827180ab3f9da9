#pragma once

#include <QString>

namespace farvik {

// How a run of the engine ended, as the main window tells it to the user.
struct RunEnd {
    enum class Kind {
        Complete,     // exit status 0: every result file written
        EngineError,  // one of the engine's own error statuses: its line is in the console
        FolderInUse,  // another run holds the folder; the engine touched nothing
        Abnormal,     // killed by a signal, or a status the engine never gives
        Stopped,      // stopped from farvik (Cancelar, or a command that stops the run)
        NotStarted,   // the program could not be started
    };
    Kind kind = Kind::Complete;
    // The exit status; the signal's number for a signal; the QProcess error when not started.
    int code = 0;
    bool signalled = false;

    bool operator==(const RunEnd& o) const {
        return kind == o.kind && code == o.code && signalled == o.signalled;
    }
};

// The end of an engine process that was not stopped from farvik: by its exit status, or by
// the signal that killed it.
RunEnd endOfEngine(bool signalled, int code);

// "El motor terminó de forma anormal (señal 9)", or "(estado 3)" for a status the engine
// never gives.
QString abnormalEndText(const RunEnd& end);

}  // namespace farvik
