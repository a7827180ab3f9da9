#include "edited_system.h"

namespace farvik {

SystemData& systemData() {
    static SystemData data;
    return data;
}

std::int16_t& lastSystemType() {
    static std::int16_t last = 0;
    return last;
}

}  // namespace farvik
