// heliomark-cli: the engine, the places and the calendar from the command line. RunCli is the whole
// program behind main(), callable in-process with its arguments and two streams, so tests and the
// fuzzer drive it without starting a process.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>

#include "data/program_folders.h"

namespace heliomark::cli {

// What the program takes from its surroundings.
struct CliEnvironment {
    ProgramFolders Folders;  // the shipped data and the user's own lists, as the program finds them
    double LocalNow = 0;     // the computer's local date and time (OLE): default --date, --time
    std::chrono::sys_seconds UtcNow{};  // the moment an iCalendar file is made (its DTSTAMP)
    // Writes --output files; WriteFileAtomically unless a test or the fuzzer replaces it.
    std::function<void(const std::filesystem::path& file, const std::string& bytes)> WriteOutput;
};

// The environment of a real run: the executable's folder and the system's clock.
CliEnvironment SystemEnvironment(const char* argv0);

// Runs one command line (the arguments after the program's name). Returns the exit status: 0 done,
// 2 a usage error (one line on `err` naming the argument and the problem), 1 any other failure (a
// data file that cannot be read, an output file that cannot be written), also one line on `err`.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const CliEnvironment& env);

}  // namespace heliomark::cli
