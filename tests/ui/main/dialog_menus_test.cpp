// The menu commands that open the modal dialogs, driven as a user drives them: the dialog is
// operated from a timer while the main window waits for it.
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
    EXPECT_EQ(cities->currentText() + " " + p.Text("cmbLat") + " " + cities->itemText(6), "Lima S Zurich");
    p.UseDialog("mnuCities", "frmCity", NameAndPress("Lima", "cmdRem"));
    EXPECT_TRUE(cities->currentIndex() == -1 && p.Number("apLat", "Value") == 0 && p.Text("cmbHZ") == "GMT")
        << "the default place";
    p.Close();
    EXPECT_EQ(LoadSettings(p / "settings.ini").DefaultCitySetting, "0");
}

TEST(DialogMenus, RemovingTheSelectedDstRuleLeavesNone) {
    StartedProgram p("Berlin");
    p.UseDialog("mnuDST", "frmDST", NameAndPress("Europe", "cmdRem"));
    auto* rules = p.Find<QComboBox>("cmbDST");  // "None", AusSouth, Varia
    EXPECT_TRUE(rules->count() == 3 && rules->currentText() == "None" && !p.Find("dpStart")->isVisible());
    EXPECT_EQ(p.Seconds(), 11 * 3600) << "the clock moved back an hour with the Sun left in place";
    EXPECT_EQ(LoadDstRules(p / "dst_types.txt").size(), 2u);
}

TEST(DialogMenus, EveryDialogHasADefaultButtonAndClosesOnEscape) {
    const std::tuple<const char*, const char*, const char*> dialogs[] = {
        {"mnuDict", "frmDict", "Command1"}, {"mnuAbout", "frmAbout", "Command1"},
        {"mnuOpt", "frmOpt", "cmdOK"},      {"mnuCal", "frmCal", "Command1"},
        {"mnuCities", "frmCity", "cmdAct"}, {"mnuDST", "frmDST", "cmdUpd"}};
    StartedProgram p("Berlin");
    for (const auto& [item, name, defaultButton] : dialogs) {
        bool seen = false;
        p.UseDialog(item, name, [&, name = name, defaultButton = defaultButton](QDialog* dialog) {
            seen = true;
            auto* button = Find<QPushButton>(dialog, defaultButton);
            EXPECT_TRUE(button && button->isDefault()) << name << ": Enter presses " << defaultButton;
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
