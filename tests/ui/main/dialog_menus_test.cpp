// The menu commands that open the modal dialogs, driven as a user drives them: the dialog is
// operated from a timer while the main window waits for it.
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

void TypeName(QDialog* d, const char* name) {
    TypeInto(Find<QLineEdit>(d, "txtName"), name, false);
}

TEST(DialogMenus, TheCityEditorsChangesReachTheCityList) {
    ProgramFolder folder("Lima");
    Program p(folder);
    ModalAnswerer answerer;
    answerer.OnDialog("frmCity", [](QDialog* d) {
        TypeName(d, "Zurich");
        Click(Find(d, "cmdAct"));
        Click(Find(d, "cmdEx"));
    });
    p.Find<QAction>("mnuCities")->trigger();
    auto* cities = p.Find<QComboBox>("cmbCities");
    EXPECT_GE(cities->findText("Zurich"), 0);
    EXPECT_EQ(cities->currentText(), "Lima");
    EXPECT_EQ(p.Text("cmbLat"), "S") << "Lima applied again";
    EXPECT_EQ(FindCity(LoadCities(folder / "city_db.txt"), "zurich"), 7);

    answerer.OnDialog("frmCity", [](QDialog* d) {
        TypeName(d, "Lima");
        Click(Find(d, "cmdRem"));
        Click(Find(d, "cmdEx"));
    });
    p.Find<QAction>("mnuCities")->trigger();
    EXPECT_EQ(cities->currentIndex(), -1);
    EXPECT_EQ(p.Number("apLat", "Value"), 0) << "the default place";
    EXPECT_EQ(p.Text("cmbHZ"), "GMT");
    p.Close();
    EXPECT_EQ(LoadSettings(folder / "settings.ini").DefaultCitySetting, "0");
}

TEST(DialogMenus, RemovingTheSelectedDstRuleLeavesNone) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    ModalAnswerer answerer;
    answerer.OnDialog("frmDST", [](QDialog* d) {
        TypeName(d, "Europe");
        Click(Find(d, "cmdRem"));
        Click(Find(d, "cmdEx"));
    });
    p.Find<QAction>("mnuDST")->trigger();
    auto* rules = p.Find<QComboBox>("cmbDST");
    EXPECT_EQ(rules->count(), 3);  // "None", AusSouth, Varia
    EXPECT_EQ(rules->currentText(), "None");
    EXPECT_FALSE(p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Seconds(), 11 * 3600) << "the clock moved back an hour with the Sun left in place";
    EXPECT_EQ(LoadDstRules(folder / "dst_types.txt").size(), 2u);
}

TEST(DialogMenus, SettingsOkShowsTheNewFormatsAtOnce) {
    ProgramFolder folder("London");
    Program p(folder);
    ASSERT_EQ(p.Text("txtSR"), "04:43");
    ModalAnswerer answerer;
    answerer.OnDialog("frmOpt", [](QDialog* d) {
        Choose(Find<QComboBox>(d, "cmbTime"), "Full hh:mm:ss");
        Choose(Find<QComboBox>(d, "cmbAng"), "DMS (dd°mm'ss'')");
        Click(Find(d, "cmdOK"));
    });
    p.Find<QAction>("mnuOpt")->trigger();
    EXPECT_EQ(p.Text("txtSR"), "04:43:10");
    EXPECT_EQ(p.Text("txtAlt"), "61° 55' 52''");
    EXPECT_EQ(LoadSettings(folder / "settings.ini").ShowSecondsSetting, 1);
}

// The inputs and results of `window` (its push buttons say what they do) whose pointer finds no tool tip: a
// control shows its own tip or, lacking one, the tip of the box it sits in (the pickers' fields show the
// picker's).
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
    const struct {
        const char *Item, *Dialog, *DefaultButton;
    } dialogs[] = {{"mnuDict", "frmDict", "Command1"}, {"mnuAbout", "frmAbout", "Command1"},
                   {"mnuOpt", "frmOpt", "cmdOK"},      {"mnuCal", "frmCal", "Command1"},
                   {"mnuCities", "frmCity", "cmdAct"}, {"mnuDST", "frmDST", "cmdUpd"}};
    ProgramFolder folder("Berlin");
    WriteText(folder / "dict.txt", "!Zenith\r\nStraight up.\r\n!Azimuth\r\nAround the horizon.\r\n");
    Program p(folder);
    EXPECT_EQ(WithoutTip(&p.Main()), QStringList()) << "main window controls without a tool tip";
    EXPECT_NE(p.Find("txtSR")->toolTip().indexOf(" Y"), -1) << "the sunrise box explains its marks";
    for (const char* view : {"mnuTW", "mnuGraf", "mnuMap", "mnu3D", "mnuEvents", "mnuYear"})
        p.Show(view);
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_TRUE(!window->isVisible() || TitleFits(window)) << window->objectName().toStdString();
    for (const auto& d : dialogs) {
        ModalAnswerer answerer;
        bool seen = false;
        answerer.OnDialog(d.Dialog, [&](QDialog* dialog) {
            seen = true;
            auto* button = Find<QPushButton>(dialog, d.DefaultButton);
            EXPECT_TRUE(button && button->isDefault()) << d.Dialog << ": Enter presses " << d.DefaultButton;
            if (std::string(d.Dialog) != "frmAbout" && std::string(d.Dialog) != "frmDict") {
                EXPECT_EQ(WithoutTip(dialog), QStringList()) << d.Dialog << " controls without a tool tip";
            }
            EXPECT_TRUE(TitleFits(dialog)) << d.Dialog;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog,
                            Qt::Key_Escape);
            EXPECT_FALSE(dialog->isVisible()) << d.Dialog << ": Escape closes it";
            if (dialog->isVisible()) dialog->reject();
        });
        p.Find<QAction>(d.Item)->trigger();
        EXPECT_TRUE(seen) << d.Item << " did not open " << d.Dialog;
        EXPECT_EQ(p.Main().findChild<QWidget*>(d.Dialog), nullptr) << d.Dialog << " is gone";
    }
}

}  // namespace
}  // namespace heliomark::testing
