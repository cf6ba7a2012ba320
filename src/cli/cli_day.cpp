// heliomark-cli day: the values of one day and one moment, as the main window and its views write
// them.
#include <array>
#include <cmath>

#include "calendar/calendar_export.h"
#include "cli/cli_commands.h"
#include "cli/json_writer.h"
#include "engine/readouts.h"
#include "engine/sun_events_text.h"

namespace heliomark::cli {

namespace {

// One read-out: its JSON key, its label as the windows show it, its text, and for an event the
// day number it was made from.
struct Readout {
    std::string Key, Label, Text;
    std::optional<double> Event;  // a day number (NoValue when the event does not happen)
};

// What the Sun Events window shows: the golden and blue hours, the directions of sunrise and
// sunset, the crossings of the chosen altitude and the shadow of a 1 m stick now.
void AddSunEvents(std::vector<Readout>& list, const SolarState& day, const SolarState& now, double refracted,
                  const ZoneSchedule& schedule, const CliOptions& o) {
    const int32_t sec = o.Seconds ? 1 : 0;
    const SunEventsReadouts e = ComputeSunEventsReadouts(
        day, o.Altitude, [&schedule](double date) { return schedule.ZoneHoursOn(date); }, sec, o.Dms);
    const char* const hour[2] = {"golden_hour", "blue_hour"};
    const char* const title[2] = {"Golden Hour", "Blue Hour"};
    const char* const part[4] = {"morning_starts", "morning_ends", "evening_starts", "evening_ends"};
    const char* const caption[4] = {"Morning Starts", "Morning Ends", "Evening Starts", "Evening Ends"};
    for (int i = 0; i < 8; ++i) {
        list.push_back({std::string(hour[i / 4]) + "_" + part[i % 4],
                        std::string(title[i / 4]) + " " + caption[i % 4], e.Bands[i], e.BandDays[i]});
    }
    list.push_back({"rise_azimuth", "Rises at Azimuth", e.RiseAzimuth, {}});
    list.push_back({"set_azimuth", "Sets at Azimuth", e.SetAzimuth, {}});
    const std::string at = "Sun at Altitude " + FormatGeneral(o.Altitude) + "° ";
    list.push_back({"altitude_rising", at + "Rising", e.CustomRise, e.CustomRiseDay});
    list.push_back({"altitude_setting", at + "Setting", e.CustomSet, e.CustomSetDay});
    const ShadowReadouts shadow = ComputeShadowReadouts(refracted, now.Azimuth, o.Dms);
    list.push_back({"shadow_length", "Shadow of a 1 m Stick", shadow.Length, {}});
    list.push_back({"shadow_direction", "Pointing to", shadow.Direction, {}});
    list.push_back({"polar", "Polar", e.Polar, {}});
}

std::vector<Readout> DayReadoutList(const SolarState& day, const SolarState& now, double refracted,
                                    const CliOptions& o) {
    const int32_t sec = o.Seconds ? 1 : 0;
    const DayReadouts d = FormatDayReadouts(day, sec, o.Dms, static_cast<int16_t>(o.RaFormat));
    const PositionReadouts p = FormatPositionReadouts(now, refracted, o.Dms);
    const TwilightReadouts t = FormatTwilightReadouts(day, sec);
    std::vector<Readout> list = {
        {"sunrise", "Sunrise", d.Sunrise, day.Sunrise},
        {"sunset", "Sunset", d.Sunset, day.Sunset},
        {"day_length", "Day Length", d.DayLength, {}},
        {"max_altitude", "Max. Altitude", d.MaxAltitude, {}},
        {"right_ascension", "Right Acsention", d.RightAscension, {}},
        {"declination", "Declination", d.Declination, {}},
        {"transit", "Transit Time", d.Transit, day.Transit},
        {"altitude", "Altitude", p.Altitude, {}},
        {"altitude_after_refraction", "After Refraction", p.AfterRefraction, {}},
        {"azimuth", "Azimuth", p.Azimuth, {}},
    };
    for (int k = 0; k < 3; ++k) {
        const std::string kind(TwilightKinds[k].Name);
        const std::string key = LowerCaseName(kind) + "_twilight_", label = kind + " Twilight ";
        list.push_back({key + "starts", label + "Starts", t.Starts[k], day.*TwilightKinds[k].Begin});
        list.push_back({key + "ends", label + "Ends", t.Ends[k], day.*TwilightKinds[k].End});
        list.push_back({key + "length_morning", label + "Length (Morning)", t.MorningLength[k], {}});
        list.push_back({key + "length_evening", label + "Length (Evening)", t.EveningLength[k], {}});
    }
    return list;
}

}  // namespace

std::string DayCommand(const CliOptions& o, const CliEnvironment& env, const CliDataFiles& files) {
    const CliPlace place = ResolvePlace(o, files);
    const RefractionTable refraction = LoadRefractionTable(files.Refraction);
    const CliDate date =
        o.Date.value_or(CliDate{YearOf(env.LocalNow), MonthOf(env.LocalNow), DayOf(env.LocalNow)});
    CliTime time = o.Time.value_or(CliTime{});
    if (!o.Time) {
        const long long seconds = std::llround(OleTimePart(env.LocalNow) * 86400) % 86400;
        time = CliTime{static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                       static_cast<int>(seconds % 60)};
    }
    const ZoneSchedule schedule = ScheduleOf(place, date.Year);
    const double zone = schedule.ZoneHoursOn(DateSerial(date.Year, date.Month, date.Day));
    SolarState day = SolarStateFor(place.Latitude, place.Longitude, date.Year, date.Month, date.Day, zone);
    ComputeDayEvents(day, true);
    SolarState now = day;
    ComputeCurrentPosition(now, time.Hour, time.Minute, time.Second);
    const double refracted = RefractionLookup(refraction, now.Altitude);

    CalendarRequest where;  // the calendar header's way of naming the place
    where.Latitude = DegToRad(place.Latitude);
    where.Longitude = place.Longitude;
    where.SelectedCity = place.City;
    where.AngleFormatSetting = o.Dms;
    const std::string dateText =
        FormatPadded(date.Year, 4) + "-" + FormatPadded(date.Month, 2) + "-" + FormatPadded(date.Day, 2);
    const std::string timeText =
        FormatPadded(time.Hour, 2) + ":" + FormatPadded(time.Minute, 2) + ":" + FormatPadded(time.Second, 2);
    const bool dst = zone != place.Zone;
    std::vector<Readout> readouts = DayReadoutList(day, now, refracted, o);
    AddSunEvents(readouts, day, now, refracted, schedule, o);

    if (o.Format != CliFormat::Json) {
        std::string text = "Place: " + CalendarPlaceName(where) + "\n" + "Hour Zone: " + place.ZoneText +
                           (dst ? " (daylight saving time, one hour more)" : "") + "\n" +
                           "Date: " + dateText + "\n" + "Time: " + timeText + "\n";
        for (const Readout& r : readouts)
            if (!r.Text.empty()) text += r.Label + ": " + r.Text + "\n";  // the polar line only when polar
        return text;
    }
    JsonWriter json;
    json.Open('{');
    json.Add("place", JsonString(CalendarPlaceName(where)));
    json.Add("latitude", FormatFixed(place.Latitude, 6));
    json.Add("longitude", FormatFixed(place.Longitude, 6));
    json.Add("zone", JsonString(place.ZoneText));
    json.Add("daylight_saving", dst ? "true" : "false");
    json.Add("date", JsonString(dateText));
    json.Add("time", JsonString(timeText));
    for (const Readout& r : readouts) {
        if (r.Text.empty()) {  // the polar line on an ordinary day
            json.Add(r.Key, "null");
            continue;
        }
        json.Open('{', r.Key);
        json.Add("text", JsonString(r.Text));
        if (r.Event) {
            const auto instant = EventInstantOf(day, *r.Event);
            json.Add("instant", instant ? JsonString(FormatIsoInstant(*instant)) : "null");
        }
        json.Close('}');
    }
    json.Close('}');
    return json.Finish();
}

}  // namespace heliomark::cli
