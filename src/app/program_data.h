// Loading the program folder's data files at start-up, and what happens when one is bad.
//
// refs.txt is essential: without it nothing can be computed, so its error goes to the caller.
// dst_types.txt and city_db.txt may be missing (empty list, nothing said); when one is present but
// damaged the program starts with an empty list and moves the file aside first, so that a later
// save by an editor can never overwrite the only copy of the user's data. settings.ini and pos.ini
// fall back to built-in defaults and are written anew at the next close.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/shared_state.h"

namespace heliomark {

struct DamagedFile {
    std::filesystem::path File;
    std::string Problem;
    std::optional<std::filesystem::path> MovedTo;  // empty when the move itself failed
    std::string ListName;                          // "city list", "list of daylight-saving rules"
};

// Settings, refraction table, DST rules and cities, in that order, into `state` (whose
// ProgramFolder is set). Throws DataFileError for refs.txt; returns the damaged lists' files.
std::vector<DamagedFile> LoadProgramData(SharedState& state);

// Where pos.ini is kept; the views' pos_views.ini lies beside it (ViewPositionsFileBeside).
std::filesystem::path WindowPositionsFile(const std::filesystem::path& programFolder);
// pos.ini, or nothing when it is missing or damaged.
std::optional<WindowPositions> LoadSavedPositions(const std::filesystem::path& programFolder);
// pos_views.ini beside pos.ini, or nothing when it is missing or damaged.
std::optional<ViewPositions> LoadSavedViewPositions(const std::filesystem::path& programFolder);

// Moves a damaged file aside to "<name>.damaged" (".damaged2", ... when that name is taken, so an
// earlier damaged copy is never replaced). Returns the new path, or nothing when it cannot move.
std::optional<std::filesystem::path> MoveAside(const std::filesystem::path& file);

// The one message the user is shown about the damaged files.
std::string DescribeDamagedFiles(const std::vector<DamagedFile>& files);

}  // namespace heliomark
