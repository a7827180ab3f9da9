// fiabilidad_exacta: the exact reliability of a system data file, for scripts and tests.
//   fiabilidad_exacta NAME.DAT [t ...]
#include <iostream>
#include <string>
#include <vector>

#include "exact_command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return farvik::analysis::runExactCommand(args, std::cout, std::cerr);
}
