#include "run.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "aleat.h"
#include "engine_error.h"
#include "first_trials.h"
#include "free_form_reader.h"
#include "leer_sistema.h"
#include "record_writer.h"
#include "redundancy.h"
#include "reliability_query.h"
#include "reliability_table.h"
#include "simulation.h"
#include "summary.h"
#include "thread_count.h"
#include "trial.h"
#include "trial_reports.h"

namespace brenta {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxName = 80;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string askName(std::istream& in, std::ostream& out) {
    std::string lines;
    RecordWriter w(lines, RecordTarget::Console);
    w.line(" INTRODUCIR EL NOMBRE DEL FICHERO DE DATOS");
    w.line(" ( SIN EXTENSION: EL PROGRAMA AÑADE .DAT )");
    w.line(" ");
    out << lines;
    out.flush();
    FreeFormReader reader(in, FreeFormReader::Source::Console, "consola");
    return reader.readWord("el nombre del fichero de datos");
}

struct ResultFiles {
    TrialFiles trial;
    OutputFile resumen;
};

void run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
         const std::string& folder, const RunOptions& options) {
    const std::string dir = folder.empty() ? "." : folder;
    auto inFolder = [&dir](const char* name) { return dir + "/" + name; };

    // The results of an earlier run are replaced before anything is read.
    ResultFiles files;
    files.trial.fallo.create(inFolder("fallo.txt"));
    files.trial.redun.create(inFolder("redun.TXT"));
    files.resumen.create(inFolder("resumen.TXT"));
    files.trial.listasis.create(inFolder("listasis.txt"));

    if (args.size() > 1) {
        throw EngineError(kExitUsage,
                          "se esperaba un solo argumento, el nombre del fichero de datos sin "
                          "extensión (se recibieron " +
                              std::to_string(args.size()) + ")");
    }
    std::string nombre = args.empty() ? askName(in, out) : args[0];
    if (nombre.size() > kMaxName) nombre.resize(kMaxName);
    nombre = trimRight(nombre);

    const std::string fichero = findDataFile(dir, nombre);
    std::ifstream data;
    if (!fichero.empty()) data.open(fichero, std::ios::binary);
    if (!data.is_open()) {
        throw EngineError(kExitNoDataFile,
                          "no se puede abrir el fichero de datos " + dir + "/" + nombre + ".DAT");
    }
    const SystemData s = leer_sistema(data, fichero);
    ReliabilityQuery query = askReliabilityTimes(in, out);

    std::string text;
    appendFalloHeader(text, s);
    files.trial.fallo.drain(text);
    appendRedunHeader(text, s);
    files.trial.redun.drain(text);

    Generator generator(s.iseed);
    auto state = std::make_unique<TrialState>();
    TrialReports reports(s, query, files.trial);
    reports.simulate(s, generator, *state, options.reevaluation, runThreads(options.threads));

    appendSummaryHead(text, out, s, query, reports.life());
    appendCauses(text, s, state->ncausa);
    if (s.redundancy()) appendRedundancyReport(text, s, reports.redundancy(), reports.life().mean);
    files.resumen.drain(text);
    out.flush();

    files.trial.fallo.close();
    files.trial.redun.close();
    data.close();
    files.resumen.close();
    files.trial.listasis.close();

    writeReliabilityTable(reports.failures(), inFolder("listasis.txt"), inFolder("tablafia.txt"),
                          s.nsim, out);
}

}  // namespace

std::string findDataFile(const std::string& folder, const std::string& name) {
    const std::string exact = folder + "/" + name + ".DAT";
    std::error_code ec;
    if (fs::is_regular_file(exact, ec)) return exact;
    const fs::path path(exact);
    const std::string wanted = lower(path.filename().string());
    std::vector<std::string> matches;
    for (const auto& entry : fs::directory_iterator(path.parent_path(), ec)) {
        if (lower(entry.path().filename().string()) == wanted && entry.is_regular_file(ec)) {
            matches.push_back(entry.path().string());
        }
    }
    if (matches.empty()) return {};
    return *std::min_element(matches.begin(), matches.end());
}

int runBrenta(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, const std::string& folder, const RunOptions& options) {
    try {
        run(args, in, out, folder, options);
    } catch (const EngineError& e) {
        out.flush();
        err << "brenta: " << e.what() << '\n';
        return e.status();
    }
    return kExitOk;
}

}  // namespace brenta
