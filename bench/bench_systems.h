#pragma once

// The systems of the engine benchmarks, as data file contents:
//   S10   10 exponential elements in series, no redundancy study;
//   R1000 parallel-series, 50 subsystems of 20 elements of four distributions, redundancy on;
//   G50   general system of 50 elements, 50 paths of 13 entries sharing them, redundancy on.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "datafile_layout.h"

namespace bench {

inline farvik::DataFileElement element(int group, int index, int key, int dist, const char* p1,
                                       const char* p2) {
    farvik::DataFileElement e;
    e.group = group;
    e.index = index;
    e.key = key;
    e.distribution = std::to_string(dist);
    e.params = {p1, p2, "0"};
    return e;
}

// One of four distributions in turn, all with lives of the same order.
inline farvik::DataFileElement mixed(int group, int index, int key, int n) {
    switch (n % 4) {
        case 0:
            return element(group, index, key, 1, "0.001", "0");
        case 1:
            return element(group, index, key, 2, "1.5", "1200");
        case 2:
            return element(group, index, key, 4, "900", "300");
        default:
            return element(group, index, key, 5, "1000", "250");
    }
}

inline farvik::DataFileContent makeCase(const std::string& name, long trials) {
    farvik::DataFileContent c;
    c.seed = "1";
    c.trials = std::to_string(trials);
    if (name == "S10") {
        c.structure = 1;
        c.redundancy = "2";
        c.total = "10";
        c.elementsPerSubsystem = {"10"};
        c.dimension = "10";
        for (int j = 1; j <= 10; ++j) c.elements.push_back(element(1, j, 0, 1, "0.001", "0"));
    } else if (name == "R1000") {
        c.structure = 4;
        c.redundancy = "1";
        c.total = "1000";
        c.dimension = "50";
        for (int i = 1; i <= 50; ++i) {
            c.elementsPerSubsystem.push_back("20");
            for (int j = 1; j <= 20; ++j) c.elements.push_back(mixed(i, j, 0, i + j));
        }
    } else if (name == "G50") {
        c.structure = 5;
        c.redundancy = "1";
        c.total = "50";
        c.elementCount = "50";
        c.dimension = "50";
        for (int k = 1; k <= 50; ++k) c.elements.push_back(mixed(k, 1, k, k));
        for (int p = 0; p < 50; ++p) {
            c.entriesPerPath.push_back("13");
            std::vector<std::string> keys;
            for (int m = 0; m < 13; ++m) keys.push_back(std::to_string((p * 7 + m * 11) % 50 + 1));
            c.pathKeys.push_back(keys);
        }
    } else {
        std::cerr << "caso desconocido: " << name << "\n";
        std::exit(2);
    }
    return c;
}

}  // namespace bench
