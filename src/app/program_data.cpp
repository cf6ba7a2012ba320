#include "app/program_data.h"

#include <system_error>

#include "data/zone_places.h"

namespace heliomark {

namespace {

bool Exists(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::exists(file, ec);
}

struct ListKind {
    std::string_view FileName;
    const char* ListName;
    const char* RecordName;
};

// One copy of a list read with salvage: the list when it is usable, and what was wrong with it.
template <typename List>
struct Attempt {
    List Records;
    bool Usable = true;
    std::optional<DamagedFile> Problem;
};

template <typename List, typename Loader>
Attempt<List> ReadCopy(const std::filesystem::path& file, const ListKind& kind, Loader load) {
    Attempt<List> attempt;
    DamagedFile problem{file,         {},          std::nullopt, false, kind.ListName, kind.RecordName,
                        std::nullopt, std::nullopt};
    Salvage salvage;
    try {
        attempt.Records = load(file, &salvage);
    } catch (const DataFileError& e) {
        problem.Problem = e.Problem;
        return {{}, false, problem};
    }
    if (!salvage.CutShort) return attempt;
    problem.Problem = salvage.Problem;
    // A file cut before its first whole record holds nothing worth keeping.
    attempt.Usable = !attempt.Records.empty();
    if (attempt.Usable) problem.Kept = attempt.Records.size();
    attempt.Problem = problem;
    return attempt;
}

template <typename List, typename Loader>
void LoadList(const ProgramFolders& folders, const ListKind& kind, List& list, Loader load,
              std::vector<DamagedFile>& damaged) {
    list.clear();
    const std::filesystem::path file = folders.ListToRead(kind.FileName);
    if (!Exists(file)) return;
    const std::filesystem::path userCopy = folders.DataFile(kind.FileName);
    Attempt<List> first = ReadCopy<List>(file, kind, load);
    if (!first.Problem) {
        list = std::move(first.Records);
        return;
    }
    // Only the user's copy is moved aside; a shipped copy is the package's (or, from a writable
    // folder of the program's own, the same file).
    if (file == userCopy) {
        first.Problem->SavedOver = true;
        first.Problem->MovedTo = MoveAside(file);
    }
    const std::filesystem::path shipped = folders.ShippedFile(kind.FileName);
    if (!first.Usable && file != shipped && Exists(shipped)) {
        Attempt<List> second = ReadCopy<List>(shipped, kind, load);
        if (second.Usable) {
            first.Problem->LoadedInstead = shipped;
            list = std::move(second.Records);
        }
        damaged.push_back(*first.Problem);
        if (second.Problem) damaged.push_back(*second.Problem);
        return;
    }
    if (first.Usable) list = std::move(first.Records);
    damaged.push_back(*first.Problem);
}

std::string Plural(std::size_t n, const std::string& record) {
    if (n == 1) return record;
    return record.back() == 'y' ? record.substr(0, record.size() - 1) + "ies" : record + "s";
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

Settings FirstStartSettings(const CityList& cities, const SystemZone& zone) {
    Settings settings;
    settings.ParallelsDensity = 3;  // the horizon and the 30° and 60° circles
    settings.MeridiansDensity = 2;  // the eight main compass directions
    if (const std::optional<GeoPoint> point = ZoneReferencePoint(zone.Id, zone.ZoneInfoFolder)) {
        if (const int k = NearestCity(cities, *point); k > 0)
            settings.DefaultCitySetting = TrimBlanks(cities[static_cast<std::size_t>(k - 1)].Name);
    }
    return settings;
}

std::vector<DamagedFile> LoadProgramData(SharedState& state, const SystemZone& zone) {
    const ProgramFolders& folders = state.Folders;
    state.ProgramFolder = folders.Shipped;
    state.RiseSetAltitude = DefaultRiseSetAltitude;
    const bool firstStart = !Exists(folders.SettingsFile());
    try {
        state.Settings = LoadSettings(folders.SettingsFile());
    } catch (const DataFileError&) {
        state.Settings = Settings{};
    }
    state.Refraction = LoadRefractionTable(folders.ShippedFile(RefractionFileName));
    std::vector<DamagedFile> damaged;
    LoadList(
        folders, {DstRulesFileName, "list of daylight-saving rules", "rule"}, state.DstRules,
        [](const std::filesystem::path& f, Salvage* s) { return LoadDstRules(f, s); }, damaged);
    LoadList(
        folders, {CitiesFileName, "city list", "city"}, state.Cities,
        [](const std::filesystem::path& f, Salvage* s) { return LoadCities(f, s); }, damaged);
    if (firstStart) state.Settings = FirstStartSettings(state.Cities, zone);
    return damaged;
}

std::optional<WindowPositions> LoadSavedPositions(const std::filesystem::path& file) {
    try {
        return LoadWindowPositions(file);
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
        text += "The file " + f.File.string() + (f.Kept ? " is cut short: " : " cannot be read: ") + problem +
                "\n";
        if (f.MovedTo)
            text += "It was kept as " + f.MovedTo->filename().string() + ". ";
        else if (f.SavedOver)
            text += "It could not be moved aside, and saving the " + f.ListName + " will replace it. ";
        text += "The program starts with ";
        if (f.Kept)
            text +=
                "the " + std::to_string(*f.Kept) + " whole " + Plural(*f.Kept, f.RecordName) + " it holds.";
        else if (f.LoadedInstead)
            text += "the shipped " + f.ListName + ", " + f.LoadedInstead->string() + ".";
        else
            text += "an empty " + f.ListName + ".";
    }
    return text;
}

}  // namespace heliomark
