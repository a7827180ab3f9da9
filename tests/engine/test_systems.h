#pragma once

// Builders of system data files and a runner of brenta in a temporary folder.
#include <unistd.h>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "datafile_layout.h"
#include "leer_sistema.h"
#include "run.h"

namespace brenta::testing {

struct El {
    int dist = 1;
    double p1 = 0.001;
    double p2 = 0;
    double p3 = 0;
};

inline std::string text(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

inline farvik::DataFileElement element(int group, int index, int key, const El& e) {
    farvik::DataFileElement out;
    out.group = group;
    out.index = index;
    out.key = key;
    out.distribution = std::to_string(e.dist);
    out.params = {text(e.p1), text(e.p2), text(e.p3)};
    return out;
}

// Structure codes 1 to 4: subsystems of elements.
inline farvik::DataFileContent subsystems(int code, int redun,
                                          const std::vector<std::vector<El>>& subs, int seed = 1,
                                          std::int32_t nsim = 1000) {
    farvik::DataFileContent c;
    c.structure = code;
    c.redundancy = std::to_string(redun);
    std::size_t total = 0, widest = subs.size();
    for (std::size_t i = 0; i < subs.size(); ++i) {
        c.elementsPerSubsystem.push_back(std::to_string(subs[i].size()));
        total += subs[i].size();
        widest = std::max(widest, subs[i].size());
        for (std::size_t j = 0; j < subs[i].size(); ++j) {
            c.elements.push_back(element(int(i + 1), int(j + 1), 0, subs[i][j]));
        }
    }
    c.total = std::to_string(total);
    c.dimension = std::to_string(widest);
    c.seed = std::to_string(seed);
    c.trials = std::to_string(nsim);
    return c;
}

// Structure code 5: elements by key (in the order given) and paths of keys.
inline farvik::DataFileContent general(int redun, const std::vector<std::pair<int, El>>& elements,
                                       const std::vector<std::vector<int>>& paths, int seed = 1,
                                       std::int32_t nsim = 1000) {
    farvik::DataFileContent c;
    c.structure = 5;
    c.redundancy = std::to_string(redun);
    c.total = std::to_string(elements.size());
    c.elementCount = std::to_string(elements.size());
    int largest = 0;
    for (std::size_t b = 0; b < elements.size(); ++b) {
        c.elements.push_back(element(int(b + 1), 1, elements[b].first, elements[b].second));
        largest = std::max(largest, elements[b].first);
    }
    c.dimension = std::to_string(largest);
    for (const auto& path : paths) {
        c.entriesPerPath.push_back(std::to_string(path.size()));
        std::vector<std::string> keys;
        for (int k : path) keys.push_back(std::to_string(k));
        c.pathKeys.push_back(keys);
    }
    c.seed = std::to_string(seed);
    c.trials = std::to_string(nsim);
    return c;
}

inline SystemData parse(const std::string& bytes) {
    std::istringstream in(bytes);
    return leer_sistema(in, "prueba.DAT");
}

inline SystemData systemOf(const farvik::DataFileContent& c) {
    return parse(farvik::dataFileBytes(c));
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline std::vector<std::string> linesOf(const std::string& text, const char* eol = "\r\n") {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    const std::size_t n = std::char_traits<char>::length(eol);
    while (pos < text.size()) {
        std::size_t end = text.find(eol, pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + n;
    }
    return lines;
}

// A fresh temporary folder, removed at the end of the test.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("brenta-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const { return readFile(path_ / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  private:
    std::filesystem::path path_;
};

// A run of brenta (through the library) in its own folder.
struct EngineRun {
    TempFolder folder;
    int status = -1;
    std::string out;
    std::string err;

    std::string file(const std::string& name) const { return folder.read(name); }
    std::vector<std::string> lines(const std::string& name) const { return linesOf(file(name)); }
};

inline void runIn(EngineRun& run, const std::vector<std::string>& args,
                  const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out, err;
    run.status = runBrenta(args, in, out, err, run.folder.path().string());
    run.out = out.str();
    run.err = err.str();
}

inline void runSystem(EngineRun& r, const farvik::DataFileContent& c,
                      const std::string& answers = "2\n") {
    r.folder.write("SIS.DAT", farvik::dataFileBytes(c));
    runIn(r, {"SIS"}, answers);
}

// Values of listasis.txt as written.
inline std::vector<double> listing(const EngineRun& r) {
    std::vector<double> values;
    for (const std::string& line : r.lines("listasis.txt")) values.push_back(std::stod(line));
    return values;
}

}  // namespace brenta::testing
