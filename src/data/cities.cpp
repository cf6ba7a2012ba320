// The city database: city_db.txt, lookups and the alphabetical order of the list.
//
// File layout (little-endian, no padding): int16 count, then count records of 48 bytes: 15-byte
// Latin-1 name, double latitude (degrees north), double longitude (degrees east), int16 hour-zone
// position, 15-byte Latin-1 DST rule name. Bytes after the last record are ignored.
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

#include "data/byte_io.h"
#include "data/data.h"

namespace heliomark {

namespace {

// The most a city file can hold; anything after it is trailing bytes and never read.
constexpr std::size_t MaxCityFileBytes = 2 + 32767 * CityRecordSize;

std::string FormatValue(double v) {
    return std::isfinite(v) ? FormatGeneral(v) : (std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf"));
}

// Why a record would be refused by the reader (the rest of the program relies on these ranges:
// the hour-zone table has 75 positions, and the angle formatters need finite angles).
std::optional<std::string> CityProblem(const CityRecord& c) {
    if (!(std::isfinite(c.Latitude) && std::fabs(c.Latitude) <= 90)) {
        return "has latitude " + FormatValue(c.Latitude) + ", outside -90..90";
    }
    if (!(std::isfinite(c.Longitude) && std::fabs(c.Longitude) <= 180)) {
        return "has longitude " + FormatValue(c.Longitude) + ", outside -180..180";
    }
    if (c.ZoneIndex < 0 || c.ZoneIndex >= HourZoneCount) {
        return "has hour zone " + std::to_string(c.ZoneIndex) + ", outside 0..74";
    }
    return std::nullopt;
}

std::optional<std::string> CitiesProblem(const CityList& cities) {
    if (cities.size() > static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        return "there are " + std::to_string(cities.size()) + " cities; the file holds at most 32767";
    }
    for (std::size_t i = 0; i < cities.size(); ++i) {
        if (auto problem = CityProblem(cities[i])) {
            return detail::RecordLabel("city", i + 1, cities[i].Name) + " " + *problem;
        }
    }
    return std::nullopt;
}

// The sort key: the 15-byte field as stored on disk, lower-cased, compared as unsigned bytes. Blank
// padding (0x20) sorts before every letter, so a name sorts before its own extensions.
std::array<char, NameLength> SortKey(const std::string& name) {
    return EncodeName(LowerCaseName(name));
}

}  // namespace

std::vector<unsigned char> SerializeCities(const CityList& cities) {
    if (auto problem = CitiesProblem(cities)) throw std::invalid_argument(*problem);
    detail::ByteWriter out;
    out.Int16(static_cast<int16_t>(cities.size()));
    for (const CityRecord& c : cities) {
        detail::WriteName(out, c.Name);
        out.Double(c.Latitude);
        out.Double(c.Longitude);
        out.Int16(c.ZoneIndex);
        detail::WriteName(out, c.DstName);
    }
    return out.Take();
}

CityList ParseCities(const std::filesystem::path& file, const unsigned char* data, std::size_t size,
                     Salvage* salvage) {
    if (size == 0) throw DataFileError(file, "the file is empty");
    if (size < 2) throw DataFileError(file, "the file is too short to hold the city count");
    detail::ByteReader in(file, data, size);
    const int16_t count = in.Int16();
    if (count < 0) throw DataFileError(file, "the city count is negative (" + std::to_string(count) + ")");
    std::size_t kept = static_cast<std::size_t>(count);
    const std::size_t whole = in.Remaining() / CityRecordSize;
    if (whole < kept) {
        const std::string problem = "the city count is " + std::to_string(count) +
                                    ", but the file holds only " + std::to_string(whole) +
                                    " whole records of 48 bytes; city " + std::to_string(whole + 1) +
                                    " is cut short";
        if (!salvage) throw DataFileError(file, problem);
        *salvage = {true, problem};
        kept = whole;
    }
    CityList cities(kept);
    for (std::size_t i = 0; i < cities.size(); ++i) {
        CityRecord& c = cities[i];
        c.Name = detail::ReadName(in);
        c.Latitude = in.Double();
        c.Longitude = in.Double();
        c.ZoneIndex = in.Int16();
        c.DstName = detail::ReadName(in);
        if (auto problem = CityProblem(c)) {
            throw DataFileError(file, detail::RecordLabel("city", i + 1, c.Name) + " " + *problem);
        }
    }
    return cities;  // bytes after the last record are ignored
}

CityList LoadCities(const std::filesystem::path& file, Salvage* salvage) {
    bool truncated = false;
    const auto bytes = detail::ReadFilePrefix(file, MaxCityFileBytes, truncated);
    return ParseCities(file, bytes.data(), bytes.size(), salvage);
}

void SaveCities(const std::filesystem::path& file, const CityList& cities) {
    if (auto problem = CitiesProblem(cities)) throw DataFileError(file, "not saved: " + *problem);
    const auto bytes = SerializeCities(cities);
    WriteFileAtomically(file, bytes.data(), bytes.size());
}

int FindCity(const CityList& cities, std::string_view name) {
    const std::string wanted = LowerCaseName(name);
    for (std::size_t i = 0; i < cities.size(); ++i) {
        if (LowerCaseName(TrimBlanks(cities[i].Name)) == wanted) return static_cast<int>(i + 1);
    }
    return 0;
}

void InsertCitySorted(CityList& cities, const CityRecord& record) {
    CityRecord fitted = record;
    fitted.Name = FitName(record.Name);
    fitted.DstName = FitName(record.DstName);
    const auto key = SortKey(fitted.Name);
    // Strictly less: a name equal to one in the list (case aside) goes after it.
    std::size_t i = 0;
    while (i < cities.size() && !(std::memcmp(key.data(), SortKey(cities[i].Name).data(), NameLength) < 0))
        ++i;
    cities.insert(cities.begin() + static_cast<std::ptrdiff_t>(i), std::move(fitted));
}

void RemoveCity(CityList& cities, int index) {
    if (index < 1 || static_cast<std::size_t>(index) > cities.size()) {
        throw std::out_of_range("city " + std::to_string(index) + " does not exist");
    }
    cities.erase(cities.begin() + (index - 1));
}

}  // namespace heliomark
