// libFuzzer target: the city database reader. A file that is read must be written back as the same
// bytes (less any trailing bytes), and the list operations must cope with whatever was read.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "data/data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace heliomark;
    CityList cities;
    try {
        cities = ParseCities("city_db.txt", data, size);
    } catch (const DataFileError&) {
        return 0;
    }
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
