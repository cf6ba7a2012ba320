// The menu commands that open the modal dialogs, driven as a user drives them: the dialog is
// operated from a timer while the main window waits in exec().
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "program_fixture.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

// Runs `act` on the modal dialog named `name` once it is up, then lets the menu command go on.
void WhenDialogOpens(const char* name, std::function<void(QDialog*)> act) {
    QTimer::singleShot(0, [name, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name) {
            ADD_FAILURE() << "expected the modal dialog " << name;
            if (dialog) dialog->reject();
            return;
        }
        act(dialog);
    });
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Trigger(Program& p, const char* menuItem) {
    auto* item = p.Main().findChild<QAction*>(menuItem);
    ASSERT_NE(item, nullptr) << menuItem;
    item->trigger();
}

}  // namespace

TEST(DialogMenus, MenusCarryTheirCaptionsInOrder) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    auto* db = p.Find<QMenu>("mnuDB");
    EXPECT_EQ(db->title(), "&Databases");
    ASSERT_EQ(db->actions().size(), 2);
    EXPECT_EQ(db->actions()[0]->text(), "C&ities...");
    EXPECT_EQ(db->actions()[1]->text(), "D&aylight Saving Times...");
    auto* help = p.Find<QMenu>("mnuHelp");
    ASSERT_EQ(help->actions().size(), 3);
    EXPECT_EQ(help->actions()[0]->text(), "Dictionary...");
    EXPECT_TRUE(help->actions()[1]->isSeparator());
    EXPECT_EQ(help->actions()[2]->text(), "&About...");
    auto* file = p.Find<QMenu>("mnuFile");
    EXPECT_EQ(file->actions().front()->text(), "&Settings...");
    EXPECT_EQ(file->actions().back()->text(), "E&xit");
}

TEST(DialogMenus, CityEditorRefillsTheListAndReselectsTheCity) {
    ProgramFolder folder;
    folder.WriteStandardData("Lima");
    Program p(folder);
    WhenDialogOpens("frmCity", [](QDialog* d) {
        auto* name = Child<QLineEdit>(d, "txtName");
        name->setText("Zurich");
        Child<QPushButton>(d, "cmdAct")->click();
        Child<QPushButton>(d, "cmdEx")->click();
    });
    Trigger(p, "mnuCities");
    auto* cities = p.Find<QComboBox>("cmbCities");
    EXPECT_GE(cities->findText("Zurich"), 0);
    EXPECT_EQ(cities->currentText(), "Lima");
    EXPECT_EQ(FindCity(LoadCities(folder.Path("city_db.txt")), "zurich"), 6);
    EXPECT_EQ(p.Find<QComboBox>("cmbLat")->currentText(), "S");  // Lima applied again
}

TEST(DialogMenus, RemovingTheSelectedCityFallsBackToTheDefaultPlace) {
    ProgramFolder folder;
    folder.WriteStandardData("Sydney");
    Program p(folder);
    WhenDialogOpens("frmCity", [](QDialog* d) {
        Child<QLineEdit>(d, "txtName")->setText("Sydney");
        Child<QPushButton>(d, "cmdRem")->click();
        Child<QPushButton>(d, "cmdEx")->click();
    });
    Trigger(p, "mnuCities");
    EXPECT_EQ(p.Find<QComboBox>("cmbCities")->currentIndex(), -1);
    EXPECT_EQ(p.Number("apLat", "Value"), 0);
    EXPECT_EQ(p.Find<QObject>("cmbHZ")->property("ListIndex").toInt(), DefaultZoneIndex);
    EXPECT_EQ(p.Find<QComboBox>("cmbDST")->currentText(), "None");
    EXPECT_EQ(p.Main().State().Settings.DefaultCitySetting, "0");
}

TEST(DialogMenus, DstEditorRefillsTheRulesAndReselectsTheRule) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    ASSERT_EQ(p.Find<QComboBox>("cmbDST")->currentText(), "Europe");
    WhenDialogOpens("frmDST", [](QDialog* d) {
        Child<QLineEdit>(d, "txtName")->setText("Europe");
        Child<QPushButton>(d, "cmdRem")->click();
        Child<QPushButton>(d, "cmdEx")->click();
    });
    Trigger(p, "mnuDST");
    auto* rules = p.Find<QComboBox>("cmbDST");
    EXPECT_EQ(rules->count(), 3);  // "None", AusSouth, Varia
    EXPECT_EQ(rules->currentText(), "None");
    EXPECT_FALSE(p.Main().DSTActive);
    EXPECT_EQ(LoadDstRules(folder.Path("dst_types.txt")).size(), 2u);
    // Berlin in June without DST: the clock moved back an hour with the Sun left in place.
    EXPECT_EQ(p.Main().State().ZoneHours, 1);
}

TEST(DialogMenus, SettingsOkSavesAndShowsTheNewFormatsAtOnce) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    ASSERT_EQ(p.Text("txtSR").size(), 5u);  // hh:mm
    WhenDialogOpens("frmOpt", [](QDialog* d) {
        Child<QComboBox>(d, "cmbTime")->setCurrentIndex(1);
        Child<QPushButton>(d, "cmdOK")->click();
    });
    Trigger(p, "mnuOpt");
    EXPECT_EQ(p.Text("txtSR").size(), 8u);  // hh:mm:ss
    EXPECT_EQ(LoadSettings(folder.Path("settings.ini")).ShowSecondsSetting, 1);
}

TEST(DialogMenus, DictionaryAndAboutOpenAndClose) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    WriteBytes(folder.Path("dict.txt"), "!Zenith\r\nStraight up.\r\n!Azimuth\r\nAround the horizon.\r\n");
    Program p(folder);
    WhenDialogOpens("frmDict", [](QDialog* d) { d->accept(); });
    Trigger(p, "mnuDict");
    EXPECT_TRUE(p.Main().State().Dictionary.Loaded);
    EXPECT_EQ(p.Main().State().Dictionary.Entries.size(), 2u);
    WhenDialogOpens("frmAbout", [](QDialog* d) { d->accept(); });
    Trigger(p, "mnuAbout");
}
