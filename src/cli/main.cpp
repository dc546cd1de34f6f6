#include "cli/Commands.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return morvane::cli::Run(args, std::cout, std::cerr);
}
