#pragma once

// The phrases that head the summary's records (resumen.TXT), with the spacing the engine
// writes them with. The engine's writer puts them there and the exact check finds them
// again, word by word, so both take them from here.
namespace farvik::summary_phrases {

constexpr const char* kTrials = "RESULTADOS OBTENIDOS CON";
constexpr const char* kReliability = "LA PROBABILIDAD DE QUE EL SISTEMA FUNCIONE AL MENOS DURANTE ";
constexpr const char* kTimeUnit = "  U.T";
constexpr const char* kReliabilityIs = "         ES";
constexpr const char* kMeanLife = "ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  = ";
constexpr const char* kStandardError = "error estandar = ";
// How often each element caused the system's failure: kElement, its number (with
// kOfSubsystem and the subsystem's number outside a general system), then kCause, the
// count and kTimes.
constexpr const char* kElement = "el elemento";
constexpr const char* kOfSubsystem = " del subsistema";
constexpr const char* kCause = "es causa inmediata del fallo del sistema";
constexpr const char* kTimes = " veces";
constexpr const char* kLifeWith = "LA VIDA MEDIA DUPLICANDO EL ELEMENTO";
// After an element's number in most records of the redundancy study.
constexpr const char* kOfSubsystemInCapitals = "    DEL SUBSISTEMA";
constexpr const char* kGain = "mejora";
constexpr const char* kDeviation = "la desviación tipica es ";
constexpr const char* kBest = "EL MEJOR RESULTADO SE OBTIENE DUPLICANDO EL ELEMENTO";
constexpr const char* kAdvisable = "CONVIENE DUPLICAR EL ELEMENTO";

}  // namespace farvik::summary_phrases
