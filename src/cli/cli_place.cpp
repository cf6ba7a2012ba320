#include "cli/cli_place.h"

#include <cmath>
#include <system_error>

namespace heliomark::cli {

namespace {

// The angle as the main window's angle inputs hold it: whole degrees, whole minutes and seconds
// to three decimals, with the hemisphere apart. Computing from the same value keeps every result
// equal to the window's to the last digit.
double AsAngleInput(double degrees) {
    const Dms d = SplitDMS(std::fabs(degrees));
    return FromDMS(d.Degrees, d.Minutes, d.Seconds, 1) * (degrees < 0 ? -1 : 1);
}

std::string ZoneText(double hours) {
    if (hours == 0) return "GMT";
    const long long minutes = std::llround(std::fabs(hours) * 60);
    return std::string("GMT") + (hours < 0 ? "-" : "+") + FormatPadded(minutes / 60, 2) + ":" +
           FormatPadded(minutes % 60, 2);
}

template <typename List, typename Load>
List LoadIfPresent(const std::filesystem::path& file, Load load) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return {};
    return load(file);
}

}  // namespace

CliDataFiles DataFilesOf(const ProgramFolders& folders) {
    return {folders.ShippedFile(RefractionFileName), folders.CitiesToRead(), folders.DstRulesToRead()};
}

CityList LoadCityList(const CliDataFiles& files) {
    return LoadIfPresent<CityList>(files.Cities, [](const auto& f) { return LoadCities(f); });
}

DstRuleList LoadRuleList(const CliDataFiles& files) {
    return LoadIfPresent<DstRuleList>(files.DstRules, [](const auto& f) { return LoadDstRules(f); });
}

CliPlace ResolvePlace(const CliOptions& o, const CliDataFiles& files) {
    CliPlace place;
    std::optional<std::string> ruleName = o.Dst;
    if (o.City) {
        const CityList cities = LoadCityList(files);
        const int k = FindCity(cities, TrimBlanks(*o.City));
        if (k == 0) throw UsageError("--city: no city named " + ShownArgument(TrimBlanks(*o.City)));
        const CityRecord& city = cities[k - 1];
        place.City = CalendarCity{TrimBlanks(city.Name), city.Latitude, city.Longitude};
        place.Latitude = AsAngleInput(city.Latitude);
        place.Longitude = AsAngleInput(city.Longitude);
        place.Zone = HourZoneOffset(city.ZoneIndex);
        place.ZoneText = HourZoneShortText(city.ZoneIndex);
        if (!ruleName) {
            // A rule name that matches no rule (such as None) means no daylight saving.
            const DstRuleList rules = LoadRuleList(files);
            if (const int r = FindDstRule(rules, TrimBlanks(city.DstName))) place.Rule = rules[r - 1];
        }
    } else if (o.Latitude && o.Longitude) {
        place.Latitude = AsAngleInput(*o.Latitude);
        place.Longitude = AsAngleInput(*o.Longitude);
    }
    if (o.Zone) {
        place.Zone = o.Zone->Hours;
        place.ZoneText = o.Zone->Position ? HourZoneShortText(*o.Zone->Position) : ZoneText(o.Zone->Hours);
    }
    if (ruleName) {
        const std::string name = TrimBlanks(*ruleName);
        const DstRuleList rules = LoadRuleList(files);
        if (const int r = FindDstRule(rules, name)) {
            place.Rule = rules[r - 1];
        } else if (LowerCaseName(name) != "none") {
            throw UsageError("--dst: no daylight-saving rule named " + ShownArgument(name));
        }
    }
    return place;
}

std::optional<DstPeriod> DstPeriodOf(const CliPlace& place, int year) {
    if (!place.Rule) return std::nullopt;
    return DstPeriodForYear(*place.Rule, year);
}

ZoneSchedule ScheduleOf(const CliPlace& place, int year) {
    return {place.Zone, year, DstPeriodOf(place, year), place.Rule ? &*place.Rule : nullptr};
}

}  // namespace heliomark::cli
