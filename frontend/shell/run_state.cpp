#include "run_state.h"

namespace farvik {

bool RunState::begin() {
    if (phase_ != Phase::Idle) return false;
    phase_ = Phase::Running;
    held_.reset();
    return true;
}

void RunState::ask() {
    if (phase_ == Phase::Running) phase_ = Phase::Asking;
}

std::optional<RunState::Taken> RunState::engineEnded(const RunEnd& end) {
    switch (phase_) {
        case Phase::Running:
            phase_ = Phase::Idle;
            return Taken{end, true};
        case Phase::Asking:
            held_ = end;
            return std::nullopt;
        case Phase::Stopping:
            phase_ = Phase::Idle;
            return Taken{end, false};
        case Phase::Idle:
            break;
    }
    return std::nullopt;
}

std::optional<RunState::Taken> RunState::answered(bool stop) {
    if (phase_ != Phase::Asking) return std::nullopt;
    if (held_) {
        phase_ = Phase::Idle;
        const RunEnd end = *held_;
        held_.reset();
        return Taken{end, !stop};
    }
    phase_ = stop ? Phase::Stopping : Phase::Running;
    return std::nullopt;
}

}  // namespace farvik
