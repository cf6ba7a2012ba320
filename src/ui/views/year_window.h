// The Year window (frmYear): one picture of the displayed year for the main window's place, zone
// and daylight-saving rule (YearPicture), a read-out naming the day under the pointer with its
// sunrise, sunset and day length, and "Save Picture..." to keep it as a PNG file. The year's table
// is computed again only when the place, the zone, the DST period or the year change; a new date
// in the same year only moves the marker. Closing the window only hides it.
#pragma once

#include <QWidget>
#include <functional>

#include "app/shared_state.h"

class QLabel;
class QPushButton;

namespace heliomark {

class FormMove;
class YearPicture;

class YearWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window owned by `owner` (the main window), created hidden. `schedule` gives the
    // main window's hour zone and DST period as they stand.
    YearWindow(const SharedState& state, std::function<ZoneSchedule()> schedule, QWidget* owner);

    // Follows the main window: a new table when the year's inputs changed, the marker on its date.
    void UpdateYearData();
    // Writes the picture as a PNG file (replacing it atomically). On failure tells the user in a
    // message naming the file and returns false.
    bool SavePicture(const QString& file);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // What the table depends on; a change of any of these computes the year again.
    struct TableInputs {
        double Latitude = 0, Longitude = 0, RiseSetAltitude = 0, HourZone = 0;
        int Year = 0;
        bool Dst = false;
        double DstStart = 0, DstEnd = 0;
        bool operator==(const TableInputs&) const = default;
    };
    void ShowDay(int day);  // the read-out for a day of the table (-1: the marker's day)
    void cmdSavePicture_Click();

    const SharedState& state_;
    std::function<ZoneSchedule()> schedule_;
    std::optional<TableInputs> inputs_;  // of the table shown
    FormMove* mover_ = nullptr;
    YearPicture* picYear = nullptr;
    QLabel* lblYearPointer = nullptr;
    QPushButton* cmdSavePicture = nullptr;
};

}  // namespace heliomark
