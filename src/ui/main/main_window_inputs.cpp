// The "Location Properties" inputs and the date and time pickers' handlers.
#include <QComboBox>
#include <QLabel>

#include "calendar/calendar.h"
#include "shading/map_pointing.h"
#include "ui/controls/angle_picker.h"
#include "ui/controls/city_picker.h"
#include "ui/controls/date_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/controls/time_picker.h"
#include "ui/main/main_window.h"
#include "ui/views/world_map_window.h"

namespace heliomark {

void MainWindow::cmbCities_Click() {
    if (!IsAdjust) return;
    ApplyCity(cmbCities->currentIndex() + 1);
    UpdateGeneralData(true, false);
    MovePlaceMarker();
}

void MainWindow::MovePlaceMarker() {
    if (ExtMap) frmMap->UpdatePointer(state_->Latitude, DegToRad(state_->Longitude), true);
}

void MainWindow::SetDstListIndex(int index) {
    // Writing the list's index runs the DST handler when the index changes; when it stays, the
    // handler is run here, so the period is always derived afresh from the rule.
    if (cmbDST->currentIndex() == index)
        cmbDST_Click();
    else
        cmbDST->setCurrentIndex(index);
}

void MainWindow::ForgetCityIfMoved() {
    const int k = cmbCities->currentIndex() + 1;
    if (k < 1 || k > static_cast<int>(state_->Cities.size())) return;
    const CityRecord& city = state_->Cities[k - 1];
    if (IsAtCity(state_->Latitude, state_->Longitude, city.Latitude, city.Longitude)) return;
    {
        const AdjustGuard guard(IsAdjust);
        cmbCities->setCurrentIndex(-1);
    }
    ShowZoneKeptFrom(QString::fromStdString(TrimBlanks(city.Name)));
}

void MainWindow::ApplyCity(int k) {
    const AdjustGuard guard(IsAdjust);
    ShowZoneKeptFrom({});
    if (k != 0) {
        const CityRecord& city = state_->Cities[k - 1];
        const bool south = city.Latitude < 0, west = !(city.Longitude >= 0);
        SetPlaceInputs(south ? -city.Latitude : city.Latitude, south ? 1 : 0,
                       west ? -city.Longitude : city.Longitude, west ? 1 : 0);
        cmbHZ->SetListIndex(city.ZoneIndex);
        SetDstListIndex(FindDstRule(state_->DstRules, TrimBlanks(city.DstName)));
    } else {
        apLat->SetValue(0);
        apLon->SetValue(0);
        cmbHZ->SetListIndex(DefaultZoneIndex);
        SetDstListIndex(0);
    }
}

void MainWindow::SetPlaceInputs(double latitude, int latitudeIndex, double longitude, int longitudeIndex) {
    apLat->SetValue(latitude);
    cmbLat->setCurrentIndex(latitudeIndex);
    apLon->SetValue(longitude);
    cmbLon->setCurrentIndex(longitudeIndex);
}

void MainWindow::MapPlaceClicked(const MapClick& click) {
    // The four inputs change together, then one update takes them all.
    {
        const AdjustGuard guard(IsAdjust);
        SetPlaceInputs(click.LatitudeDegrees, click.LatitudeIndex, click.LongitudeDegrees,
                       click.LongitudeIndex);
    }
    UpdateGeneralData(false, false);
}

void MainWindow::MapCityClicked(int city) {
    // Choosing the city that is already selected applies its record again, undoing hand edits.
    if (cmbCities->currentIndex() == city - 1)
        cmbCities_Click();
    else
        cmbCities->setCurrentIndex(city - 1);
}

void MainWindow::cmbDST_Click() {
    const int i = cmbDST->currentIndex();
    std::optional<DstPeriod> period;
    if (i > 0 && i <= static_cast<int>(state_->DstRules.size()))
        period = DstPeriodForYear(state_->DstRules[i - 1], DateP->YearValue());
    DSTActive = period.has_value();
    for (QWidget* w : {static_cast<QWidget*>(dpStart), static_cast<QWidget*>(dpEnd), lblStart, lblEnd})
        w->setVisible(DSTActive);
    if (period) {
        dpStart->SetValue(period->Start);
        dpEnd->SetValue(period->End);
    }
    if (IsAdjust) UpdateGeneralData(true, false);
}

void MainWindow::cmbHZ_Click() {
    if (IsAdjust) UpdateGeneralData(true, false);
}

void MainWindow::cmbLat_Click() {
    if (IsAdjust) UpdateGeneralData(false, false);
    MovePlaceMarker();  // also when the update is left to the code that changed the list
}

void MainWindow::cmbLon_Click() {
    cmbLat_Click();  // the same steps: the update reads both hemisphere boxes
}

void MainWindow::NormaliseAngleEntry(AnglePicker* picker, QComboBox* hemisphere, double limit) {
    if (picker->Value() < 0) {
        const AdjustGuard guard(IsAdjust);  // the picker's own update follows
        picker->SetSignValue(1);
        hemisphere->setCurrentIndex(1);
    }
    if (picker->Value() > limit) picker->SetValue(limit);
}

void MainWindow::apLat_Updated() {
    NormaliseAngleEntry(apLat, cmbLat, 90);
    if (IsAdjust) UpdateGeneralData(false, false);
    MovePlaceMarker();
}

void MainWindow::apLon_Updated() {
    NormaliseAngleEntry(apLon, cmbLon, 180);
    if (IsAdjust) UpdateGeneralData(false, false);
    MovePlaceMarker();
}

void MainWindow::dpPeriod_Updated() {
    if (IsAdjust) UpdateGeneralData(true, false);
}

void MainWindow::RederiveDstPeriod() {
    const AdjustGuard guard(IsAdjust);
    cmbDST_Click();
}

void MainWindow::DateP_Updated() {
    // A new year takes the rule's period for that year, replacing any hand edit of the period.
    if (DateP->YearValue() != state_->Year) RederiveDstPeriod();
    UpdateGeneralData(true, true);
}

void MainWindow::TimeP_Updated() {
    UpdateCurrentData(true);
}

}  // namespace heliomark
