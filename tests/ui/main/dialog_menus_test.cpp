// The menu commands that open the modal dialogs, driven as a user drives them: the dialog is
// operated from a timer while the main window waits for it.
#include <QAbstractSlider>
#include <QPushButton>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

// In the city or DST editor: types `name`, presses `button`, then Exit.
std::function<void(QDialog*)> NameAndPress(const char* name, const char* button) {
    return [=](QDialog* d) {
        TypeInto(Find<QLineEdit>(d, "txtName"), name, false);
        Click(Find(d, button));
        Click(Find(d, "cmdEx"));
    };
}

TEST(DialogMenus, TheCityEditorsChangesReachTheCityList) {
    StartedProgram p("Lima");
    p.UseDialog("mnuCities", "frmCity", NameAndPress("Zurich", "cmdAct"));
    auto* cities = p.Find<QComboBox>("cmbCities");
    EXPECT_GE(cities->findText("Zurich"), 0);
    EXPECT_EQ(cities->currentText() + " " + p.Text("cmbLat"), "Lima S") << "Lima applied again";
    EXPECT_EQ(FindCity(LoadCities(p / "city_db.txt"), "zurich"), 7);
    p.UseDialog("mnuCities", "frmCity", NameAndPress("Lima", "cmdRem"));
    EXPECT_EQ(cities->currentIndex(), -1);
    EXPECT_EQ(p.Number("apLat", "Value"), 0) << "the default place";
    EXPECT_EQ(p.Text("cmbHZ"), "GMT");
    p.Close();
    EXPECT_EQ(LoadSettings(p / "settings.ini").DefaultCitySetting, "0");
}

TEST(DialogMenus, RemovingTheSelectedDstRuleLeavesNone) {
    StartedProgram p("Berlin");
    p.UseDialog("mnuDST", "frmDST", NameAndPress("Europe", "cmdRem"));
    auto* rules = p.Find<QComboBox>("cmbDST");
    EXPECT_EQ(rules->count(), 3);  // "None", AusSouth, Varia
    EXPECT_EQ(rules->currentText(), "None");
    EXPECT_FALSE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Seconds(), 11 * 3600) << "the clock moved back an hour with the Sun left in place";
    EXPECT_EQ(LoadDstRules(p / "dst_types.txt").size(), 2u);
}

TEST(DialogMenus, SettingsOkShowsTheNewFormatsAtOnce) {
    StartedProgram p("London");
    ASSERT_EQ(p.Text("txtSR"), "04:43");
    p.UseDialog("mnuOpt", "frmOpt", [](QDialog* d) {
        Choose(Find<QComboBox>(d, "cmbTime"), "Full hh:mm:ss");
        Choose(Find<QComboBox>(d, "cmbAng"), "DMS (dd°mm'ss'')");
        Click(Find(d, "cmdOK"));
    });
    EXPECT_EQ(p.Text("txtSR") + " " + p.Text("txtAlt"), "04:43:10 61° 55' 52''");
    EXPECT_EQ(LoadSettings(p / "settings.ini").ShowSecondsSetting, 1);
}

// The inputs and results of `window` (its push buttons say what they do) whose pointer finds no tool
// tip: a control shows its own tip or, lacking one, the tip of the box it sits in.
QStringList WithoutTip(QWidget* window) {
    QStringList missing;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QPushButton*>(w)) ||
                             qobject_cast<QAbstractSlider*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w);
        if (!control || !w->isVisibleTo(window) || w->objectName().isEmpty() ||
            w->objectName().startsWith("qt_"))
            continue;
        QWidget* at = w;
        while (at != window && at->toolTip().isEmpty())
            at = at->parentWidget();
        if (at == window) missing << w->objectName();
    }
    return missing;
}

// Whether the window is wide enough for its title beside the frame's icon and three buttons (about
// 90 px in the common window managers' themes), in the window's own font.
bool TitleFits(const QWidget* window) {
    return QFontMetrics(window->font()).horizontalAdvance(window->windowTitle()) + 90 <= window->width();
}

TEST(DialogMenus, EveryDialogHasTipsADefaultButtonAndClosesOnEscape) {
    const std::tuple<const char*, const char*, const char*> dialogs[] = {
        {"mnuDict", "frmDict", "Command1"}, {"mnuAbout", "frmAbout", "Command1"},
        {"mnuOpt", "frmOpt", "cmdOK"},      {"mnuCal", "frmCal", "Command1"},
        {"mnuCities", "frmCity", "cmdAct"}, {"mnuDST", "frmDST", "cmdUpd"}};
    StartedProgram p("Berlin");
    WriteText(p / "dict.txt", "!Zenith\r\nStraight up.\r\n!Azimuth\r\nAround the horizon.\r\n");
    EXPECT_EQ(WithoutTip(&p.Main()), QStringList()) << "main window controls without a tool tip";
    EXPECT_NE(p.Find("txtSR")->toolTip().indexOf(" Y"), -1) << "the sunrise box explains its marks";
    for (const char* view : {"mnuTW", "mnuGraf", "mnuMap", "mnu3D", "mnuEvents", "mnuYear"})
        p.Show(view);
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_TRUE(!window->isVisible() || TitleFits(window)) << window->objectName().toStdString();
    for (const auto& [item, name, defaultButton] : dialogs) {
        bool seen = false;
        p.UseDialog(item, name, [&, name = name, defaultButton = defaultButton](QDialog* dialog) {
            seen = true;
            auto* button = Find<QPushButton>(dialog, defaultButton);
            EXPECT_TRUE(button && button->isDefault()) << name << ": Enter presses " << defaultButton;
            const bool plain =
                std::string(name) == "frmAbout" || std::string(name) == "frmDict";  // no inputs
            EXPECT_EQ(plain ? QStringList() : WithoutTip(dialog), QStringList())
                << name << " controls without a tip";
            EXPECT_TRUE(TitleFits(dialog)) << name;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog,
                            Qt::Key_Escape);
            EXPECT_FALSE(dialog->isVisible()) << name << ": Escape closes it";
            if (dialog->isVisible()) dialog->reject();
        });
        EXPECT_TRUE(seen) << item << " did not open " << name;
        EXPECT_EQ(p.Main().findChild<QWidget*>(name), nullptr) << name << " is gone";
    }
}

}  // namespace
}  // namespace heliomark::testing
