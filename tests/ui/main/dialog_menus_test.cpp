// The menu commands that open the modal dialogs, driven as a user drives them: the dialog is
// operated from a timer while the main window waits for it.
#include <QListWidget>

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

TEST(DialogMenus, EveryDialogOpensFromItsMenuAndCloses) {
    const std::pair<const char*, const char*> dialogs[] = {
        {"mnuDict", "frmDict"}, {"mnuAbout", "frmAbout"}, {"mnuOpt", "frmOpt"}, {"mnuCal", "frmCal"}};
    ProgramFolder folder("Berlin");
    WriteText(folder / "dict.txt", "!Zenith\r\nStraight up.\r\n!Azimuth\r\nAround the horizon.\r\n");
    Program p(folder);
    for (const auto& [item, name] : dialogs) {
        ModalAnswerer answerer;
        QString seen;
        answerer.OnDialog(name, [&seen](QDialog* d) {
            seen = d->windowTitle();
            d->reject();
        });
        p.Find<QAction>(item)->trigger();
        EXPECT_FALSE(seen.isEmpty()) << item << " did not open " << name;
        EXPECT_EQ(p.Main().findChild<QWidget*>(name), nullptr) << name << " is gone";
    }
}

}  // namespace
}  // namespace heliomark::testing
