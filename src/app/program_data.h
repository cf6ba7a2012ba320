// Loading the data files at start-up, and what happens when one is bad.
//
// refs.txt is essential: without it nothing can be computed, so its error goes to the caller.
// dst_types.txt and city_db.txt may be missing (empty list, nothing said). Each is read from the
// user's copy when there is one, else from the shipped copy (see data/program_folders.h):
//   - a copy that ends inside its records keeps the whole records before the cut;
//   - a damaged user's copy is replaced by the shipped copy for this run;
//   - otherwise the list starts empty.
// A bad user's copy is moved aside first, so that a later save by an editor can never overwrite
// the only copy of the user's data; a shipped copy in a folder of its own is never touched. All of it
// is told in one message. settings.ini and pos.ini fall back to built-in defaults and are written
// anew at the next close; a first start (no settings.ini) starts at the city nearest the computer's
// time zone, with a sky grid to see.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "data/zone_places.h"

namespace heliomark {

struct DamagedFile {
    std::filesystem::path File;
    std::string Problem;
    std::optional<std::filesystem::path> MovedTo;        // empty when it was not or could not be moved
    bool SavedOver = false;                              // saving the list writes this same file
    std::string ListName;                                // "city list", "list of daylight-saving rules"
    std::string RecordName;                              // "city", "rule"
    std::optional<std::size_t> Kept;                     // whole records kept from a file cut short
    std::optional<std::filesystem::path> LoadedInstead;  // the shipped copy read in its place
};

// The computer's time zone, for the first start's city. Empty Id: no zone known.
struct SystemZone {
    std::string Id;  // "Europe/Berlin"
    std::filesystem::path ZoneInfoFolder{SystemZoneInfoFolder};
};

// Settings, refraction table, DST rules and cities, in that order, into `state` (whose Folders are
// set). Throws DataFileError for refs.txt; returns what was wrong with the lists.
std::vector<DamagedFile> LoadProgramData(SharedState& state, const SystemZone& zone = {});

// The settings of a first start: the built-in defaults with the city nearest the zone's reference
// point (none when the zone has none) and a sky grid of 30° parallels and 45° meridians.
Settings FirstStartSettings(const CityList& cities, const SystemZone& zone);

// pos.ini, or nothing when it is missing or damaged.
std::optional<WindowPositions> LoadSavedPositions(const std::filesystem::path& file);

// Moves a damaged file aside to "<name>.damaged" (".damaged2", ... when that name is taken, so an
// earlier damaged copy is never replaced). Returns the new path, or nothing when it cannot move.
std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file);

// The one message the user is shown about the damaged files.
std::string DescribeDamagedFiles(const std::vector<DamagedFile>& files);

}  // namespace heliomark
