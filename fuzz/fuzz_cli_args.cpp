// libFuzzer target: heliomark-cli's command line. The input is the argument list, arguments
// separated by NUL bytes. Whatever the arguments, the program must end with status 0, 1 or 2; a
// usage error says so on exactly one line, a success says nothing on the error stream. Output
// files are not written.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "data/data.h"

namespace {

// A program folder with a small city list, two rules and a refraction table of its own.
const heliomark::cli::CliEnvironment& Environment() {
    using namespace heliomark;
    static const cli::CliEnvironment env = [] {
        char pattern[] = "/tmp/heliomark-fuzz-cli-XXXXXX";
        const std::filesystem::path folder = ::mkdtemp(pattern) ? pattern : "/tmp";
        DstRule europe{"Europe", {1, 5, 3}, {1, 5, 10}, {}};
        DstRule listed{"Listed", {}, {}, {{2024, DateSerial(2024, 10, 6), DateSerial(2024, 4, 7)}}};
        SaveDstRules(folder / "dst_types.txt", {europe, listed});
        SaveCities(folder / "city_db.txt", {{"Berlin", 52.5244, 13.4105, 27, "Europe"},
                                            {"Longyearbyen", 78.2233, 15.6469, 27, "Europe"},
                                            {"South Pole", -90, 0, 25, "None"},
                                            {"Sydney", -33.8678, 151.2073, 67, "Listed"}});
        std::vector<double> table;
        for (int i = 0; i < 139; ++i) {
            const double altitude = -0.1 + i * 0.012;
            table.push_back(altitude);
            table.push_back(altitude + 0.0002);
        }
        WriteFileAtomically(folder / "refs.txt", table.data(), table.size() * sizeof(double));
        cli::CliEnvironment e;
        e.Folders = {folder, folder, folder};
        e.LocalNow = DateSerial(2024, 6, 21) + 0.5;
        e.UtcNow = std::chrono::sys_days{std::chrono::year(2024) / 6 / 21};
        e.WriteOutput = [](const std::filesystem::path&, const std::string&) {};
        return e;
    }();
    return env;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (size > 0) args.push_back(current);

    std::ostringstream out, err;
    const int status = heliomark::cli::RunCli(args, out, err, Environment());
    const std::string message = err.str();
    const auto lines = std::count(message.begin(), message.end(), '\n');
    if (status == 0 && !message.empty()) __builtin_trap();
    if (status != 0 && (lines != 1 || message.back() != '\n')) __builtin_trap();
    if (status != 0 && status != 1 && status != 2) __builtin_trap();
    return 0;
}
