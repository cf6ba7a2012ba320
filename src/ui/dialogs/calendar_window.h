// "Calendar" (frmCal): a day-by-day table of solar values for a month or a whole year, for the place,
// zone and daylight-saving period set in the main window, shown in a text box and saved as text.
//
// The window only gathers the inputs and shows the text; the table itself is BuildCalendarText of
// the calendar core. At every Calculate it asks the main window what its inputs say then
// (CalendarInputs), since a running date can move the year while the calendar is open, and it
// computes on a copy of the shared state, so the main window's day is never touched.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QLocale>
#include <QString>
#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "calendar/calendar.h"
#include "data/data.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace heliomark {

class MainWindow;

// The three kinds of file Save to File writes: the text as shown, CSV, iCalendar.
enum class CalendarFileType { Text, Csv, Ics };

// What the main window's inputs say at one moment: the place, the hour zone, the daylight-saving
// period, the date and the selected city.
struct CalendarInputs {
    double Latitude = 0;           // radians, north positive
    double Longitude = 0;          // degrees, east positive
    double HourZone = 0;           // hours east of Greenwich, without daylight saving
    std::string HourZoneText;      // the hour-zone picker's text, e.g. "GMT+01:00"
    std::optional<DstPeriod> Dst;  // none while the chosen rule gives no period for the year
    int Year = 2000;               // the date shown
    int Month = 1;
    std::optional<CalendarCity> SelectedCity;  // none when no city is selected
};

// The header's locale texts. The "general date": the locale's short date, then a blank and its long
// time without the time-zone name, the time left out at exactly midnight. Seconds are rounded.
std::string LocaleDateText(double oleDateTime, const QLocale& locale = QLocale());
// The locale's short time: hours and minutes, with AM/PM where the locale uses it.
std::string LocaleShortTimeText(double oleDateTime, const QLocale& locale = QLocale());

class CalendarWindow : public QDialog {
    Q_OBJECT

  public:
    // Opens on the main window's month and year; uses its inputs, settings and shared state.
    explicit CalendarWindow(MainWindow& main);

    // ------------------------------------------------------------ handlers
    void optY_Click();   // hides the month list
    void optM_Click();   // shows it
    void cmbTW_Click();  // shows the chosen twilight kind's flags in the three twilight boxes
    void chkStart_Click();
    void chkEnd_Click();
    void chkLen_Click();
    void chkAll_Click();
    void Command1_Click();  // Calculate
    void cmdSave_Click();   // Save to File

    // The twilight column flags: 0 civil, 1 nautical, 2 astronomical.
    const std::array<TwilightColumnFlags, 3>& TwilightFlags() const { return twilights_; }
    // The text last calculated, as Text1 shows it (with CR LF line ends).
    const std::string& CalendarText() const { return calendarText_; }

    // The save dialog: the proposed file (folder and name) and the filters in, the chosen file out,
    // empty when cancelled, and the filter the user left selected in `selectedFilter` (empty when
    // the dialog does not say). Tests replace it so that nothing waits for a user.
    std::function<QString(QWidget* parent, const QString& proposed, const QString& filter,
                          QString* selectedFilter)>
        AskSaveFileName;
    // Tells the user that the file could not be written: `action` names the file, `problem` says why.
    std::function<void(QWidget* parent, const QString& action, const std::exception& problem)>
        ReportSaveFailure;

  private:
    CalendarRequest GatherRequest();
    void SetTwilightFlag(bool TwilightColumnFlags::*flag, const QCheckBox* box);
    QByteArray SaveBytes(CalendarFileType type) const;

    MainWindow& main_;
    std::array<TwilightColumnFlags, 3> twilights_{};
    int selectedKind_ = 0;
    bool refreshing_ = false;
    // The period of the last Calculate that had one; a Calculate without DST keeps it.
    double dstStart_ = 0, dstEnd_ = 0;
    std::string calendarText_;
    // What the last Calculate listed, for the CSV and iCalendar files; none before the first.
    std::optional<CalendarRequest> lastRequest_;

    QLineEdit* txtYear = nullptr;
    QRadioButton* optY = nullptr;
    QRadioButton* optM = nullptr;
    QComboBox* cmbMonths = nullptr;
    QCheckBox *chkSR = nullptr, *chkSS = nullptr, *chkDL = nullptr, *chkAlt = nullptr, *chkNoon = nullptr,
              *chkRA = nullptr, *chkDec = nullptr, *chkAll = nullptr;
    QComboBox* cmbTW = nullptr;
    QCheckBox *chkStart = nullptr, *chkEnd = nullptr, *chkLen = nullptr;
    QPushButton *Command1 = nullptr, *cmdSave = nullptr, *cmdEx = nullptr;
    QPlainTextEdit* Text1 = nullptr;
};

}  // namespace heliomark
