// The one program-wide record: the current place, date, zone and time with the computed solar
// values (inherited from the engine's SolarState), and the tables and settings loaded at start-up.
// Only the main window's update operations write the place, date and zone; views only read.
#pragma once

#include <filesystem>

#include "data/data.h"
#include "data/dictionary.h"
#include "data/program_folders.h"
#include "engine/engine.h"

namespace heliomark {

struct SharedState : SolarState {
    ProgramFolders Folders;               // where each file is read and written
    std::filesystem::path ProgramFolder;  // the shipped data folder (Folders.Shipped): refs, pictures
    CityList Cities;                      // city k is Cities[k - 1]
    DstRuleList DstRules;                 // rule k is DstRules[k - 1]; 0 in the lists means "None"
    RefractionTable Refraction;           // refs.txt
    ::heliomark::Settings Settings;       // settings.ini
    ::heliomark::Dictionary Dictionary;   // dict.txt, read when the dictionary window first opens
    // Universal time of day in days: local time minus ZoneHours / 24. It may lie outside 0..1, and
    // is what keeps the Sun where it is when the zone or the DST state changes.
    double UTFraction = 0;
};

}  // namespace heliomark
