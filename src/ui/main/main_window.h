// The main window (frmMain): the place, date and time inputs, the day and position results, the
// clock modes, and the toolbar and View menu that show and hide the views.
//
// Only UpdateGeneralData and UpdateCurrentData write the place, date and zone into SharedState.
// Every handler ends in one of them. Pickers raise Updated only for the user's own edits, while a
// list whose selection is set from code runs its click handler too, which is why the list handlers
// test IsAdjust and code clears it around its own changes.
#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/positioned_windows.h"
#include "app/program_clock.h"
#include "app/shared_state.h"
#include "ui/dialogs/settings_dialog.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace heliomark {

class AnglePicker;
class CityPicker;
class DatePicker;
class DayViewWindow;
class FlatButton;
class HourZonePicker;
class SkyView;
class SunEventsWindow;
class TimePicker;
class TwilightsWindow;
class WorldMapWindow;
class YearWindow;
struct CalendarInputs;
struct MapClick;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(std::unique_ptr<SharedState> state, std::shared_ptr<const ProgramClock> clock,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load sequence: lists, hidden views, the default city, today and now, the first update.
    void Load();

    SharedState& State() { return *state_; }
    const ProgramClock& Clock() const { return *clock_; }
    PositionedWindows& Positions() { return positions_; }

    // ------------------------------------------------------------ updates
    void UpdateGeneralData(bool syncPickers, bool refreshMap);
    void UpdateCurrentData(bool refreshMap);
    // 1 when the DST period in dpStart/dpEnd applies to the date in DateP, else 0.
    int16_t IsDST() const;
    // The hour zone and DST period as the inputs stand, with which IsDST's hour can be had for any
    // date, the way the main window takes it when its date moves there.
    ZoneSchedule CurrentZoneSchedule() const;

    // ------------------------------------------------------------ input handlers
    void cmbCities_Click();  // also called by the world map to re-apply the selected city
    void cmbDST_Click();     // the DST handler: derives dpStart/dpEnd for the displayed year
    void cmbHZ_Click();
    void cmbLat_Click();
    void cmbLon_Click();
    void apLat_Updated();
    void apLon_Updated();
    void dpPeriod_Updated();  // dpStart and dpEnd
    void DateP_Updated();
    void TimeP_Updated();
    // The calendar (mnuCal and fbCal), shown modally; a full update follows when it closes.
    void mnuCal_Click();
    // What the inputs say now: place, zone, DST period, date and city, for the calendar.
    CalendarInputs InputsForCalendar() const;

    // ------------------------------------------------------------ clock modes
    void cmdRun_Click();       // Run Clock / Stop
    void cmdRunDate_Click();   // Run Date / Stop
    void cmdSync_Click();      // Syncronize
    void Command1_Click();     // Today
    void Command2_Click();     // Now
    void MoveViewsWithMain();  // Timer1 tick (100 ms, always on)
    void Timer2Tick();         // Run Clock tick (10 ms)
    void Timer3Tick();         // Run Date tick (10 ms)

    // ------------------------------------------------------------ public fields
    bool Ext3D = false, ExtGraf = false, ExtTW = false, ExtMap = false;  // which views are shown
    bool ExtEvents = false, ExtYear = false;
    float LastX = 0, LastY = 0;  // twips, the main window's Left and Top as the binding timer saw them
    // False while code changes the input controls itself; the load sequence sets it once the lists
    // are filled and the start-up city is selected.
    bool IsAdjust = false;
    bool DSTActive = false;       // the chosen rule gives a DST period for the displayed year
    float ClockBase = 0;          // seconds since midnight when the running mode started or rolled over
    float ClockRate = 1;          // simulated seconds (Run Clock) or days (Run Date) per real second
    float ClockStartSeconds = 0;  // simulated seconds of the day at ClockBase
    double RunDateStart = 0;      // OLE date in DateP when Run Date started
    // The Sun's altitude after refraction (radians), set by UpdateCurrentData whether or not the sky
    // view is shown; the sky view draws the Sun at it and txtTAlt shows it.
    double VisAlt = 0;

    // ------------------------------------------------------------ views
    // Created hidden by CreateViews (main_window_views.cpp) and owned by the main window; a user's
    // close only hides them. The update operations call each view that is shown themselves, in a
    // fixed order: the twilights after the day's events, the day view and the map after the
    // position now, the sky view after the refracted altitude.
    //
    // Adding a view: a pointer and an Ext flag here; in CreateViews the window, its positioned
    // slot if pos.ini keeps its place, and AddViewToggle; then a call of its update operation,
    // under its Ext flag, where UpdateGeneralData or UpdateCurrentData has the values it shows.
    SkyView* frm3D = nullptr;
    TwilightsWindow* frmTW = nullptr;
    DayViewWindow* frmGraf = nullptr;
    WorldMapWindow* frmMap = nullptr;
    SunEventsWindow* frmEvents = nullptr;
    YearWindow* frmYear = nullptr;

    // A view's toolbar button and View menu item. slot orders them: 0 calendar, 1 day view, 2 world
    // map, 3 twilights, 4 sky view, 5 Sun Events, 6 Year on the toolbar; the View menu lists sky
    // view, day view, world map, twilights, Sun Events, Year. The button's Value change sets `flag`,
    // checks the menu item, and shows `window` followed by `afterShow`, or hides it.
    struct ViewToggle {
        int Slot = 0;
        const char* ButtonName = "";
        QString ToolTip;
        QPixmap Picture;
        const char* MenuName = "";
        QString MenuCaption;
        int MenuOrder = 0;
        bool* Flag = nullptr;
        QWidget* Window = nullptr;
        std::function<void()> AfterShow;
    };
    FlatButton* AddViewToggle(const ViewToggle& toggle);
    // A toolbar button at its slot (see ViewToggle); style 0 is a push button (the calendar's fbCal,
    // whose Click the caller connects), any other a toggle.
    FlatButton* AddToolbarButton(int slot, const char* name, const QString& toolTip, const QPixmap& picture,
                                 int style);

    // A menu of the menu bar by name, in the fixed order mnuFile "&File", mnuDB "&Databases",
    // mnuView "&View", mnuHelp "&Help"; a menu is put on the bar when it is first asked for, so no
    // empty menu is ever shown.
    QMenu* Menu(const QString& name);
    // An item of the File menu, above the separator mnuSep1 and "E&xit" (the calendar, settings).
    QAction* AddFileMenuItem(const char* name, const QString& caption, std::function<void()> action);

    // ------------------------------------------------------------ menu commands
    void mnuOpt_Click();     // Settings dialog; the main window recomputes after OK
    void mnuCities_Click();  // city editor; the city list is refilled and the city reselected
    void mnuDST_Click();     // DST editor; the rule list is refilled and the rule reselected
    void mnuDict_Click();    // dictionary window
    void mnuAbout_Click();   // about box

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Clears IsAdjust while code sets the inputs itself and puts back what it was, so that the list
    // handlers those changes run do not each recompute; the code that sets them runs one update
    // afterwards.
    class AdjustGuard {
      public:
        explicit AdjustGuard(bool& isAdjust) : flag_(isAdjust), saved_(isAdjust) { flag_ = false; }
        ~AdjustGuard() { flag_ = saved_; }
        AdjustGuard(const AdjustGuard&) = delete;
        AdjustGuard& operator=(const AdjustGuard&) = delete;

      private:
        bool& flag_;
        const bool saved_;
    };

    void BuildLocationGroup(QWidget* central);
    void BuildDateTimeGroup(QWidget* central);
    void BuildResultGroups(QWidget* central);
    // Tool tips, and Ctrl+C copying every result with its label (main_window_help.cpp).
    void SetUpHelp();
    void CopyResults();
    std::vector<QLineEdit*> ResultBoxes() const;  // in the order of the window, day then position
    // The hour-zone picker's tool tip; with a city's name it says that the zone and the rule were
    // kept from that city when the place left it.
    void ShowZoneKeptFrom(const QString& city);
    // Shows no city in cmbCities once the place in SharedState is no longer the selected city (the
    // calendar header's test); the hour zone and the rule stay as they are.
    void ForgetCityIfMoved();
    void BuildMenus();
    void CreateViews();
    // What the settings dialog's OK does to the sky view's grid.
    SkyGridHooks SkyGrid();
    // Refill the city and DST lists from SharedState without running their click handlers.
    void FillCityList();
    void FillDstList();
    void BuildDialogMenus();
    void ApplyCity(int k);
    // Latitude and longitude inputs: positive angles in degrees with the hemisphere list positions
    // (0 north / 1 south, 0 east / 1 west).
    void SetPlaceInputs(double latitude, int latitudeIndex, double longitude, int longitudeIndex);
    // The world map hands back a clicked place, or the city whose marker was clicked (1-based).
    void MapPlaceClicked(const MapClick& click);
    void MapCityClicked(int city);
    // The world map's place marker to the place in SharedState, while the map is shown.
    void MovePlaceMarker();
    // A negative angle typed into `picker` means the other hemisphere; the magnitude is cut to
    // `limit` degrees.
    void NormaliseAngleEntry(AnglePicker* picker, QComboBox* hemisphere, double limit);
    // The place the inputs say: latitude in radians, longitude in degrees, north and east positive.
    double InputLatitude() const;
    double InputLongitude() const;
    void SyncPickersToUT();
    void SetDstListIndex(int index);
    // Runs the DST handler without its own update: the period of the rule for DateP's year.
    void RederiveDstPeriod();
    void ReadRateBox();
    void StopRunClock();
    void SetModeButtons(bool idle, QPushButton* running);
    // Closes the modal windows that are open, innermost first; returns how many were open.
    int CloseModalWindows();
    // The close asked for while modal windows were open, once the event loops they ran have returned.
    void CloseWhenModalWindowsHaveReturned();

    std::unique_ptr<SharedState> state_;
    std::shared_ptr<const ProgramClock> clock_;
    PositionedWindows positions_;
    // While a close waits for modal windows: the event-loop depth it waits to come back to; else -1.
    int closeLoopLevel_ = -1;

    CityPicker* cmbCities = nullptr;
    AnglePicker* apLat = nullptr;
    QComboBox* cmbLat = nullptr;
    AnglePicker* apLon = nullptr;
    QComboBox* cmbLon = nullptr;
    HourZonePicker* cmbHZ = nullptr;
    QComboBox* cmbDST = nullptr;
    DatePicker* dpStart = nullptr;
    DatePicker* dpEnd = nullptr;
    QWidget* lblStart = nullptr;
    QWidget* lblEnd = nullptr;
    DatePicker* DateP = nullptr;
    TimePicker* TimeP = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLineEdit* txtRate = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdRunDate = nullptr;
    QPushButton* cmdSync = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QLineEdit *txtSR = nullptr, *txtSS = nullptr, *txtDL = nullptr, *txtAlt = nullptr, *txtRA = nullptr,
              *txtDec = nullptr, *txtNoon = nullptr;
    QLineEdit *txtCurAlt = nullptr, *txtTAlt = nullptr, *txtCurAzm = nullptr;

    QFrame* toolbar_ = nullptr;
    std::map<QString, QMenu*> menus_;
    QAction* mnuExit = nullptr;
    QAction* mnuSep1 = nullptr;
    QAction* mnuSep2 = nullptr;
    std::map<int, FlatButton*> toolbarButtons_;
    std::map<int, QAction*> viewMenuItems_;
    std::vector<QWidget*> views_;  // every view with a toggle, hidden when the program closes
};

}  // namespace heliomark
