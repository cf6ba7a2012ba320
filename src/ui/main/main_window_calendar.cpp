// The calendar command of the File menu and the toolbar, and what the calendar is told of the inputs.
#include <QComboBox>

#include "ui/controls/date_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/dialogs/calendar_window.h"
#include "ui/main/main_window.h"

namespace heliomark {

void MainWindow::mnuCal_Click() {
    CalendarWindow calendar(*this);
    calendar.exec();
    UpdateGeneralData(false, false);
}

CalendarInputs MainWindow::InputsForCalendar() const {
    CalendarInputs inputs;
    inputs.Latitude = InputLatitude();
    inputs.Longitude = InputLongitude();
    inputs.HourZone = cmbHZ->HourZone();
    inputs.HourZoneText = cmbHZ->Text().toStdString();
    // dpStart and dpEnd are shown, and hold the period, exactly while DSTActive.
    if (DSTActive) inputs.Dst = DstPeriod{dpStart->Value(), dpEnd->Value()};
    inputs.Year = DateP->YearValue();
    inputs.Month = DateP->MonthValue();
    const int k = cmbCities->currentIndex() + 1;
    if (k >= 1 && k <= static_cast<int>(state_->Cities.size())) {
        const CityRecord& city = state_->Cities[k - 1];
        inputs.SelectedCity =
            CalendarCity{cmbCities->currentText().toStdString(), city.Latitude, city.Longitude};
    }
    return inputs;
}

}  // namespace heliomark
