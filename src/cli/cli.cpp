// RunCli: reads the command line, runs its command and writes the result where it is asked for.
#include "cli/cli.h"

#include <unistd.h>

#include <ctime>

#include "calendar/calendar_export.h"
#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "data/data.h"

namespace heliomark::cli {

namespace {

constexpr const char* CliVersion = HELIOMARK_VERSION;

// A message on one line, whatever the problem's text holds.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

std::string RunCommand(const CliOptions& o, const CliEnvironment& env) {
    const CliDataFiles files = DataFilesOf(env.Folders);
    switch (o.Command) {
        case CliCommand::Day:
            return DayCommand(o, env, files);
        case CliCommand::Calendar:
            return CalendarCommand(o, env, files);
        case CliCommand::Seasons:
            return SeasonsCommand(o, env, files);
        case CliCommand::Cities:
            return CitiesCommand(o, files);
        case CliCommand::None:
            break;
    }
    return {};
}

}  // namespace

CliEnvironment SystemEnvironment(const char* argv0) {
    CliEnvironment env;
    std::filesystem::path folder = ExecutableFolder();
    std::error_code ec;
    if (folder.empty()) folder = std::filesystem::absolute(argv0 ? argv0 : "", ec).parent_path();
    env.Folders = FindProgramFolders(folder, XdgUserFolders());
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    env.LocalNow = OleDateTime(DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                               TimeSerial(local.tm_hour, local.tm_min, local.tm_sec));
    env.UtcNow = std::chrono::sys_seconds(std::chrono::seconds(now));
    env.WriteOutput = [](const std::filesystem::path& file, const std::string& bytes) {
        WriteFileAtomically(file, bytes.data(), bytes.size());
    };
    return env;
}

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const CliEnvironment& env) {
    try {
        const CliOptions options = ParseCliArguments(args);
        if (options.Help) {
            out << CliUsage();
            return 0;
        }
        if (options.Version) {
            out << "heliomark-cli " << CliVersion << "\n";
            return 0;
        }
        const std::string output = RunCommand(options, env);
        if (options.Output) {
            env.WriteOutput(*options.Output, output);
        } else {
            out << output;
            out.flush();
            if (!out) {
                err << "heliomark-cli: the output cannot be written\n";
                return 1;
            }
        }
        return 0;
    } catch (const UsageError& e) {
        err << "heliomark-cli: " << OneLine(e.what()) << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "heliomark-cli: " << OneLine(e.what()) << "\n";
        return 1;
    } catch (...) {
        err << "heliomark-cli: an unexpected failure\n";
        return 1;
    }
}

}  // namespace heliomark::cli
