#include "app/program_data.h"

#include <system_error>

namespace heliomark {

namespace {

template <typename List, typename Loader>
void LoadList(const std::filesystem::path& file, const char* listName, List& list, Loader load,
              std::vector<DamagedFile>& damaged) {
    list.clear();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return;
    try {
        list = load(file);
    } catch (const DataFileError& e) {
        list.clear();
        damaged.push_back({file, e.Problem, MoveAside(file), listName});
    }
}

}  // namespace

std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file) {
    std::error_code ec;
    for (int n = 1; n < 1000; ++n) {
        std::filesystem::path target = file;
        target += n == 1 ? ".damaged" : ".damaged" + std::to_string(n);
        if (std::filesystem::exists(target, ec) || ec) continue;
        std::filesystem::rename(file, target, ec);
        if (!ec) return target;
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<DamagedFile> LoadProgramData(SharedState& state) {
    const std::filesystem::path& folder = state.ProgramFolder;
    state.RiseSetAltitude = DefaultRiseSetAltitude;
    try {
        state.Settings = LoadSettings(folder / "settings.ini");
    } catch (const DataFileError&) {
        state.Settings = Settings{};
    }
    state.Refraction = LoadRefractionTable(folder / "refs.txt");
    std::vector<DamagedFile> damaged;
    LoadList(folder / "dst_types.txt", "list of daylight-saving rules", state.DstRules, LoadDstRules,
             damaged);
    LoadList(folder / "city_db.txt", "city list", state.Cities, LoadCities, damaged);
    return damaged;
}

std::filesystem::path WindowPositionsFile(const std::filesystem::path& programFolder) {
    return programFolder / "pos.ini";
}

std::optional<WindowPositions> LoadSavedPositions(const std::filesystem::path& programFolder) {
    try {
        return LoadWindowPositions(WindowPositionsFile(programFolder));
    } catch (const DataFileError&) {
        return std::nullopt;
    }
}

std::optional<ViewPositions> LoadSavedViewPositions(const std::filesystem::path& programFolder) {
    try {
        return LoadViewPositions(ViewPositionsFileBeside(WindowPositionsFile(programFolder)));
    } catch (const DataFileError&) {
        return std::nullopt;
    }
}

std::string DescribeDamagedFiles(const std::vector<DamagedFile>& files) {
    std::string text;
    for (const DamagedFile& f : files) {
        if (!text.empty()) text += "\n\n";
        std::string problem = f.Problem;
        if (problem.empty() || problem.back() != '.') problem += '.';
        text += "The file " + f.File.filename().string() + " cannot be read: " + problem + "\n";
        if (f.MovedTo)
            text += "It was kept as " + f.MovedTo->filename().string() +
                    " and the program starts with an empty " + f.ListName + ".";
        else
            text += "It could not be moved aside; the program starts with an empty " + f.ListName +
                    ", and saving that list will replace the file.";
    }
    return text;
}

}  // namespace heliomark
