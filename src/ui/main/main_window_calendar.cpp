// The calendar command of the File menu and the toolbar.
#include "ui/dialogs/calendar_window.h"
#include "ui/main/main_window.h"

namespace heliomark {

void MainWindow::mnuCal_Click() {
    CalendarWindow calendar(*this);
    calendar.exec();
    UpdateGeneralData(false, false);
}

}  // namespace heliomark
