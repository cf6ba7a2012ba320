// The two update operations: the day's values (place and date) and the position now (time of day).
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "ui/controls/angle_picker.h"
#include "ui/controls/date_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/controls/time_picker.h"
#include "ui/main/main_window.h"
#include "ui/views/day_view_window.h"
#include "ui/views/sky_view.h"
#include "ui/views/twilights_window.h"
#include "ui/views/world_map_window.h"

namespace heliomark {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

int16_t MainWindow::IsDST() const {
    if (!DSTActive) return 0;
    return IsInDstPeriod(DateP->Value(), {dpStart->Value(), dpEnd->Value()}) ? 1 : 0;
}

void MainWindow::SyncPickersToUT() {
    // Keeps the universal instant and moves the local clock shown into the current zone, rolling
    // the date when the shifted time crosses midnight.
    SharedState& s = *state_;
    const double z = cmbHZ->HourZone() + IsDST();
    const double local = z / 24 + s.UTFraction;
    const int16_t d = static_cast<int16_t>(std::floor(local));
    const double frac = local - d;
    s.UTFraction = s.UTFraction - d;
    if (d != 0) DateP->SetValue(DateP->Value() + d);
    const Dms t = SplitDMS(frac * 24);
    TimeP->SetHourValue(t.Degrees);
    TimeP->SetMinuteValue(t.Minutes);
    TimeP->SetSecondValue(t.Seconds);
}

void MainWindow::UpdateGeneralData(bool syncPickers, bool refreshMap) {
    SharedState& s = *state_;
    const Settings& settings = s.Settings;
    if (syncPickers) SyncPickersToUT();
    s.Latitude = DegToRad(apLat->Value()) * (1 - 2 * cmbLat->currentIndex());
    s.Longitude = apLon->Value() * (1 - 2 * cmbLon->currentIndex());
    ForgetCityIfMoved();
    s.Year = static_cast<int16_t>(DateP->YearValue());
    s.Month = static_cast<int16_t>(DateP->MonthValue());
    s.Day = static_cast<int16_t>(DateP->DayValue());
    s.ZoneHours = cmbHZ->HourZone() + IsDST();
    ComputeDayEvents(s, ExtTW);

    const int32_t sec = settings.ShowSecondsSetting;
    txtSR->setText(Text(FormatClockTime(s.Sunrise, sec) + DaySuffix(s.Transit, s.Sunrise)));
    txtSS->setText(Text(FormatClockTime(s.Sunset, sec) + DaySuffix(s.Transit, s.Sunset)));
    txtNoon->setText(Text(FormatClockTime(s.Transit, sec)));
    if (s.PolarState == 0)
        txtDL->setText(Text(FormatClockTime(s.Sunset - s.Sunrise, sec)));
    else
        txtDL->setText(s.PolarState == 1 ? "Polar Day" : "Polar Night");
    txtAlt->setText(Text(FormatAngle(RadToDeg(s.MaxAltitude), settings.AngleFormatSetting)));
    if (settings.RAFormatSetting == 2)
        txtRA->setText(Text(FormatRA(s.RightAscension)));
    else
        txtRA->setText(Text(FormatAngle(RadToDeg(s.RightAscension), settings.RAFormatSetting == 1)));
    txtDec->setText(Text(FormatAngle(RadToDeg(s.Declination), settings.AngleFormatSetting)));

    if (ExtTW) frmTW->UpdateTWData();
    UpdateCurrentData(false);
    if (ExtGraf) frmGraf->UpdateGrafData();
    // The map's shading follows the universal instant alone; callers that keep it, or whose next
    // clock tick redraws the map, pass refreshMap false.
    if (refreshMap && ExtMap) frmMap->UpdateMapData();
}

void MainWindow::UpdateCurrentData(bool refreshMap) {
    SharedState& s = *state_;
    const bool dms = s.Settings.AngleFormatSetting;
    const int16_t h = static_cast<int16_t>(TimeP->HourValue());
    const int16_t m = static_cast<int16_t>(TimeP->MinuteValue());
    const double sec = TimeP->SecondValue();
    s.UTFraction = h / 24.0 + m / 1440.0 + sec / 86400 - s.ZoneHours / 24;
    ComputeCurrentPosition(s, h, m, sec);
    // The day view's time pointer, 343 units over the whole day.
    if (ExtGraf) {
        const int x = static_cast<int>(std::lrint(((h + m / 60.0 + sec / 3600) / 24) * 343));
        frmGraf->UpdatePointer(x, true);
    }
    // The sub-solar point moves with the time.
    if (refreshMap && ExtMap) frmMap->UpdateMapData();
    txtCurAlt->setText(Text(FormatAngle(RadToDeg(s.Altitude), dms)));
    txtCurAzm->setText(Text(FormatAngle(FloorMod(RadToDeg(s.Azimuth), 360), dms)));
    VisAlt = RefractionLookup(s.Refraction, s.Altitude);
    // Handed over even while the sky view is hidden, so it opens with the Sun where it is now.
    frm3D->VisAlt = VisAlt;
    txtTAlt->setText(Text(FormatAngle(RadToDeg(VisAlt), dms)));
    if (Ext3D) frm3D->UpdateSkyData();
}

}  // namespace heliomark
