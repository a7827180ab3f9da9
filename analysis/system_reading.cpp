#include "system_reading.h"

#include <sstream>

#include "engine_error.h"
#include "leer_sistema.h"

namespace farvik::analysis {

SystemReading readSystem(const std::string& bytes, const std::string& fileName) {
    SystemReading reading;
    std::istringstream in(bytes);
    try {
        const brenta::SystemData s = brenta::leer_sistema(in, fileName);
        reading.model = modelOf(s);
        reading.redundancy = s.redundancy();
        reading.structureCode = s.itipo;
        reading.seed = s.iseed;
        reading.trials = s.nsim;
    } catch (const brenta::EngineError& e) {
        reading.failure = e.what();
        reading.status = e.status();
    }
    return reading;
}

}  // namespace farvik::analysis
