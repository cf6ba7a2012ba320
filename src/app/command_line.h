// The program's command line: it takes no arguments of its own beyond --help and --version (the
// windowing toolkit removes its own options, such as -display, before these rules see the rest).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace heliomark {

struct CommandLineAnswer {
    enum Kind { Run, Print, Refuse } What = Run;
    std::string Text;  // what to print: to standard output for Print, to standard error for Refuse
    int ExitStatus = 0;
};

// The answer to `arguments` (without the program's name): --help and --version print and end
// with status 0 (whatever else is given); no argument runs the program; anything else is refused
// with a usage line and status 2. `version` is the program's version ("1.3").
CommandLineAnswer ReadCommandLine(const std::vector<std::string_view>& arguments, std::string_view version);

}  // namespace heliomark
