// libFuzzer target: the settings.ini reader. Settings that are read and can be written must read
// back the same, and the grid quality must always land in 4..50.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "data/data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Settings s;
    try {
        s = ParseSettings("settings.ini", text);
    } catch (const DataFileError&) {
        return 0;
    }
    if (s.GridQuality < 4 || s.GridQuality > 50) __builtin_trap();
    std::string line;
    try {
        line = SerializeSettings(s);
    } catch (const std::invalid_argument&) {
        return 0;  // a text holding a line end or quotation mark is refused by the writer
    }
    const Settings t = ParseSettings("settings.ini", line);
    if (t.ShowSecondsSetting != s.ShowSecondsSetting || t.AngleFormatSetting != s.AngleFormatSetting ||
        t.RAFormatSetting != s.RAFormatSetting || t.DefaultCitySetting != s.DefaultCitySetting ||
        t.CalendarSaveFolder != s.CalendarSaveFolder || t.GridQuality != s.GridQuality ||
        t.ParallelsDensity != s.ParallelsDensity || t.MeridiansDensity != s.MeridiansDensity ||
        t.MoveWindowsTogether != s.MoveWindowsTogether) {
        __builtin_trap();
    }
    return 0;
}
