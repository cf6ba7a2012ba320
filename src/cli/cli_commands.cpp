#include "cli/cli_commands.h"

#include <cmath>

#include "calendar/calendar_export.h"
#include "cli/json_writer.h"

namespace heliomark::cli {

namespace {

constexpr std::string_view CrLf = "\r\n";

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + CrLf.size()) {
        end = text.find(CrLf, start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::string text;
    for (const std::string& line : lines)
        text += line + std::string(lineEnd);
    return text;
}

// Every column of the table, in its order.
std::vector<CalendarColumn> AllColumns() {
    CalendarRequest everything;
    everything.Columns = {true, true, true, true, true, true, true};
    everything.Twilights.fill({true, true, true, true});
    return ChosenCalendarColumns(everything);
}

// The request the calendar window would make with the same place, period, columns and settings;
// its header's dates are ISO dates, as the command line has no locale to follow.
CalendarRequest MakeRequest(const CliOptions& o, const CliPlace& place, int year) {
    CalendarRequest r;
    r.Year = year;
    r.WholeYear = !o.Month;
    r.Month = o.Month.value_or(1);
    if (o.Columns) {
        r.Columns = {false, false, false, false, false, false, false};
        for (const std::string& key : *o.Columns) {
            if (key != "all") {
                SelectCalendarColumn(r, key);
                continue;
            }
            for (const CalendarColumn& c : AllColumns())
                SelectCalendarColumn(r, c.Key);
        }
    }
    if (const auto period = DstPeriodOf(place, year)) {
        r.DstInUse = true;
        r.DstStart = period->Start;
        r.DstEnd = period->End;
    }
    r.Latitude = DegToRad(place.Latitude);
    r.Longitude = place.Longitude;
    r.HourZone = place.Zone;
    r.HourZoneText = place.ZoneText;
    r.SelectedCity = place.City;
    r.ShowSecondsSetting = o.Seconds ? 1 : 0;
    r.AngleFormatSetting = o.Dms;
    r.RAFormatSetting = static_cast<int16_t>(o.RaFormat);
    return r;
}

std::string CalendarJson(const CalendarRequest& r) {
    JsonWriter json;
    json.Open('{');
    json.Add("year", std::to_string(r.Year));
    json.Add("month", r.WholeYear ? "null" : std::to_string(r.Month));
    json.Add("place", JsonString(CalendarPlaceName(r)));
    json.Add("zone", JsonString(r.HourZoneText));
    json.Open('[', "header");
    for (const std::string& line : SplitLines(BuildCalendarHeader(r)))
        if (!line.empty()) json.Add({}, JsonString(line));
    json.Close(']');
    const std::vector<CalendarColumn> columns = ChosenCalendarColumns(r);
    json.Open('[', "columns");
    for (const CalendarColumn& c : columns) {
        json.Open('{');
        json.Add("key", JsonString(c.Key));
        json.Add("title", JsonString(c.Title));
        json.Close('}');
    }
    json.Close(']');
    json.Open('[', "days");
    SolarState state;
    ForEachCalendarDay(r, state, [&](const SolarState& s) {
        json.Open('{');
        json.Add("date", JsonString(FormatPadded(s.Year, 4) + "-" + FormatPadded(s.Month, 2) + "-" +
                                    FormatPadded(s.Day, 2)));
        const auto values = CalendarDayValues(r, s, false);
        for (std::size_t k = 0; k < columns.size(); ++k)
            json.Add(columns[k].Key, JsonValue(values[k]));
        json.Close('}');
    });
    json.Close(']');
    json.Close('}');
    return json.Finish();
}

// The season's moment as the calendar header writes it and as an instant with its offset.
struct SeasonEvent {
    std::string_view Key, Title;
    std::optional<double> Seasons::*Slot;
};
constexpr SeasonEvent SeasonEvents[] = {
    {"vernal_equinox", "Vernal Equinox", &Seasons::Vernal},
    {"summer_solstice", "Summer Solstice", &Seasons::Summer},
    {"autumnal_equinox", "Autumnal Equinox", &Seasons::Autumnal},
    {"winter_solstice", "Winter Solstice", &Seasons::Winter},
};

EventInstant SeasonInstant(double local, double withoutDst, double zone) {
    EventInstant instant;
    // The daylight-saving hour is in the local time exactly when the time differs without it.
    instant.OffsetSeconds =
        static_cast<int32_t>(std::llround(zone * 3600)) + (local != withoutDst ? 3600 : 0);
    const auto day = static_cast<int64_t>(OleDatePart(local));
    const int64_t seconds = std::llround(OleTimePart(local) * 86400);
    instant.UnixSeconds = (day - 25569) * 86400 + seconds - instant.OffsetSeconds;
    return instant;
}

}  // namespace

std::string CalendarCommand(const CliOptions& o, const CliEnvironment& env, const CliDataFiles& files) {
    const CliPlace place = ResolvePlace(o, files);
    const CalendarRequest request = MakeRequest(o, place, o.Year.value_or(YearOf(env.LocalNow)));
    SolarState state;
    switch (o.Format) {
        case CliFormat::Csv:
            return BuildCalendarCsv(request, state);
        case CliFormat::Ics:
            return BuildCalendarIcs(request, state, env.UtcNow);
        case CliFormat::Json:
            return CalendarJson(request);
        case CliFormat::Text:
            break;
    }
    return BuildCalendarText(request, state);
}

std::string SeasonsCommand(const CliOptions& o, const CliEnvironment& env, const CliDataFiles& files) {
    const CliPlace place = ResolvePlace(o, files);
    CalendarRequest r = MakeRequest(o, place, o.Year.value_or(YearOf(env.LocalNow)));
    r.WholeYear = true;
    if (o.Format != CliFormat::Json) return Joined(SplitLines(BuildCalendarSeasonLines(r)), "\n");

    const Seasons seasons = ComputeSeasons(r.Year, 15, r.HourZone, r.DstStart, r.DstEnd, r.DstInUse);
    const Seasons plain = ComputeSeasons(r.Year, 15, r.HourZone, r.DstStart, r.DstEnd, false);
    JsonWriter json;
    json.Open('{');
    json.Add("year", std::to_string(r.Year));
    json.Add("zone", JsonString(r.HourZoneText));
    for (const SeasonEvent& e : SeasonEvents) {
        const std::optional<double>& when = seasons.*e.Slot;
        if (!when) {
            json.Add(e.Key, "null");
            continue;
        }
        json.Open('{', e.Key);
        json.Add("text", JsonString(r.DateText(OleDatePart(*when)) + " " + r.ShortTimeText(*when)));
        json.Add("instant", JsonString(FormatIsoInstant(SeasonInstant(*when, *(plain.*e.Slot), r.HourZone))));
        json.Close('}');
    }
    json.Close('}');
    return json.Finish();
}

std::string CitiesCommand(const CliOptions& o, const CliDataFiles& files) {
    const std::string search = o.SearchText ? LowerCaseName(*o.SearchText) : std::string();
    JsonWriter json;
    json.Open('[');
    std::string text;
    for (const CityRecord& city : LoadCityList(files)) {
        const std::string name = TrimBlanks(city.Name);
        if (LowerCaseName(name).find(search) == std::string::npos) continue;
        const std::string zone = HourZoneShortText(city.ZoneIndex), rule = TrimBlanks(city.DstName);
        if (o.Format != CliFormat::Json) {
            text += name + "\t" + FormatFixed(city.Latitude, 4) + "\t" + FormatFixed(city.Longitude, 4) +
                    "\t" + zone + "\t" + rule + "\n";
            continue;
        }
        json.Open('{');
        json.Add("name", JsonString(name));
        json.Add("latitude", FormatGeneral(city.Latitude));
        json.Add("longitude", FormatGeneral(city.Longitude));
        json.Add("zone", JsonString(zone));
        json.Add("zone_position", std::to_string(city.ZoneIndex));
        json.Add("dst", JsonString(rule));
        json.Close('}');
    }
    json.Close(']');
    return o.Format == CliFormat::Json ? json.Finish() : text;
}

}  // namespace heliomark::cli
