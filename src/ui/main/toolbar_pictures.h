// The 16 x 16 pictures of the main window's toolbar buttons, drawn in code so they stay sharp and
// need no image files.
#pragma once

#include <QPixmap>

namespace heliomark {

QPixmap CalendarPicture();   // fbCal: a calendar sheet
QPixmap DayViewPicture();    // fbGraf: the Sun's arc over a horizon
QPixmap WorldMapPicture();   // fbMap: a globe with its lit half
QPixmap TwilightsPicture();  // fbTW: a half Sun on the horizon with dusk bands
QPixmap SkyViewPicture();    // fb3D: the sky dome with a Sun
QPixmap SunEventsPicture();  // fbEvents: a low golden Sun casting a stick's long shadow
QPixmap YearViewPicture();   // fbYear: night and day bands over a year with the sunset curve

}  // namespace heliomark
