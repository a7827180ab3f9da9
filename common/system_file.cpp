#include "system_file.h"

#include <string>

#include "codes.h"
#include "datafile_layout.h"
#include "distributions.h"
#include "free_form_reader.h"
#include "parameter_rules.h"

namespace farvik {
namespace {

using brenta::DataFileError;
using brenta::ExitStatus;
using brenta::FreeFormReader;
constexpr int kDim = kMaxDim;

class Reader {
  public:
    Reader(std::istream& in, const std::string& fileName, bool keepValues)
        : r_(in, FreeFormReader::Source::DataFile, fileName),
          file_(fileName),
          keepValues_(keepValues) {}

    // The lines in front of the next value.
    void skip(const Lead& lead) {
        for (const LeadLine& line : lead) {
            switch (line.kind) {
                case LeadLine::Kind::Label:
                    r_.skipLabel(line.mention);
                    break;
                case LeadLine::Kind::Free:
                    r_.skipLine(line.mention);
                    break;
                case LeadLine::Kind::Empty:
                    break;  // every read passes over empty lines
            }
        }
    }
    std::int32_t integer(std::string_view what) { return r_.readInteger(what); }
    double real(std::string_view what) { return r_.readReal(what); }

    // Refuses the value just read.
    void require(bool ok, ExitStatus status, const std::string& detail) const {
        if (!ok) throw refusal(status, detail);
    }
    // Refuses a value the layout does not depend on: thrown, or only the first one kept.
    void requireValue(bool ok, ExitStatus status, const std::string& detail) {
        if (ok) return;
        if (!keepValues_) throw refusal(status, detail);
        if (!kept_) kept_ = refusal(status, detail);
    }
    const std::optional<DataFileError>& kept() const { return kept_; }
    void count(std::int32_t n, const std::string& what) const {
        require(n >= 1 && n <= kDim, brenta::kExitBadCount,
                what + " debe estar entre 1 y 50 (se leyó " + std::to_string(n) + ")");
    }

  private:
    DataFileError refusal(ExitStatus status, const std::string& detail) const {
        return DataFileError(status,
                             file_ + ", línea " + std::to_string(r_.lineNumber()) + ": " + detail,
                             r_.lineNumber(), detail);
    }

    FreeFormReader r_;
    std::string file_;
    bool keepValues_;
    std::optional<DataFileError> kept_;
};

void readHead(Reader& rd, SystemFile& s) {
    rd.skip(lead::totalLead());
    s.ntotal = rd.integer("el número total de elementos");
    rd.skip(lead::structureLead());
    s.itipo = rd.integer("el tipo de sistema");
    rd.require(
        s.itipo >= 1 && s.itipo <= 5, brenta::kExitBadStructure,
        "el tipo de sistema debe estar entre 1 y 5 (se leyó " + std::to_string(s.itipo) + ")");
    s.kclase = structureClass(s.itipo);
    rd.skip(lead::redundancyLead());
    s.iredun = rd.integer("la respuesta al estudio de redundancia");
    rd.skip(lead::structureSection());
}

void readDimension(Reader& rd, SystemFile& s, std::int32_t needed, const std::string& why) {
    rd.skip(lead::dimensionLabel());
    s.ndim = rd.integer("la dimensión de las matrices del sistema");
    rd.require(s.ndim >= needed && s.ndim <= kDim, brenta::kExitBadDimension,
               "la dimensión de las matrices debe estar entre " + std::to_string(needed) + " (" +
                   why + ") y 50 (se leyó " + std::to_string(s.ndim) + ")");
    s.createElementTables();
}

void readSubsystemStructure(Reader& rd, SystemFile& s) {
    rd.skip(lead::subsystemCountLabel());
    s.nsub = rd.integer("el número de subsistemas");
    rd.count(s.nsub, "el número de subsistemas");
    std::int32_t widest = 0;
    for (int i = 1; i <= s.nsub; ++i) {
        rd.skip(lead::elementsInSubsystemLabel(i));
        s.nelsub[i] = rd.integer("el número de elementos del subsistema " + std::to_string(i));
        rd.count(s.nelsub[i], "el número de elementos del subsistema " + std::to_string(i));
        if (s.nelsub[i] > widest) widest = s.nelsub[i];
    }
    const bool bySubsystems = s.nsub >= widest;
    readDimension(rd, s, bySubsystems ? s.nsub : widest,
                  bySubsystems ? "el número de subsistemas" : "el subsistema más largo");
}

void readPathStructure(Reader& rd, SystemFile& s) {
    rd.skip(lead::elementCountLabel());
    s.nel = rd.integer("el número de elementos");
    rd.count(s.nel, "el número de elementos");
    rd.skip(lead::pathCountLabel());
    s.ncam = rd.integer("el número de caminos");
    rd.count(s.ncam, "el número de caminos");
    for (int p = 1; p <= s.ncam; ++p) {
        rd.skip(lead::elementsInPathLabel(p));
        s.nelcam[p] = rd.integer("el número de elementos del camino " + std::to_string(p));
        rd.count(s.nelcam[p], "el número de elementos del camino " + std::to_string(p));
    }
    readDimension(rd, s, s.nel, "el número de elementos");
}

// The element as the refusals name it: "1-2" by its place, or the key in a general system.
std::string elementLabel(const SystemFile& s, int j, int i) {
    return s.kclase == kGeneralClass ? std::to_string(j)
                                     : std::to_string(i) + "-" + std::to_string(j);
}

// Refuses the parameters of element (j, i) that the distribution cannot draw from, at the
// stage of reading where the engine first has them (the rules are shared with the editor).
void checkParameters(Reader& rd, const SystemFile& s, ParameterStage stage, int j, int i) {
    const auto fault =
        parameterFault(s.distribution(j, i), stage, s.parameter(1, j, i), s.parameter(2, j, i));
    if (fault) {
        rd.requireValue(false, brenta::kExitBadParameter,
                        parameterRefusal(*fault, elementLabel(s, j, i)));
    }
}

void readElement(Reader& rd, SystemFile& s, int j, int i, bool general) {
    // The labels' numbers are written for the reader; the engine skips the labels unread.
    rd.skip(lead::elementTitle(i, j));
    if (general) {
        rd.skip(lead::keyLabel(j));
        const std::int32_t key = rd.integer("el número clave del elemento");
        rd.require(key >= 1 && key <= s.ndim, brenta::kExitBadKey,
                   "el número clave debe estar entre 1 y la dimensión " + std::to_string(s.ndim) +
                       " (se leyó " + std::to_string(key) + ")");
        for (int b = 1; b < j; ++b) {
            rd.require(s.iclave[b] != key, brenta::kExitBadKey,
                       "el número clave " + std::to_string(key) + " ya se usó en otro elemento");
        }
        s.iclave[j] = key;
        rd.skip(lead::afterKeyLine());
        j = key;
        i = 1;
    }
    rd.skip(lead::distributionLead());
    std::int32_t& code = s.distribution(j, i);
    code = rd.integer("el código de la distribución");
    rd.require(findDistribution(code) != nullptr, brenta::kExitBadDistribution,
               "el código de la distribución debe estar entre 1 y " +
                   std::to_string(kDistributionCount) + " (se leyó " + std::to_string(code) + ")");
    rd.skip(lead::parametersSection());
    for (int k = 1; k <= 3; ++k) {
        rd.skip(lead::parameterLabel(k));
        s.parameter(k, j, i) = rd.real("el parámetro " + std::to_string(k));
        if (k < 3) checkParameters(rd, s, static_cast<ParameterStage>(k), j, i);
    }
    checkParameters(rd, s, ParameterStage::Pair, j, i);
}

void readPaths(Reader& rd, SystemFile& s) {
    rd.skip(lead::pathsSection());
    s.icam.assign(static_cast<std::size_t>(s.ncam) + 1, {});
    for (int p = 1; p <= s.ncam; ++p) {
        rd.skip(lead::pathLabel(p));
        for (int m = 1; m <= s.nelcam[p]; ++m) {
            const std::int32_t key = rd.integer("un número clave del camino " + std::to_string(p));
            bool known = false;
            for (int b = 1; b <= s.nel; ++b) known = known || s.iclave[b] == key;
            rd.require(known, brenta::kExitUnknownPathKey, unknownPathKeyWords(p, key));
            s.icam[p].push_back(key);
        }
    }
}

SystemFile readAll(Reader& rd) {
    SystemFile s;
    readHead(rd, s);
    const bool general = s.itipo == kGeneral;
    if (general) {
        readPathStructure(rd, s);
        for (int b = 1; b <= s.nel; ++b) readElement(rd, s, b, 1, true);
        readPaths(rd, s);
    } else {
        readSubsystemStructure(rd, s);
        for (int i = 1; i <= s.nsub; ++i) {
            for (int j = 1; j <= s.nelsub[i]; ++j) readElement(rd, s, j, i, false);
        }
    }
    rd.skip(lead::simulationSection());
    rd.skip(lead::seedLabel());
    s.iseed = rd.integer("la semilla");
    const auto seed = seedFault(s.iseed);
    rd.requireValue(!seed, brenta::kExitBadSeed, seed.value_or(""));
    rd.skip(lead::trialsLead());
    s.nsim = rd.integer("el número de pruebas");
    const auto trials = trialsFault(s.nsim);
    rd.requireValue(!trials, brenta::kExitBadTrials, trials.value_or(""));
    return s;
}

}  // namespace

SystemFile readSystemFile(std::istream& in, const std::string& fileName) {
    Reader rd(in, fileName, false);
    return readAll(rd);
}

SystemFileReading readSystemFileKeepingValues(std::istream& in, const std::string& fileName) {
    Reader rd(in, fileName, true);
    SystemFileReading reading;
    try {
        reading.system = readAll(rd);
    } catch (const DataFileError&) {
        // The engine would have stopped at the kept value, before this fault.
        if (rd.kept()) throw DataFileError(*rd.kept());
        throw;
    }
    reading.valueRefusal = rd.kept();
    return reading;
}

}  // namespace farvik
