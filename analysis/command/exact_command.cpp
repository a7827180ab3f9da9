#include "exact_command.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <istream>
#include <optional>

#include "engine_error.h"
#include "exact_system.h"
#include "importance.h"
#include "law_parameters.h"
#include "leer_sistema.h"
#include "program_options.h"
#include "regular_file.h"
#include "reliability_bounds.h"
#include "run.h"
#include "sensitivity.h"

namespace farvik::analysis {
namespace {

constexpr const char* kProgram = "fiabilidad_exacta: ";

// A time given on the command line: a whole finite number.
bool parseTime(const std::string& text, double& t) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, t);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(t);
}

// The file as the engine names and finds it: in the folder given (the current one when
// none is), and, when no file has exactly that name, one whose name differs only in case.
std::string dataFilePath(const std::string& given) {
    namespace fs = std::filesystem;
    fs::path path(given);
    std::error_code ec;
    if (path.is_relative()) {
        const fs::path here = fs::current_path(ec);
        path = (ec ? fs::path(".") : here) / path;
    }
    std::string stem = path.filename().string();
    if (stem.size() > 4) {
        std::string extension = stem.substr(stem.size() - 4);
        for (char& c : extension)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (extension == ".DAT") stem.resize(stem.size() - 4);
    }
    if (fs::exists(path, ec)) return path.string();
    return brenta::findDataFile(path.parent_path().string(), stem);
}

}  // namespace

// The manual page of fiabilidad_exacta says the same; keep them together.
const char* const kExactHelp =
    R"(Uso: fiabilidad_exacta [--importancia | --sensibilidad] NOMBRE.DAT [t ...]
Calcula la fiabilidad exacta del sistema descrito en el fichero de datos NOMBRE.DAT
(que busca como brenta: sin la extensión se añade .DAT, y vale un nombre que solo
difiere en mayúsculas) y escribe una línea por valor, con 17 cifras significativas
y punto decimal:
  R t valor                  la fiabilidad en cada tiempo t dado
  MEDIA valor error          la vida media y la cota de su error
  DUPLICANDO elemento valor  con el estudio de redundancia, la vida media con cada
                             elemento duplicado ("i-j", o su clave en un sistema general)
Con --importancia delante del nombre: en cada tiempo, para cada elemento,
  IMPORTANCIA t elemento IB IC FV RAW RRW
y después, para cada elemento, CAUSA elemento probabilidad.
Con --sensibilidad delante del nombre: para cada elemento y parámetro k,
  SENSIBILIDAD elemento k dMEDIA elasticidad
y en cada tiempo SENSIBILIDAD_R t elemento k dR elasticidad.
Un sistema general demasiado grande para el cálculo exacto no se calcula: en cada
tiempo, COTAS t inferior superior (cotas de R(t) de sus caminos y cortes), y estado 50.
Solo lee el fichero de datos: no escribe ningún fichero y puede usarse en una carpeta
donde brenta está ejecutándose.

Opciones (como único argumento, y solo si no hay un fichero de datos con ese nombre):
  --help     muestra esta ayuda y termina
  --version  muestra la versión y termina

Estado de salida:
  0       cálculo completo
  10      sin argumentos, o un tiempo que no es un número
  11-23   el fichero de datos no se puede abrir o tiene un valor no válido (como en brenta)
  40      la salida no se puede escribir
  50      el sistema es demasiado grande para el cálculo exacto

Ejemplo:
  fiabilidad_exacta SERIE.DAT 100 500
)";

std::string seventeenDigits(double value) {
    // Whatever the sign bit of a NaN the arithmetic left.
    if (std::isnan(value)) return "nan";
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

namespace {

enum class Mode { Plain, Importance, Sensitivity };

void printPlain(const ExactSystem& exact, bool redundancy, const std::vector<double>& times,
                std::ostream& out) {
    const std::vector<double> r = exact.reliabilities(times);
    for (std::size_t n = 0; n < times.size(); ++n) {
        out << "R " << seventeenDigits(times[n]) << ' ' << seventeenDigits(r[n]) << '\n';
    }
    const Estimate life = exact.meanLife();
    out << "MEDIA " << seventeenDigits(life.value) << ' ' << seventeenDigits(life.error) << '\n';
    if (redundancy) {
        const std::vector<Duplication> list = exact.duplications().value();
        for (const Duplication& d : list) {
            out << "DUPLICANDO " << exact.model().elements[d.element].label << ' '
                << seventeenDigits(d.meanLife.value) << '\n';
        }
    }
}

// Every element at each time, then each element's share of the system's failures.
void printImportance(const ExactSystem& exact, const std::vector<double>& times,
                     std::ostream& out) {
    const auto& elements = exact.model().elements;
    for (double t : times) {
        const std::vector<Importance> list = importanceAt(exact, t);
        for (std::size_t k = 0; k < list.size(); ++k) {
            const Importance& m = list[k];
            out << "IMPORTANCIA " << seventeenDigits(t) << ' ' << elements[k].label << ' '
                << seventeenDigits(m.birnbaum) << ' ' << seventeenDigits(m.criticality) << ' '
                << seventeenDigits(m.fussellVesely) << ' ' << seventeenDigits(m.achievementWorth)
                << ' ' << seventeenDigits(m.reductionWorth) << '\n';
        }
    }
    const std::vector<Estimate> causes = failureCauses(exact).value();
    for (std::size_t k = 0; k < causes.size(); ++k) {
        out << "CAUSA " << elements[k].label << ' ' << seventeenDigits(causes[k].value) << '\n';
    }
}

void printSensitivity(const ExactSystem& exact, const std::vector<double>& times,
                      std::ostream& out) {
    const auto& elements = exact.model().elements;
    const std::vector<Sensitivity> list = meanLifeSensitivities(exact).value();
    for (const Sensitivity& s : list) {
        out << "SENSIBILIDAD " << elements[s.element].label << ' ' << s.parameter << ' '
            << seventeenDigits(s.derivative) << ' ' << seventeenDigits(s.elasticity) << '\n';
    }
    for (double t : times) {
        for (const Sensitivity& s : reliabilitySensitivities(exact, t)) {
            out << "SENSIBILIDAD_R " << seventeenDigits(t) << ' ' << elements[s.element].label
                << ' ' << s.parameter << ' ' << seventeenDigits(s.derivative) << ' '
                << seventeenDigits(s.elasticity) << '\n';
        }
    }
}

}  // namespace

int runExactCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    const brenta::ProgramOption option = brenta::programOption(args);
    if (option != brenta::ProgramOption::None && dataFilePath(args[0]).empty()) {
        out << (option == brenta::ProgramOption::Help ? std::string(kExactHelp)
                                                      : brenta::versionText("fiabilidad_exacta"));
        out.flush();
        return out ? 0 : brenta::kExitOutputError;
    }
    Mode mode = Mode::Plain;
    if (!args.empty() && (args[0] == "--importancia" || args[0] == "--sensibilidad")) {
        mode = args[0] == "--importancia" ? Mode::Importance : Mode::Sensitivity;
        args.erase(args.begin());
    }
    if (args.empty()) {
        err << kProgram
            << "uso: fiabilidad_exacta [--importancia | --sensibilidad] NOMBRE.DAT [t ...]\n";
        return brenta::kExitUsage;
    }
    std::vector<double> times;
    for (std::size_t n = 1; n < args.size(); ++n) {
        double t = 0;
        if (!parseTime(args[n], t)) {
            err << kProgram << "el tiempo \"" << args[n] << "\" no es un número\n";
            return brenta::kExitUsage;
        }
        times.push_back(t);
    }
    std::optional<SystemModel> model;
    try {
        const std::string path = dataFilePath(args[0]);
        const farvik::OpenedFile opened = farvik::openRegularFile(path.empty() ? args[0] : path);
        if (opened.fd < 0) {
            throw brenta::EngineError(
                brenta::kExitNoDataFile,
                "no se puede abrir el fichero de datos " + args[0] + ": " + opened.reason);
        }
        farvik::DescriptorReadBuffer buffer(opened.fd);
        std::istream data(&buffer);
        const brenta::SystemData s = brenta::leer_sistema(data, path);
        model = modelOf(s);
        const ExactSystem exact(*model);
        switch (mode) {
            case Mode::Plain:
                printPlain(exact, s.redundancy(), times, out);
                break;
            case Mode::Importance:
                printImportance(exact, times, out);
                break;
            case Mode::Sensitivity:
                printSensitivity(exact, times, out);
                break;
        }
    } catch (const brenta::EngineError& e) {
        out.flush();
        err << kProgram << e.what() << '\n';
        return e.status();
    } catch (const TooLargeError& e) {
        // What can still be said: bounds on R at each time, from the paths and cuts.
        if (model && model->arrangement == Arrangement::Paths) {
            const PathBounds bounds(*model);
            for (double t : times) {
                const ReliabilityBounds b = bounds.at(t);
                out << "COTAS " << seventeenDigits(t) << ' ' << seventeenDigits(b.lower) << ' '
                    << seventeenDigits(b.upper) << '\n';
            }
        }
        out.flush();
        err << kProgram << "el sistema es demasiado grande para el cálculo exacto: " << e.what()
            << '\n';
        return kExitTooLarge;
    }
    out.flush();
    return out ? 0 : brenta::kExitOutputError;
}

}  // namespace farvik::analysis
