#include "app/command_line.h"

namespace heliomark {

namespace {

constexpr std::string_view Usage = "Usage: heliomark [--help | --version]\n";

}  // namespace

CommandLineAnswer ReadCommandLine(const std::vector<std::string_view>& arguments, std::string_view version) {
    for (const std::string_view a : arguments) {
        if (a == "--version")
            return {CommandLineAnswer::Print, "heliomark " + std::string(version) + "\n", 0};
        if (a == "--help") {
            return {
                CommandLineAnswer::Print,
                std::string(Usage) +
                    "\nHeliomark shows where the Sun stands and what it does over a day and a year, for any\n"
                    "place on Earth: sunrise, sunset, twilights, the Sun's path in the sky and on a world "
                    "map.\n"
                    "\n"
                    "  --help     show this text and end\n"
                    "  --version  show the version and end\n"
                    "\n"
                    "Settings and window places are kept in $XDG_CONFIG_HOME/heliomark "
                    "(~/.config/heliomark),\n"
                    "your own city and daylight-saving lists in $XDG_DATA_HOME/heliomark\n"
                    "(~/.local/share/heliomark). Run from a writable folder that holds its data files, the\n"
                    "program keeps everything in that folder.\n",
                0};
        }
    }
    if (arguments.empty()) return {};
    return {CommandLineAnswer::Refuse,
            "heliomark: unknown argument '" + std::string(arguments.front()) + "'\n" + std::string(Usage), 2};
}

}  // namespace heliomark
