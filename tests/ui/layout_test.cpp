// Every window as it first shows: each control lies inside its window or group, and no two controls
// cover each other, so none hides another's text or takes its clicks.
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

// Looks into the windows, groups and frames and the program's own controls, not into Qt's; a control
// may lie on a plain group, frame or place holder; the hour-zone picker's list opens over its neighbours.
void ExpectTidy(const QWidget* parent, const std::string& window) {
    const auto plain = [](const QWidget* w) {
        return QStringList{"QWidget", "QFrame", "QGroupBox"}.contains(w->metaObject()->className());
    };
    QList<const QWidget*> shown;
    for (const auto* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && !w->isHidden() && !w->objectName().startsWith("qt_")) shown << w;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QRect r = shown[i]->geometry();
        const std::string name = window + ": " + shown[i]->objectName().toStdString();
        EXPECT_TRUE(parent->rect().contains(r))
            << name << " sticks out of " << parent->objectName().toStdString();
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            const QRect s = shown[j]->geometry();
            EXPECT_TRUE((plain(shown[i]) && r.contains(s)) || (plain(shown[j]) && s.contains(r)) ||
                        !r.intersects(s))
                << name << " overlaps " << shown[j]->objectName().toStdString();
        }
        if (plain(shown[i]) || (QString(shown[i]->metaObject()->className()).startsWith("heliomark::") &&
                                !qobject_cast<const HourZonePicker*>(shown[i])))
            ExpectTidy(shown[i], window);
    }
}

TEST(Layout, EveryWindowKeepsItsControlsInsideAndApart) {
    StartedProgram p("Berlin");
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
    ExpectTidy(p.Main().centralWidget(), "frmMain");
    for (QWidget* window : std::initializer_list<QWidget*>{
             p.Find("frm3D"), p.Find("frmGraf"), p.Find("frmMap"), p.Find("frmTW"), &calendar, &cityEditor,
             &dstEditor, &settingsDialog, &dictionaryWindow, &about}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        ExpectTidy(window, window->objectName().toStdString());
    }
    Find(&dstEditor, "optCust")->setFocus();
    Click(Find(&dstEditor, "optCust"), QPoint(6, 8));  // the DST editor with its list of years
    TypeInto(Find<QLineEdit>(&dstEditor, "txtYear"), "2024", false);
    Click(Find(&dstEditor, "cmdAdd"));
    ExpectTidy(&dstEditor, "frmDST with its years");
}

}  // namespace
}  // namespace heliomark::testing
