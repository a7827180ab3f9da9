#pragma once

#include <stdexcept>
#include <string>

#include "engine_exit_status.h"

namespace brenta {

// The exit statuses (ExitStatus, kExit...) are shared with the front end, which reads them.
using namespace farvik::engine_exit;

// Thrown for every error that ends a run; main() prints the message on standard error
// and exits with the status.
class EngineError : public std::runtime_error {
  public:
    EngineError(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus status() const { return status_; }

  private:
    ExitStatus status_;
};

}  // namespace brenta
