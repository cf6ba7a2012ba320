// The two update operations: the day's values (place and date) and the position now (time of day).
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "engine/readouts.h"
#include "ui/controls/angle_picker.h"
#include "ui/controls/date_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/controls/time_picker.h"
#include "ui/main/main_window.h"
#include "ui/views/day_view_window.h"
#include "ui/views/sky_view.h"
#include "ui/views/sun_events_window.h"
#include "ui/views/twilights_window.h"
#include "ui/views/world_map_window.h"
#include "ui/views/year_window.h"

namespace heliomark {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

int16_t MainWindow::IsDST() const {
    if (!DSTActive) return 0;
    return InDstPeriod(DateP->Value(), dpStart->Value(), dpEnd->Value()) ? 1 : 0;
}

double MainWindow::InputLatitude() const {
    return SignedByHemisphere(DegToRad(apLat->Value()), cmbLat->currentIndex());
}

double MainWindow::InputLongitude() const {
    return SignedByHemisphere(apLon->Value(), cmbLon->currentIndex());
}

ZoneSchedule MainWindow::CurrentZoneSchedule() const {
    ZoneSchedule schedule;
    schedule.HourZone = cmbHZ->HourZone();
    schedule.DisplayedYear = DateP->YearValue();
    if (DSTActive) schedule.DisplayedPeriod = DstPeriod{dpStart->Value(), dpEnd->Value()};
    const int rule = cmbDST->currentIndex();
    if (rule > 0 && rule <= static_cast<int>(state_->DstRules.size()))
        schedule.Rule = &state_->DstRules[static_cast<std::size_t>(rule - 1)];
    return schedule;
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
    s.Latitude = InputLatitude();
    s.Longitude = InputLongitude();
    ForgetCityIfMoved();
    s.Year = static_cast<int16_t>(DateP->YearValue());
    s.Month = static_cast<int16_t>(DateP->MonthValue());
    s.Day = static_cast<int16_t>(DateP->DayValue());
    s.ZoneHours = cmbHZ->HourZone() + IsDST();
    ComputeDayEvents(s, ExtTW);

    const DayReadouts day = FormatDayReadouts(s, settings.ShowSecondsSetting, settings.AngleFormatSetting,
                                              settings.RAFormatSetting);
    txtSR->setText(Text(day.Sunrise));
    txtSS->setText(Text(day.Sunset));
    txtNoon->setText(Text(day.Transit));
    txtDL->setText(Text(day.DayLength));
    txtAlt->setText(Text(day.MaxAltitude));
    txtRA->setText(Text(day.RightAscension));
    txtDec->setText(Text(day.Declination));

    if (ExtTW) frmTW->UpdateTWData();
    if (ExtEvents) frmEvents->UpdateEventsData();
    UpdateCurrentData(false);
    if (ExtGraf) frmGraf->UpdateGrafData();
    // The map's shading follows the universal instant alone; callers that keep it, or whose next
    // clock tick redraws the map, pass refreshMap false.
    if (refreshMap && ExtMap) frmMap->UpdateMapData();
    // A new picture only when the place, zone, DST period or year changed; else the marker moves.
    if (ExtYear) frmYear->UpdateYearData();
}

void MainWindow::UpdateCurrentData(bool refreshMap) {
    SharedState& s = *state_;
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
    VisAlt = RefractionLookup(s.Refraction, s.Altitude);
    const PositionReadouts now = FormatPositionReadouts(s, VisAlt, s.Settings.AngleFormatSetting);
    txtCurAlt->setText(Text(now.Altitude));
    txtCurAzm->setText(Text(now.Azimuth));
    // Handed over even while the sky view is hidden, so it opens with the Sun where it is now.
    frm3D->VisAlt = VisAlt;
    txtTAlt->setText(Text(now.AfterRefraction));
    if (ExtEvents) frmEvents->UpdateShadow(VisAlt);
    if (Ext3D) frm3D->UpdateSkyData();
}

}  // namespace heliomark
