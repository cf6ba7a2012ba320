// The city editor driven through its named controls.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "data/data.h"
#include "dialog_test_support.h"
#include "ui/controls/angle_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/dialogs/city_editor.h"

using namespace heliomark;
using namespace heliomark::testing;

namespace {

CityList SampleCities() {
    return {
        {"Berlin", 52.52, 13.405, 35, "EU"},
        {"Cape Town", -33.925, 18.424, 40, "None"},
        {"Lima", -12.046, -77.043, 14, "Gone"},
        {"Paris", 48.857, 2.352, 35, "EU"},
    };
}

DstRuleList SampleRules() {
    return {{"EU", {1, 5, 3}, {1, 5, 10}, {}}, {"US", {1, 2, 3}, {1, 1, 11}, {}}};
}

// One editor on sample data, shown, with its controls at hand.
struct Editor {
    explicit Editor(const std::string& folderName) : folder(folderName) {
        settings.DefaultCitySetting = "Paris";
        dialog = std::make_unique<CityEditor>(cities, rules, settings, folder.Path() / "city_db.txt");
        dialog->show();
        QWidget* w = dialog.get();
        cmbCities = Control<QComboBox>(w, "cmbCities");
        txtName = Control<QLineEdit>(w, "txtName");
        apLat = Control<AnglePicker>(w, "apLat");
        apLon = Control<AnglePicker>(w, "apLon");
        cmbLat = Control<QComboBox>(w, "cmbLat");
        cmbLon = Control<QComboBox>(w, "cmbLon");
        cmbHZ = Control<HourZonePicker>(w, "cmbHZ");
        cmbDST = Control<QComboBox>(w, "cmbDST");
        cmdAct = Control<QPushButton>(w, "cmdAct");
        cmdRen = Control<QPushButton>(w, "cmdRen");
        cmdRem = Control<QPushButton>(w, "cmdRem");
        cmdEx = Control<QPushButton>(w, "cmdEx");
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& c : cities)
            names.push_back(c.Name);
        return names;
    }
    QStringList ListedNames() const {
        QStringList names;
        for (int i = 0; i < cmbCities->count(); ++i)
            names << cmbCities->itemText(i);
        return names;
    }

    ScratchFolder folder;
    CityList cities = SampleCities();
    DstRuleList rules = SampleRules();
    Settings settings;
    std::unique_ptr<CityEditor> dialog;
    QComboBox *cmbCities, *cmbLat, *cmbLon, *cmbDST;
    QLineEdit* txtName;
    AnglePicker *apLat, *apLon;
    HourZonePicker* cmbHZ;
    QPushButton *cmdAct, *cmdRen, *cmdRem, *cmdEx;
};

}  // namespace

TEST(CityEditor, StartsWithTheListsFilledAndNothingToApply) {
    Editor e("load");
    EXPECT_EQ(e.dialog->objectName(), "frmCity");
    EXPECT_EQ(e.dialog->windowTitle(), "Edit Cities");
    EXPECT_EQ(e.ListedNames(), QStringList({"Berlin", "Cape Town", "Lima", "Paris"}));
    EXPECT_EQ(e.cmbCities->currentIndex(), -1);
    ASSERT_EQ(e.cmbDST->count(), 3);
    EXPECT_EQ(e.cmbDST->itemText(0), "None");
    EXPECT_EQ(e.cmbDST->itemText(2), "US");
    EXPECT_FALSE(e.cmdAct->isEnabled());
    EXPECT_FALSE(e.cmdRen->isEnabled());
    EXPECT_FALSE(e.cmdRem->isEnabled());
}

TEST(CityEditor, TypingAnExistingNameInAnyCaseShowsThatCity) {
    struct Case {
        const char* typed;
        double lat, lon;
        const char *ns, *ew, *dst;
        int zone;
    } cases[] = {
        {"BERLIN", 52.52, 13.405, "N", "E", "EU", 35},
        {"cape town", 33.925, 18.424, "S", "E", "None", 40},
        {"lIMA", 12.046, 77.043, "S", "W", "None", 14},  // its rule no longer exists
    };
    Editor e("existing");
    for (const auto& c : cases) {
        e.txtName->clear();
        QTest::keyClicks(e.txtName, c.typed);
        EXPECT_EQ(e.cmdAct->text(), "Apply Changes") << c.typed;
        EXPECT_TRUE(e.cmdAct->isEnabled() && e.cmdRen->isEnabled() && e.cmdRem->isEnabled()) << c.typed;
        EXPECT_NEAR(e.apLat->Value(), c.lat, 1e-9) << c.typed;
        EXPECT_NEAR(e.apLon->Value(), c.lon, 1e-9) << c.typed;
        EXPECT_EQ(e.cmbLat->currentText(), c.ns) << c.typed;
        EXPECT_EQ(e.cmbLon->currentText(), c.ew) << c.typed;
        EXPECT_EQ(e.cmbDST->currentText(), c.dst) << c.typed;
        EXPECT_EQ(e.cmbHZ->ListIndex(), c.zone) << c.typed;
    }
}

TEST(CityEditor, ChoosingFromTheListPutsTheNameInTheNameBox) {
    Editor e("choose");
    e.cmbCities->setCurrentIndex(3);
    emit e.cmbCities->activated(3);
    EXPECT_EQ(e.txtName->text(), "Paris");
    EXPECT_EQ(e.cmdAct->text(), "Apply Changes");
}

TEST(CityEditor, NewAndReservedNames) {
    Editor e("new");
    QTest::keyClicks(e.txtName, "Berlin");
    e.txtName->setText("Oslo");
    EXPECT_EQ(e.cmdAct->text(), "Add New");
    EXPECT_TRUE(e.cmdAct->isEnabled());
    EXPECT_FALSE(e.cmdRen->isEnabled() || e.cmdRem->isEnabled());
    EXPECT_EQ(e.cmbHZ->ListIndex(), 26);  // Greenwich, not the main window's 25
    EXPECT_EQ(e.apLat->Value(), 0);
    EXPECT_EQ(e.apLon->Value(), 0);
    EXPECT_EQ(e.cmbLat->currentText(), "N");
    EXPECT_EQ(e.cmbLon->currentText(), "E");
    EXPECT_EQ(e.cmbDST->currentText(), "None");

    for (const char* name : {"Home", ""}) {
        e.txtName->setText("Berlin");
        e.txtName->setText(name);
        EXPECT_FALSE(e.cmdAct->isEnabled() || e.cmdRen->isEnabled() || e.cmdRem->isEnabled())
            << '"' << name << '"';
    }
    e.txtName->setText("home");  // only the exact word is reserved
    EXPECT_TRUE(e.cmdAct->isEnabled());
}

// A negative latitude typed by the user is the next test; here a negative longitude set from code.
TEST(CityEditor, NegativeEntriesBecomeMagnitudeAndHemisphere) {
    Editor e("negative");
    e.txtName->setText("Sydney");
    e.apLon->SetValue(-151.2);
    QMetaObject::invokeMethod(e.apLon, "Updated");
    EXPECT_NEAR(e.apLon->Value(), 151.2, 1e-9);
    EXPECT_EQ(e.apLon->SignValue(), 1);
    EXPECT_EQ(e.cmbLon->currentText(), "W");
    // A positive entry leaves the hemisphere alone.
    e.apLon->SetValue(10);
    QMetaObject::invokeMethod(e.apLon, "Updated");
    EXPECT_EQ(e.cmbLon->currentText(), "W");
}

TEST(CityEditor, TypingMinus33Point9GivesSouth) {
    Editor e("typed_negative");
    e.txtName->setText("Sydney");
    auto* degrees = Control<QLineEdit>(e.apLat, "txtDeg");
    auto* minutes = Control<QLineEdit>(e.apLat, "txtMin");
    degrees->selectAll();
    QTest::keyClicks(degrees, "-33");
    QTest::keyClick(degrees, Qt::Key_Return);
    minutes->selectAll();
    QTest::keyClicks(minutes, "54");
    QTest::keyClick(minutes, Qt::Key_Return);
    EXPECT_NEAR(e.apLat->Value(), 33.9, 1e-9);
    EXPECT_EQ(e.cmbLat->currentText(), "S");
    e.cmdAct->click();
    ASSERT_EQ(e.cities.size(), 5u);
    EXPECT_NEAR(e.cities[4].Latitude, -33.9, 1e-9);
}

TEST(CityEditor, AddNewThenApplyChangesMakesOneCity) {
    Editor e("add");
    e.txtName->setText("Oslo Fjord Harbour Town");  // cut to 15 characters
    e.apLat->SetValue(59.91);
    e.apLon->SetValue(10.75);
    e.cmbLon->setCurrentIndex(1);
    e.cmbDST->setCurrentIndex(1);
    e.cmbHZ->SetListIndex(35);
    e.cmdAct->click();
    ASSERT_EQ(e.cities.size(), 5u);
    EXPECT_EQ(e.Names(),
              (std::vector<std::string>{"Berlin", "Cape Town", "Lima", "Oslo Fjord Harb", "Paris"}));
    const CityRecord& oslo = e.cities[3];
    EXPECT_NEAR(oslo.Latitude, 59.91, 1e-9);
    EXPECT_NEAR(oslo.Longitude, -10.75, 1e-9);
    EXPECT_EQ(oslo.ZoneIndex, 35);
    EXPECT_EQ(oslo.DstName, "EU");
    EXPECT_EQ(e.cmdAct->text(), "Apply Changes");
    EXPECT_EQ(e.ListedNames().size(), 5);

    e.apLat->SetValue(60);
    e.cmdAct->click();
    ASSERT_EQ(e.cities.size(), 5u) << "the second click added a copy";
    EXPECT_NEAR(e.cities[3].Latitude, 60, 1e-9);
}

TEST(CityEditor, ApplyChangesReplacesTheCityInPlace) {
    Editor e("apply");
    e.txtName->setText("paris");
    e.cmbLat->setCurrentIndex(1);
    e.cmbDST->setCurrentIndex(0);
    e.cmdAct->click();
    ASSERT_EQ(e.cities.size(), 4u);
    EXPECT_EQ(e.cities[3].Name, "paris");
    EXPECT_NEAR(e.cities[3].Latitude, -48.857, 1e-9);
    EXPECT_EQ(e.cities[3].DstName, "None");
}

TEST(CityEditor, RefusesPlacesBeyondThePoles) {
    Editor e("range");
    ModalAnswerer answerer;
    e.txtName->setText("Nowhere");
    e.apLat->SetValue(95);
    e.cmdAct->click();
    EXPECT_EQ(e.cities.size(), 4u);
    EXPECT_EQ(answerer.Messages().size(), 1);
}

TEST(CityEditor, RenameMovesTheCityToItsNewPlace) {
    Editor e("rename");
    e.txtName->setText("Paris");
    {
        ModalAnswerer cancel;  // an empty answer does nothing
        e.cmdRen->click();
        EXPECT_EQ(cancel.InputBoxes(), 1);
        EXPECT_EQ(cancel.LastInputTitle(), "Rename Location");
        EXPECT_EQ(cancel.LastInputPrompt(), "Enter new name:");
    }
    EXPECT_EQ(e.Names(), (std::vector<std::string>{"Berlin", "Cape Town", "Lima", "Paris"}));
    {
        ModalAnswerer answer("Athens");
        e.cmdRen->click();
    }
    EXPECT_EQ(e.Names(), (std::vector<std::string>{"Athens", "Berlin", "Cape Town", "Lima"}));
    EXPECT_NEAR(e.cities[0].Latitude, 48.857, 1e-9);
    EXPECT_EQ(e.txtName->text(), "Athens");
    EXPECT_EQ(e.ListedNames().first(), "Athens");
    EXPECT_EQ(e.cmdAct->text(), "Apply Changes");
}

TEST(CityEditor, RemovingTheDefaultCityResetsTheSettingToZero) {
    Editor e("remove");
    e.txtName->setText("berlin");  // not the default city: the setting stays
    e.cmdRem->click();
    EXPECT_EQ(e.Names(), (std::vector<std::string>{"Cape Town", "Lima", "Paris"}));
    EXPECT_EQ(e.settings.DefaultCitySetting, "Paris");
    EXPECT_TRUE(e.txtName->text().isEmpty());
    EXPECT_FALSE(e.cmdRem->isEnabled());

    e.txtName->setText("Paris");
    e.cmdRem->click();
    EXPECT_EQ(e.Names(), (std::vector<std::string>{"Cape Town", "Lima"}));
    EXPECT_EQ(e.ListedNames(), QStringList({"Cape Town", "Lima"}));
    EXPECT_EQ(e.settings.DefaultCitySetting, "0");
}

TEST(CityEditor, ClosingWritesTheCityFile) {
    Editor e("save");
    e.txtName->setText("Lima");
    e.cmdRem->click();
    e.cmdEx->click();
    EXPECT_FALSE(e.dialog->isVisible());
    const CityList saved = LoadCities(e.folder.Path() / "city_db.txt");
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[2].Name, "Paris");
    EXPECT_EQ(saved[1].Latitude, -33.925);
}

TEST(CityEditor, AFailedSaveIsReportedAndTheListKept) {
    ScratchFolder folder("save_fails");
    CityList cities = SampleCities();
    const DstRuleList rules = SampleRules();
    Settings settings;
    const auto file = folder.Unwritable("city_db.txt");
    CityEditor dialog(cities, rules, settings, file);
    dialog.show();
    Control<QLineEdit>(&dialog, "txtName")->setText("Lima");
    Control<QPushButton>(&dialog, "cmdRem")->click();
    ModalAnswerer answerer;
    Control<QPushButton>(&dialog, "cmdEx")->click();
    ASSERT_EQ(answerer.Messages().size(), 1);
    EXPECT_TRUE(answerer.Messages()[0].contains(QString::fromStdString(file.string())))
        << answerer.Messages()[0].toStdString();
    EXPECT_EQ(cities.size(), 3u);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(CityEditor, AClickOnTheBackgroundFoldsTheHourZoneList) {
    Editor e("fold");
    e.cmbHZ->SetFullSize(true);
    ASSERT_TRUE(e.cmbHZ->FullSize());
    QTest::mouseClick(e.dialog.get(), Qt::LeftButton, {}, QPoint(4, e.dialog->height() - 4));
    EXPECT_FALSE(e.cmbHZ->FullSize());
}
