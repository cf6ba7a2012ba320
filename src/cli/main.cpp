// heliomark-cli: the Sun's values from the command line, on the same engine and data as Heliomark.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return heliomark::cli::RunCli(args, std::cout, std::cerr,
                                  heliomark::cli::SystemEnvironment(argc > 0 ? argv[0] : nullptr));
}
