// libFuzzer target: the city database reader. A file that is read must be written back as the same
// bytes (less any trailing bytes), and the list operations must cope with whatever was read. A file
// cut short is salvaged: its whole records, and only those, come back.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "data/data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    Salvage salvage;
    CityList kept;
    try {
        kept = ParseCities("city_db.txt", data, size, &salvage);
    } catch (const DataFileError&) {
        kept.clear();
    }
    if (salvage.CutShort) {
        // The kept records are the file's own bytes after the count; none of the cut one is used.
        const auto bytes = SerializeCities(kept);
        if (kept.size() * CityRecordSize > size - 2 ||
            std::memcmp(bytes.data() + 2, data + 2, bytes.size() - 2) != 0)
            __builtin_trap();
    }
    CityList cities;
    try {
        cities = ParseCities("city_db.txt", data, size);
    } catch (const DataFileError&) {
        return 0;
    }
    if (salvage.CutShort || kept.size() != cities.size()) __builtin_trap();  // salvage changes nothing good
    const auto bytes = SerializeCities(cities);
    if (bytes.size() > size || std::memcmp(bytes.data(), data, bytes.size()) != 0) __builtin_trap();
    if (!cities.empty()) {
        const CityRecord first = cities.front();
        if (FindCity(cities, LowerCaseName(TrimBlanks(first.Name))) == 0) __builtin_trap();
        InsertCitySorted(cities, first);
        RemoveCity(cities, static_cast<int>(cities.size()));
    }
    return 0;
}
