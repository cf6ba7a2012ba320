#include "data/zone_places.h"

#include <cmath>
#include <limits>
#include <system_error>

#include "engine/engine.h"

namespace heliomark {

namespace {

// The zone tables are a few tens of kilobytes; the cap only guards against a wrong file.
constexpr std::size_t MaxZoneTableBytes = 1 << 20;

// One signed coordinate of `degreeDigits` degree digits, then minutes and optional seconds.
std::optional<double> ParseCoordinate(std::string_view text, std::size_t degreeDigits) {
    if (text.size() != 1 + degreeDigits + 2 && text.size() != 1 + degreeDigits + 4) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    int parts[3] = {0, 0, 0};
    std::size_t at = 1;
    for (int p = 0; at < text.size(); ++p) {
        const std::size_t width = p == 0 ? degreeDigits : 2;
        for (std::size_t i = 0; i < width; ++i, ++at) {
            if (text[at] < '0' || text[at] > '9') return std::nullopt;
            parts[p] = parts[p] * 10 + (text[at] - '0');
        }
    }
    if (parts[1] >= 60 || parts[2] >= 60) return std::nullopt;
    const double value = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    return text[0] == '-' ? -value : value;
}

std::string_view Field(std::string_view line, int index) {
    for (int i = 0; i < index; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return {};
        line.remove_prefix(tab + 1);
    }
    return line.substr(0, line.find('\t'));
}

std::optional<GeoPoint> FindZoneInFile(const std::filesystem::path& file, std::string_view zoneId) {
    try {
        const std::vector<unsigned char> bytes = ReadWholeFile(file, MaxZoneTableBytes);
        return FindZoneInTable(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                               zoneId);
    } catch (const DataFileError&) {
        return std::nullopt;
    }
}

// The zone id of a path inside a zoneinfo folder: what follows ".../zoneinfo/".
std::string ZoneIdOfPath(const std::filesystem::path& target) {
    const std::string text = target.lexically_normal().string();
    const std::string marker = "zoneinfo/";
    const std::size_t at = text.rfind(marker);
    return at == std::string::npos ? std::string() : text.substr(at + marker.size());
}

}  // namespace

std::optional<GeoPoint> ParseIso6709(std::string_view text) {
    // The longitude starts at the second sign.
    const std::size_t split = text.find_first_of("+-", 1);
    if (split == std::string_view::npos) return std::nullopt;
    const std::optional<double> latitude = ParseCoordinate(text.substr(0, split), 2);
    const std::optional<double> longitude = ParseCoordinate(text.substr(split), 3);
    if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180)
        return std::nullopt;
    return GeoPoint{*latitude, *longitude};
}

std::optional<GeoPoint> FindZoneInTable(std::string_view tableText, std::string_view zoneId) {
    if (zoneId.empty()) return std::nullopt;
    while (!tableText.empty()) {
        const std::size_t end = tableText.find('\n');
        std::string_view line = tableText.substr(0, end);
        tableText = end == std::string_view::npos ? std::string_view() : tableText.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (Field(line, 2) == zoneId) return ParseIso6709(Field(line, 1));
    }
    return std::nullopt;
}

std::optional<GeoPoint> ZoneReferencePoint(std::string_view zoneId,
                                           const std::filesystem::path& zoneInfoFolder) {
    for (const char* table : {"zone1970.tab", "zone.tab"})
        if (auto point = FindZoneInFile(zoneInfoFolder / table, zoneId)) return point;
    // An old name is a link to the zone that replaced it; the tables list only the new name.
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(zoneInfoFolder / zoneId, ec);
    const std::filesystem::path folder = std::filesystem::canonical(zoneInfoFolder, ec);
    if (ec || resolved.empty()) return std::nullopt;
    const std::string target = resolved.lexically_relative(folder).string();
    if (target.empty() || target == zoneId || target.rfind("..", 0) == 0) return std::nullopt;
    for (const char* table : {"zone1970.tab", "zone.tab"})
        if (auto point = FindZoneInFile(zoneInfoFolder / table, target)) return point;
    return std::nullopt;
}

std::string ZoneIdOfLocaltime(const std::filesystem::path& localtime) {
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(localtime, ec);
    return ec ? std::string() : ZoneIdOfPath(target);
}

int NearestCity(const CityList& cities, const GeoPoint& point) {
    // Haversine central angle; only its order matters, so the half-chord squared is compared.
    const double lat = DegToRad(point.Latitude);
    int best = 0;
    double bestChord = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const double cityLat = DegToRad(cities[i].Latitude);
        const double sinLat = std::sin((cityLat - lat) / 2);
        const double sinLon = std::sin(DegToRad(cities[i].Longitude - point.Longitude) / 2);
        const double chord = sinLat * sinLat + std::cos(lat) * std::cos(cityLat) * sinLon * sinLon;
        if (chord < bestChord) {
            bestChord = chord;
            best = static_cast<int>(i + 1);
        }
    }
    return best;
}

}  // namespace heliomark
