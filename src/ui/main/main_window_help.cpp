// What the main window tells a user who points at it or works it from the keyboard: the tool tips
// of its inputs and results, and Ctrl+C, which copies every result with its label.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <algorithm>
#include <functional>
#include <vector>

#include "ui/controls/city_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/main/main_window.h"
#include "ui/tool_tips.h"

namespace heliomark {

namespace {

const QString ZoneTip =
    "Hour zone of the place: the offset of its standard time from universal time "
    "(GMT), in hours and minutes";

// Ctrl+C in a text box would copy that box's own text. In the main window it copies the results,
// except in a result box where the user has selected some text to copy.
class CopyKeyRouter : public QObject {
  public:
    CopyKeyRouter(QObject* parent, std::vector<QLineEdit*> results, std::function<void()> copyResults)
        : QObject(parent), results_(std::move(results)), copyResults_(std::move(copyResults)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && box->hasSelectedText() &&
            std::find(results_.begin(), results_.end(), box) != results_.end())
            return false;
        copyResults_();
        return true;
    }

  private:
    std::vector<QLineEdit*> results_;
    std::function<void()> copyResults_;
};

}  // namespace

void MainWindow::SetUpHelp() {
    const QString clock = ClockTimeTip, marks = DayMarkTip, angle = AngleUnitTip;
    SetToolTips(
        this,
        {
            {"cmbCities",
             "City: sets latitude, longitude, hour zone and daylight saving rule from the city list"},
            {"apLat",
             "Latitude of the place, 0 to 90 degrees, minutes and seconds of arc; a negative entry "
             "means south"},
            {"cmbLat", "Hemisphere of the latitude: N north of the equator, S south"},
            {"apLon",
             "Longitude of the place, 0 to 180 degrees, minutes and seconds of arc; a negative entry "
             "means west"},
            {"cmbLon", "Hemisphere of the longitude: E east of Greenwich, W west"},
            {"cmbHZ", ZoneTip},
            {"cmbDST", "Daylight saving rule: the days on which the clocks are one hour ahead"},
            {"dpStart", "First day of daylight saving time this year: day / month / year"},
            {"dpEnd", "First day after daylight saving time this year: day / month / year"},
            {"DateP", "Date: day / month / year"},
            {"TimeP", "Local clock time: hours : minutes : seconds"},
            {"txtRate", "Rate of Run Clock in seconds per second, of Run Date in days per second"},
            {"Command1", "Sets the date to today"},
            {"Command2", "Sets the time to now"},
            {"cmdRun", "Runs the clock at the rate above; press again to stop"},
            {"cmdRunDate", "Runs the date at the rate above; press again to stop"},
            {"txtSR", "Sunrise, as the Sun's upper edge rises: " + clock + ". " + marks},
            {"txtSS", "Sunset, as the Sun's upper edge sets: " + clock + ". " + marks},
            {"txtDL",
             "Day length, from sunrise to sunset: " + QString(DurationTip) + "; or Polar Day, Polar Night"},
            {"txtAlt", "Highest altitude of the Sun on this day, at transit: " + angle},
            {"txtRA",
             "Right ascension of the Sun at local noon: degrees, or hours, minutes and seconds, as set"},
            {"txtDec",
             "Declination of the Sun at local noon, north of the celestial equator positive: " + angle},
            {"txtNoon", "Transit, the Sun highest in the sky: " + clock},
            {"txtCurAlt", "Altitude of the Sun at the time above, without the atmosphere: " + angle},
            {"txtTAlt",
             "Altitude of the Sun at the time above as seen through the atmosphere, after "
             "refraction: " +
                 angle},
            {"txtCurAzm",
             "Azimuth of the Sun at the time above, from north through east, 0 to 360: " + angle},
        });

    auto* router = new CopyKeyRouter(this, ResultBoxes(), [this] { CopyResults(); });
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(router);
    // The city list's own text field gets its keys from the list, past any filter on the field.
    cmbCities->installEventFilter(router);
    // Elsewhere (a list, a button) the key is the window's.
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setObjectName("scCopy");
    connect(copy, &QShortcut::activated, this, &MainWindow::CopyResults);
}

void MainWindow::CopyResults() {
    QStringList lines;
    for (QLineEdit* box : ResultBoxes()) {
        const QString label = findChild<QLabel*>("lbl" + box->objectName().mid(3))->text();
        lines << label + "\t" + box->text();
    }
    QApplication::clipboard()->setText(lines.join("\n") + "\n");
}

std::vector<QLineEdit*> MainWindow::ResultBoxes() const {
    return {txtSR, txtSS, txtDL, txtAlt, txtRA, txtDec, txtNoon, txtCurAlt, txtTAlt, txtCurAzm};
}

void MainWindow::ShowZoneKeptFrom(const QString& city) {
    cmbHZ->setToolTip(city.isEmpty()
                          ? ZoneTip
                          : ZoneTip + ".\nThe hour zone and the daylight saving rule were kept from " + city +
                                " when the place moved away from it.");
}

}  // namespace heliomark
