#include "run_end.h"

#include "engine_exit_status.h"

namespace farvik {

RunEnd endOfEngine(bool signalled, int code) {
    using namespace engine_exit;
    if (signalled) return {RunEnd::Kind::Abnormal, code, true};
    if (code == kExitOk) return {RunEnd::Kind::Complete, code, false};
    if (code == kExitFolderInUse) return {RunEnd::Kind::FolderInUse, code, false};
    if (isEngineExitStatus(code)) return {RunEnd::Kind::EngineError, code, false};
    return {RunEnd::Kind::Abnormal, code, false};
}

QString abnormalEndText(const RunEnd& end) {
    return QStringLiteral("El motor terminó de forma anormal (%1 %2)")
        .arg(end.signalled ? QStringLiteral("señal") : QStringLiteral("estado"))
        .arg(end.code);
}

}  // namespace farvik
