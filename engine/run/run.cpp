#include "run.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <memory>

#include "aleat.h"
#include "engine_error.h"
#include "first_trials.h"
#include "folder_lock.h"
#include "free_form_reader.h"
#include "leer_sistema.h"
#include "program_options.h"
#include "record_writer.h"
#include "redundancy.h"
#include "regular_file.h"
#include "reliability_query.h"
#include "reliability_table.h"
#include "result_file_names.h"
#include "simulation.h"
#include "summary.h"
#include "thread_count.h"
#include "trial.h"
#include "trial_reports.h"

namespace brenta {
namespace {

namespace fs = std::filesystem;
namespace result_files = farvik::result_files;

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

    // Nothing in the folder is touched until the data file has been read whole: a run that
    // cannot start leaves the results of the one before as they were.
    if (args.size() > 1) {
        throw EngineError(kExitUsage,
                          "se esperaba un solo argumento, el nombre del fichero de datos sin "
                          "extensión (se recibieron " +
                              std::to_string(args.size()) + ")");
    }
    const FolderLock lock(dir);
    if (lock.heldElsewhere()) {
        throw EngineError(kExitFolderInUse,
                          "otra ejecución está usando la carpeta " + dir +
                              ": espera a que termine o usa otra carpeta (no se ha tocado "
                              "ningún fichero de resultados)");
    }
    std::string nombre = args.empty() ? askName(in, out) : args[0];
    if (nombre.size() > kMaxName) nombre.resize(kMaxName);
    nombre = trimRight(nombre);

    const std::string fichero = findDataFile(dir, nombre);
    const std::string wanted = dir + "/" + nombre + ".DAT";
    const farvik::OpenedFile opened = farvik::openRegularFile(fichero.empty() ? wanted : fichero);
    if (opened.fd < 0) {
        throw EngineError(kExitNoDataFile,
                          "no se puede abrir el fichero de datos " + wanted + ": " + opened.reason);
    }
    farvik::DescriptorReadBuffer dataBuffer(opened.fd);
    std::istream data(&dataBuffer);
    const SystemData s = leer_sistema(data, fichero);

    // The results of an earlier run are replaced.
    ResultFiles files;
    files.trial.fallo.create(inFolder(result_files::kFirstTrials));
    files.trial.redun.create(inFolder(result_files::kDuplicatedTrials));
    files.resumen.create(inFolder(result_files::kSummary));
    files.trial.listasis.create(inFolder(result_files::kListing));

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
    files.resumen.close();
    files.trial.listasis.close();

    writeReliabilityTable(reports.failures(), inFolder(result_files::kListing),
                          inFolder(result_files::kReliabilityTable), s.nsim, out);
}

}  // namespace

std::string findDataFile(const std::string& folder, const std::string& name) {
    const std::string exact = folder + "/" + name + ".DAT";
    std::error_code ec;
    // Whatever the name is (a folder, a pipe), it is the file meant: opening it says why it
    // cannot be read.
    if (fs::exists(exact, ec)) return exact;
    const fs::path path(exact);
    const std::string wanted = lower(path.filename().string());
    std::vector<std::string> files, others;
    for (const auto& entry : fs::directory_iterator(path.parent_path(), ec)) {
        if (lower(entry.path().filename().string()) != wanted) continue;
        (entry.is_regular_file(ec) ? files : others).push_back(entry.path().string());
    }
    if (files.empty()) files.swap(others);
    if (files.empty()) return {};
    return *std::min_element(files.begin(), files.end());
}

int runBrenta(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, const std::string& folder, const RunOptions& options) {
    const ProgramOption option = programOption(args);
    if (option != ProgramOption::None &&
        findDataFile(folder.empty() ? "." : folder, args[0]).empty()) {
        out << (option == ProgramOption::Help ? std::string(kBrentaHelp) : versionText("brenta"));
        out.flush();
        return out ? kExitOk : kExitOutputError;
    }
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
