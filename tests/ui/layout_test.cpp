// Every window as it first shows: each control lies inside its window or group, and no two
// controls cover each other, so none hides another's text or takes its clicks.
#include <QGroupBox>

#include "data/dictionary.h"
#include "support/test_support.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/calendar_window.h"
#include "ui/dialogs/city_editor.h"
#include "ui/dialogs/dictionary_window.h"
#include "ui/dialogs/dst_editor.h"
#include "ui/dialogs/settings_dialog.h"

namespace heliomark::testing {
namespace {

std::string Describe(const QWidget* w) {
    return (w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                      : w->objectName().toStdString()) +
           " " + std::to_string(w->x()) + "," + std::to_string(w->y()) + " " + std::to_string(w->width()) +
           "x" + std::to_string(w->height());
}

// Looks into the windows, groups and frames the program builds and into its own controls, not into
// the insides of Qt's ready-made controls.
bool IsPlain(const QWidget* w) {
    const QString type = w->metaObject()->className();
    return type == "QWidget" || type == "QFrame" || type == "QGroupBox";
}
bool IsContainer(const QWidget* w) {
    // The hour-zone picker's list lies inside it, over its neighbours, by design.
    return IsPlain(w) || (QString(w->metaObject()->className()).startsWith("heliomark::") &&
                          !qobject_cast<const HourZonePicker*>(w));
}

void ExpectTidy(const QWidget* parent, const std::string& window) {
    QList<const QWidget*> shown;
    for (const QObject* o : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (w && !w->isWindow() && !w->isHidden() && !w->objectName().startsWith("qt_")) shown << w;
    }
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QRect r = shown[i]->geometry();
        EXPECT_TRUE(parent->rect().contains(r))
            << window << ": " << Describe(shown[i]) << " sticks out of " << Describe(parent);
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            const QRect s = shown[j]->geometry();
            // A control may lie on a plain group, frame or place holder (the zone picker does).
            const bool floats = (IsPlain(shown[i]) && r.contains(s)) || (IsPlain(shown[j]) && s.contains(r));
            EXPECT_TRUE(floats || !r.intersects(s))
                << window << ": " << Describe(shown[i]) << " overlaps " << Describe(shown[j]);
        }
        if (IsContainer(shown[i])) ExpectTidy(shown[i], window);
    }
}

void ExpectTidyWindow(QWidget* window) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ExpectTidy(window, window->objectName().toStdString());
}

TEST(Layout, EveryWindowKeepsItsControlsInsideAndApart) {
    StartedProgram p("Berlin");
    ExpectTidy(p.Main().centralWidget(), "frmMain");
    for (const char* view : {"frm3D", "frmGraf", "frmMap", "frmTW"})
        ExpectTidyWindow(p.Find(view));
    Settings settings;
    CityList cities = TestCities();
    DstRuleList rules = TestRules();
    Dictionary dictionary;
    CalendarWindow calendar(p.Main());
    CityEditor cityEditor(cities, rules, settings, p / "cities.txt");
    DstEditor dstEditor(rules, p / "rules.txt");
    SettingsDialog settingsDialog(settings, cities, p / "options.ini");
    DictionaryWindow dictionaryWindow(dictionary, p / "dict.txt");
    AboutBox about;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&calendar, &cityEditor, &dstEditor,
                                                           &settingsDialog, &dictionaryWindow, &about})
        ExpectTidyWindow(dialog);
    Find(&dstEditor, "optCust")->setFocus();
    Click(Find(&dstEditor, "optCust"), QPoint(6, 8));
    TypeInto(Find<QLineEdit>(&dstEditor, "txtYear"), "2024", false);
    Click(Find(&dstEditor, "cmdAdd"));
    ExpectTidy(&dstEditor, "frmDST with its years");
}

}  // namespace
}  // namespace heliomark::testing
