// The calendar request both calendar suites start from: Berlin, its city selected, in 2024 with the
// EU daylight-saving period (31 March to 27 October).
#pragma once

#include "calendar/calendar.h"

namespace heliomark::testing {

inline CalendarRequest BerlinRequest(int month) {
    CalendarRequest r;
    r.Year = 2024;
    r.Month = month;
    r.Latitude = DegToRad(52.52);
    r.Longitude = 13.405;
    r.HourZone = 1;
    r.HourZoneText = "GMT+01:00";
    r.DstInUse = true;
    r.DstStart = DateSerial(2024, 3, 31);
    r.DstEnd = DateSerial(2024, 10, 27);
    r.SelectedCity = CalendarCity{"Berlin", 52.52, 13.405};
    return r;
}

}  // namespace heliomark::testing
