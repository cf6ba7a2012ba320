// Tool tips: what an input or a result is and in which unit it reads. Each window keeps a table of
// its controls' objectNames and tips and hands it to SetToolTips; the texts that several windows
// share are here.
#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

class QWidget;

namespace heliomark {

// How a clock time and a duration read, and what the marks after an event's time mean (DaySuffix).
inline constexpr const char* ClockTimeTip = "local clock time, hours:minutes (with seconds when set so)";
inline constexpr const char* DurationTip = "hours:minutes (with seconds when set so)";
inline constexpr const char* DayMarkTip =
    "\" Y\" after the time: it falls on the day before (yesterday); \" T\": on the day after "
    "(tomorrow). \"-\": it does not happen on this day.";
// How an angle reads in the chosen format.
inline constexpr const char* AngleUnitTip = "degrees (decimal, or degrees, minutes and seconds as set)";

using ToolTipTable = std::initializer_list<std::pair<const char*, QString>>;

// Gives each named descendant of `window` its tip. A picker's fields show the picker's tip.
void SetToolTips(QWidget* window, ToolTipTable tips);

}  // namespace heliomark
