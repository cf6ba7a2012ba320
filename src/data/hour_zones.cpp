// The fixed table of 75 hour zones. The offset is not stored: it is read out of each entry's own
// text, so the text is the single source of truth (typos included, as the user sees them).
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "data/data.h"

namespace heliomark {

namespace {

constexpr std::array<std::string_view, HourZoneCount> Zones = {
    "(GMT-12:00) International Date Line West",
    "(GMT-11:00) Midway Island, Samoa",
    "(GMT-10:00) Hawaii",
    "(GMT-09:00) Alaska",
    "(GMT-08:00) Pacific Time (US & Canada); Tijuana",
    "(GMT-07:00) Arizona",
    "(GMT-07:00) Chihuahua, La Paz, Mazatlan",
    "(GMT-07:00) Mountain Time (US & Canada)",
    "(GMT-06:00) Central America",
    "(GMT-06:00) Central Time (US & Canada)",
    "(GMT-06:00) Guadalajara, Mexico City, Monterrey",
    "(GMT-06:00) Saskatchewan",
    "(GMT-05:00) Bogota, Lima, Quito",
    "(GMT-05:00) Eastern Time (US & Canada)",
    "(GMT-05:00) Indiana (East)",
    "(GMT-04:00) Atlantic Time (Canada)",
    "(GMT-04:00) Caracas, La Paz",
    "(GMT-04:00) Santiago",
    "(GMT-03:30) Newfoundland",
    "(GMT-03:00) Brasilia",
    "(GMT-03:00) Buenos Aires, Geogretown",
    "(GMT-03:00) Greenland",
    "(GMT-02:00) Mid-Atlantic",
    "(GMT-01:00) Azores",
    "(GMT-01:00) Cape Verde Is.",
    "(GMT) Casablanca, Monrovia",
    "(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London",
    "(GMT+01:00) Amsterdam, Berlin, Bern, rome, Stockholm, Vienna",
    "(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague",
    "(GMT+01:00) Brussels, Copenhagen, madrid, Paris",
    "(GMT+01:00) Sarajevo, Skopje, Skopje, Warsaw, Zagreb",
    "(GMT+01:00) West Central Africa",
    "(GMT+02:00) Athens, Istambul, Minsk",
    "(GMT+02:00) Bucharest",
    "(GMT+02:00) Cairo",
    "(GMT+02:00) Harare, Prestonia",
    "(GMT+02:00) Helsinki, Kyiv, Riga, Sofia, Tallinn, Wilnius",
    "(GMT+02:00) Jerusalem",
    "(GMT+03:00) Baghdad",
    "(GMT+03:00) Kuwait, Riyadh",
    "(GMT+03:00) Moskow, St. Peterburg, Volgograd",
    "(GMT+03:00) Nairobi",
    "(GMT+03:30) Tehran",
    "(GMT+04:00) Abu Dhabi, Muscat",
    "(GMT+04:00) Baku, Tbilisi, Yerevan",
    "(GMT+04:30) Kabul",
    "(GMT+05:00) Ekaterinburg",
    "(GMT+05:00) Islamabad, Karachi, Tashkent",
    "(GMT+05:30) Chennai, Kolkata, mumbai, New Dehli",
    "(GMT+05:45) Kathmandu",
    "(GMT+06:00) Almaty, Novosibirsk",
    "(GMT+06:00) Astana, Dhaka",
    "(GMT+06:00) Sri Jayawardenepura",
    "(GMT+06:30) Rangoon",
    "(GMT+07:00) Bangkok, Hanoi, Jakarta",
    "(GMT+07:00) Krasnoyarsk",
    "(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi",
    "(GMT+08:00) Irkutsk, Ulaan Bataar",
    "(GMT+08:00) Kuala Lumpur, Singapore",
    "(GMT+08:00) Perth",
    "(GMT+08:00) Taipei",
    "(GMT+09:00) Osaka, Sapporo, Tokyo",
    "(GMT+09:00) Seoul",
    "(GMT+09:00) Yakutsk",
    "(GMT+09:30) Adelaide",
    "(GMT+09:30) Darwin",
    "(GMT+10:00) Brisbane",
    "(GMT+10:00) Canberra, Melbourne, Sydney",
    "(GMT+10:00) Guam, Port Moresby",
    "(GMT+10:00) Hobart",
    "(GMT+10:00) Vladivostok",
    "(GMT+11:00) Magadan, Solomon Is., New Caledonia",
    "(GMT+12:00) Auckland, Wellington",
    "(GMT+12:00) Fiji, Kamchatka, Marshall Is.",
    "(GMT+13:00) Nuku'alofa",
};

bool IsGmtEntry(int position) {
    return position == 25 || position == 26;
}

void CheckPosition(int position) {
    if (position < 0 || position >= HourZoneCount) {
        throw std::out_of_range("hour zone position " + std::to_string(position) + " is outside 0..74");
    }
}

}  // namespace

std::string_view HourZoneText(int position) {
    CheckPosition(position);
    return Zones[position];
}

double HourZoneOffset(int position) {
    CheckPosition(position);
    if (IsGmtEntry(position)) return 0;
    const std::string_view s = Zones[position];
    // "(GMT-03:30) ...": hours are the three characters from the 5th, minutes the two from the 9th.
    const int h = std::atoi(std::string(s.substr(4, 3)).c_str());
    const int m = std::atoi(std::string(s.substr(8, 2)).c_str());
    // The sign is that of the hours, so -03:30 is -3.5 (not -2.5).
    const double sign = h < 0 ? -1.0 : (h > 0 ? 1.0 : 0.0);
    return sign * (std::abs(h) + m / 60.0);
}

std::string HourZoneShortText(int position) {
    CheckPosition(position);
    const std::string_view s = Zones[position];
    return std::string(s.substr(1, IsGmtEntry(position) ? 3 : 9));
}

}  // namespace heliomark
