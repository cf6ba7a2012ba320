// Where Heliomark's files are: the one place that decides it, for the program, its command-line tool
// and anything else that reads or writes the same files. Plain C++; the windowing side only hands in
// the user's folders as its toolkit reports them.
//
// Two kinds of folder:
//   - the shipped data folder holds what comes with the program: refs.txt, dict.txt, the pictures,
//     and the shipped city_db.txt and dst_types.txt. It is the executable's own folder when that
//     holds refs.txt (the build tree, a portable copy), otherwise <prefix>/share/heliomark, found
//     beside the executable's bin folder so that any install prefix works. Only ever read.
//   - the user's folders: settings.ini and pos.ini (and any other file of window places) in the
//     config folder, the user's own city_db.txt and dst_types.txt in the data folder. A program
//     that runs from a writable folder of its own keeps all of them beside the shipped files, as
//     it always has; an installed program keeps them in the user's XDG folders
//     (~/.config/heliomark and ~/.local/share/heliomark), even when it could write its shipped
//     folder (root, a prefix in the home folder): that folder belongs to the package.
//
// A list is read from the user's copy when there is one, else from the shipped copy; saving a list
// always writes the user's copy.
//
// Typical use (the command-line tool, without any toolkit):
//     const ProgramFolders folders = FindProgramFolders(ExecutableFolder(), XdgUserFolders());
//     const CityList cities = LoadCities(folders.CitiesToRead());
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace heliomark {

// The name of the program's folder inside the XDG folders and under <prefix>/share.
inline constexpr std::string_view ApplicationFolderName = "heliomark";

inline constexpr std::string_view RefractionFileName = "refs.txt";
inline constexpr std::string_view CitiesFileName = "city_db.txt";
inline constexpr std::string_view DstRulesFileName = "dst_types.txt";
inline constexpr std::string_view SettingsFileName = "settings.ini";
inline constexpr std::string_view PositionsFileName = "pos.ini";

// The per-user places for the program's files, already ending in the program's own folder.
struct UserFolders {
    std::filesystem::path Config;  // settings.ini, pos.ini
    std::filesystem::path Data;    // the user's city_db.txt and dst_types.txt
};

struct ProgramFolders {
    std::filesystem::path Shipped;  // read only
    std::filesystem::path Config;
    std::filesystem::path Data;

    // True when the user's files sit beside the shipped ones (a writable folder of the program's own).
    bool UserFilesBesideShipped() const { return Config == Shipped && Data == Shipped; }

    std::filesystem::path ShippedFile(std::string_view name) const { return Shipped / name; }
    std::filesystem::path ConfigFile(std::string_view name) const { return Config / name; }
    std::filesystem::path DataFile(std::string_view name) const { return Data / name; }

    // The copy of a list file (city_db.txt, dst_types.txt) to read: the user's copy when it exists,
    // else the shipped copy.
    std::filesystem::path ListToRead(std::string_view name) const;
    std::filesystem::path CitiesToRead() const { return ListToRead(CitiesFileName); }
    std::filesystem::path DstRulesToRead() const { return ListToRead(DstRulesFileName); }
    // Where saving a list writes: always the user's copy.
    std::filesystem::path CitiesToWrite() const { return DataFile(CitiesFileName); }
    std::filesystem::path DstRulesToWrite() const { return DataFile(DstRulesFileName); }
    std::filesystem::path SettingsFile() const { return ConfigFile(SettingsFileName); }
    std::filesystem::path PositionsFile() const { return ConfigFile(PositionsFileName); }
};

// The folder of the running executable (from /proc/self/exe); empty when it cannot be told.
std::filesystem::path ExecutableFolder();

// The user's folders by the XDG base-directory rules, as Qt's QStandardPaths finds them on Linux:
// $XDG_CONFIG_HOME (else $HOME/.config) and $XDG_DATA_HOME (else $HOME/.local/share), each followed
// by "heliomark". A relative XDG variable is ignored, as the rules ask.
UserFolders XdgUserFolders();

// Whether this process may create files in `folder` (the access(2) test: a read-only mount or
// missing write permission says no; root passes permission checks).
bool IsWritableFolder(const std::filesystem::path& folder);

// The folders for an executable in `executableFolder`. `isWritable` decides whether a shipped folder
// beside the executable may hold the user's files too (tests inject it: root writes anywhere).
ProgramFolders FindProgramFolders(
    const std::filesystem::path& executableFolder, const UserFolders& user,
    const std::function<bool(const std::filesystem::path&)>& isWritable = IsWritableFolder);

// Creates the folder a file is about to be saved in, with its missing parents (new folders get mode
// 0700, as the XDG rules ask for). Failures are left to the write that follows, which reports them.
void CreateFolderFor(const std::filesystem::path& file);

}  // namespace heliomark
