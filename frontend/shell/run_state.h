#pragma once

#include <optional>

#include "run_end.h"

namespace farvik {

// Where the main window's run of the engine stands. One run at a time: Ejecutar starts one
// only from Idle. While the question "¿Deseas detener la ejecución?" is open (Asking), an end
// of the engine waits for the answer: kept, the run's end is then taken as usual; stopped,
// it is taken without showing anything, since the command that asked goes on.
class RunState {
  public:
    enum class Phase { Idle, Running, Asking, Stopping };

    // An end to take now, and whether to show it (the summary, a message, the console's
    // closing) or only to settle the document's results.
    struct Taken {
        RunEnd end;
        bool shown = true;
    };

    Phase phase() const { return phase_; }
    bool idle() const { return phase_ == Phase::Idle; }

    // Idle -> Running; false in any other phase.
    bool begin();
    // Running -> Asking: the stop question is about to be asked.
    void ask();
    // The engine ended. Taken now unless the stop question is open.
    std::optional<Taken> engineEnded(const RunEnd& end);
    // The stop question answered: stop (Aceptar) or keep the run (Cancelar). An end that came
    // while it was open is taken now; otherwise a stopped run goes Stopping until its end.
    std::optional<Taken> answered(bool stop);

  private:
    Phase phase_ = Phase::Idle;
    std::optional<RunEnd> held_;
};

}  // namespace farvik
