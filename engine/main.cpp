// brenta: the console simulation engine of Farvik.
//   brenta [name]    reads name.DAT in the current folder (asks for the name without one)
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "run.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    const std::string folder = std::filesystem::current_path(ec).string();
    return brenta::runBrenta(args, std::cin, std::cout, std::cerr, ec ? "." : folder);
}
