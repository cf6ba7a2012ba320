// The city editor and the daylight-saving editor, driven through their named controls on lists of
// their own, saving into a folder of their own.
#include <QRadioButton>

#include "support/test_support.h"
#include "ui/controls/date_picker.h"
#include "ui/dialogs/city_editor.h"
#include "ui/dialogs/dst_editor.h"

namespace heliomark::testing {
namespace {

QStringList Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

std::string Names(const CityList& cities) {
    std::string names;
    for (const CityRecord& c : cities)
        names += c.Name + ";";
    return names;
}

struct CityEditorOn {
    explicit CityEditorOn(const std::filesystem::path& file = {}) {
        settings.DefaultCitySetting = "Paris";
        editor = std::make_unique<CityEditor>(cities, rules, settings,
                                              file.empty() ? folder / "city_db.txt" : file);
        editor->show();
    }
    void Name(const char* name) { TypeInto(Find<QLineEdit>(editor.get(), "txtName"), name, false); }
    void Press(const char* button) { Click(Find(editor.get(), button)); }
    QString Get(const char* name) { return Shown(editor.get(), name); }
    TempFolder folder;
    CityList cities{{"Berlin", 52.52, 13.405, 35, "EU"},
                    {"Cape Town", -33.925, 18.424, 40, "None"},
                    {"Lima", -12.046, -77.043, 14, "Gone"},
                    {"Paris", 48.857, 2.352, 35, "EU"}};
    DstRuleList rules{{"EU", {1, 5, 3}, {1, 5, 10}, {}}, {"US", {1, 2, 3}, {1, 1, 11}, {}}};
    Settings settings;
    std::unique_ptr<CityEditor> editor;
};

TEST(CityEditor, TypingANameShowsThatCityOrANewOne) {
    struct Case {
        const char* typed;
        const char *lat, *ns, *lon, *ew, *zone, *dst, *act;
        bool known;
    } cases[] = {
        {"BERLIN", "52.52", "N", "13.405", "E", "GMT+02:00", "EU", "Apply Changes", true},
        {"cape town", "33.925", "S", "18.424", "E", "GMT+03:00", "None", "Apply Changes", true},
        {"lIMA", "12.046", "S", "77.043", "W", "GMT-05:00", "None", "Apply Changes", true},  // rule gone
        {"Oslo", "0", "N", "0", "E", "GMT", "None", "Add New", false},
    };
    CityEditorOn e;
    EXPECT_EQ(Items(Find<QComboBox>(e.editor.get(), "cmbCities")).join(";"), "Berlin;Cape Town;Lima;Paris");
    EXPECT_EQ(Items(Find<QComboBox>(e.editor.get(), "cmbDST")).join(";"), "None;EU;US");
    for (const Case& c : cases) {
        e.Name(c.typed);
        EXPECT_EQ(QString::number(Find(e.editor.get(), "apLat")->property("Value").toDouble()), c.lat)
            << c.typed;
        EXPECT_EQ(QString::number(Find(e.editor.get(), "apLon")->property("Value").toDouble()), c.lon)
            << c.typed;
        EXPECT_EQ(e.Get("cmbLat") + e.Get("cmbLon"), QString(c.ns) + c.ew) << c.typed;
        EXPECT_EQ(e.Get("cmbHZ"), c.zone) << c.typed;
        EXPECT_EQ(e.Get("cmbDST"), c.dst) << c.typed;
        EXPECT_EQ(e.Get("cmdAct"), c.act) << c.typed;
        EXPECT_EQ(Find(e.editor.get(), "cmdRen")->isEnabled(), c.known) << c.typed;
        EXPECT_EQ(Find(e.editor.get(), "cmdRem")->isEnabled(), c.known) << c.typed;
    }
    for (const char* reserved : {"Home", ""}) {
        e.Name(reserved);
        EXPECT_FALSE(Find(e.editor.get(), "cmdAct")->isEnabled()) << '"' << reserved << '"';
    }
    Choose(Find<QComboBox>(e.editor.get(), "cmbCities"), "Paris");
    EXPECT_EQ(e.Get("txtName"), "Paris");
}

TEST(CityEditor, AddNewThenApplyMakesOneCityWithTheSignsOfItsHemispheres) {
    CityEditorOn e;
    e.Name("Oslo Fjord Harbour Town");  // the box stops at the 15 characters the file keeps
    EXPECT_EQ(e.Get("txtName"), "Oslo Fjord Harb");
    TypeInto(Find<QLineEdit>(Find(e.editor.get(), "apLat"), "txtDeg"), "-59");
    TypeInto(Find<QLineEdit>(Find(e.editor.get(), "apLat"), "txtMin"), "54");
    EXPECT_EQ(e.Get("cmbLat"), "S") << "a negative latitude means south";
    TypeInto(Find<QLineEdit>(Find(e.editor.get(), "apLon"), "txtDeg"), "10");
    Choose(Find<QComboBox>(e.editor.get(), "cmbLon"), "W");
    Choose(Find<QComboBox>(e.editor.get(), "cmbDST"), "US");
    e.Press("cmdAct");
    ASSERT_EQ(Names(e.cities), "Berlin;Cape Town;Lima;Oslo Fjord Harb;Paris;");
    EXPECT_DOUBLE_EQ(e.cities[3].Latitude, -59.9);
    EXPECT_DOUBLE_EQ(e.cities[3].Longitude, -10);
    EXPECT_EQ(e.cities[3].ZoneIndex, 26);
    EXPECT_EQ(e.cities[3].DstName, "US");
    EXPECT_EQ(e.Get("cmdAct"), "Apply Changes");
    EXPECT_EQ(e.Get("txtName"), "Oslo Fjord Harb") << "the new city is still shown";
    EXPECT_TRUE(Find(e.editor.get(), "cmdRen")->isEnabled() && Find(e.editor.get(), "cmdRem")->isEnabled())
        << "a city just added can be renamed and removed";

    Choose(Find<QComboBox>(e.editor.get(), "cmbLat"), "N");
    e.Press("cmdAct");
    ASSERT_EQ(e.cities.size(), 5u) << "the second click added a copy";
    EXPECT_DOUBLE_EQ(e.cities[3].Latitude, 59.9);
    EXPECT_EQ(Items(Find<QComboBox>(e.editor.get(), "cmbCities")).size(), 5);
    // Picking the city whose name is in the box shows it again, over a change not applied.
    Choose(Find<QComboBox>(e.editor.get(), "cmbLat"), "S");
    Choose(Find<QComboBox>(e.editor.get(), "cmbCities"), "Oslo Fjord Harb");
    EXPECT_EQ(e.Get("cmbLat"), "N");
    EXPECT_TRUE(Find(e.editor.get(), "cmdRem")->isEnabled());
}

TEST(CityEditor, PlacesBeyondThePolesAreRefused) {
    CityEditorOn e;
    ModalAnswerer answerer;
    e.Name("Nowhere");
    TypeInto(Find<QLineEdit>(Find(e.editor.get(), "apLat"), "txtDeg"), "95");
    e.Press("cmdAct");
    EXPECT_EQ(e.cities.size(), 4u);
    EXPECT_EQ(answerer.Messages.size(), 1);
}

TEST(CityEditor, RenameMovesTheCityToItsNewPlaceAndACancelKeepsIt) {
    CityEditorOn e;
    e.Name("Paris");
    {
        ModalAnswerer cancel;
        e.Press("cmdRen");
        EXPECT_EQ(cancel.InputPrompts, QStringList{"Rename Location: Enter new name:"});
    }
    EXPECT_EQ(Names(e.cities), "Berlin;Cape Town;Lima;Paris;");
    {
        ModalAnswerer answer("Athens");
        e.Press("cmdRen");
    }
    EXPECT_EQ(Names(e.cities), "Athens;Berlin;Cape Town;Lima;");
    EXPECT_DOUBLE_EQ(e.cities[0].Latitude, 48.857);
    EXPECT_EQ(e.Get("txtName"), "Athens");
    EXPECT_EQ(e.Get("cmdAct"), "Apply Changes");
}

TEST(CityEditor, RemovingAndClosingWritesTheFileAndForgetsARemovedDefaultCity) {
    CityEditorOn e;
    e.Name("berlin");  // not the default city: the setting stays
    {
        ModalAnswerer no;
        no.Yes = false;
        e.Press("cmdRem");
        EXPECT_EQ(no.Messages, QStringList{"Remove the city \"Berlin\"?\n"});
        EXPECT_EQ(e.cities.size(), 4u) << "No keeps the city";
    }
    ModalAnswerer yes;
    e.Press("cmdRem");
    EXPECT_EQ(e.settings.DefaultCitySetting, "Paris");
    EXPECT_EQ(e.Get("txtName"), "");
    EXPECT_FALSE(Find(e.editor.get(), "cmdRem")->isEnabled());
    e.Name("Paris");
    e.Press("cmdRem");
    EXPECT_EQ(e.settings.DefaultCitySetting, "0");
    EXPECT_EQ(Items(Find<QComboBox>(e.editor.get(), "cmbCities")).join(";"), "Cape Town;Lima");
    e.Press("cmdEx");
    EXPECT_FALSE(e.editor->isVisible());
    EXPECT_EQ(Names(LoadCities(e.folder / "city_db.txt")), "Cape Town;Lima;");
}

TEST(Editors, AFailedSaveIsReportedNamingTheFileAndTheListsKept) {
    TempFolder folder;
    WriteText(folder / "not_a_folder", "x");
    {
        CityEditorOn e(folder / "not_a_folder" / "city_db.txt");
        e.Name("Lima");
        ModalAnswerer answerer;
        e.Press("cmdRem");
        e.Press("cmdEx");
        ASSERT_EQ(answerer.Messages.size(), 2);
        EXPECT_TRUE(answerer.Messages[1].contains("not_a_folder/city_db.txt"))
            << answerer.Messages[1].toStdString();
        EXPECT_EQ(e.cities.size(), 3u);
    }
    DstRuleList rules = TestRules();
    DstEditor dialog(rules, folder / "not_a_folder" / "dst_types.txt");
    dialog.show();
    ModalAnswerer answerer;
    QTest::keyClick(&dialog, Qt::Key_Escape);  // Esc, like the close box, saves as well
    ASSERT_EQ(answerer.Messages.size(), 1);
    EXPECT_TRUE(answerer.Messages[0].contains("not_a_folder/dst_types.txt"))
        << answerer.Messages[0].toStdString();
}

TEST(CityEditor, AClickOnTheBackgroundFoldsTheHourZoneList) {
    CityEditorOn e;
    Click(Find(Find(e.editor.get(), "cmbHZ"), "cmdOp"));
    ASSERT_TRUE(Find(e.editor.get(), "cmbHZ")->property("FullSize").toBool());
    Click(e.editor.get(), QPoint(4, e.editor->height() - 4));
    EXPECT_FALSE(Find(e.editor.get(), "cmbHZ")->property("FullSize").toBool());
}

struct DstEditorOn {
    DstEditorOn() : editor(rules, folder / "dst_types.txt") { editor.show(); }
    void Name(const char* name) { TypeInto(Find<QLineEdit>(&editor, "txtName"), name, false); }
    void Year(const char* year) { TypeInto(Find<QLineEdit>(&editor, "txtYear"), year, false); }
    void Press(const char* button) { Click(Find(&editor, button)); }
    bool Visible(const char* name) { return Find(&editor, name)->isVisible(); }
    // The six day lists of the permanent format: ordinal, weekday, month of the start, then the end.
    QString Days() {
        QStringList days;
        for (const char* list : {"cmbCnt1", "cmbWeek1", "cmbMon1", "cmbCnt2", "cmbWeek2", "cmbMon2"})
            days << Shown(&editor, list);
        return days.join(" ");
    }
    TempFolder folder;
    DstRuleList rules{{"EU", {1, 5, 3}, {1, 5, 10}, {}},
                      {"Brazil",
                       {1, 1, 11},
                       {1, 3, 2},
                       {{2018, DateSerial(2018, 11, 4), DateSerial(2019, 2, 17)},
                        {2019, DateSerial(2019, 11, 3), DateSerial(2020, 2, 16)}}},
                      {"Chile", {}, {}, {{2020, DateSerial(2020, 9, 6), DateSerial(2021, 4, 4)}}}};
    DstEditor editor;
};

TEST(DstEditor, NamingARuleShowsItsFormat) {
    DstEditorOn e;
    EXPECT_EQ(Items(Find<QComboBox>(&e.editor, "cmbDST")).join(";"), "EU;Brazil;Chile");
    e.Name("eu");
    EXPECT_EQ(Shown(&e.editor, "cmdUpd"), "Update");
    EXPECT_TRUE(Find<QRadioButton>(&e.editor, "optPer")->isChecked());
    EXPECT_TRUE(e.Visible("Frame1") && !e.Visible("Frame2"));
    EXPECT_EQ(e.Days(), "Last Sunday March Last Sunday October");

    Choose(Find<QComboBox>(&e.editor, "cmbDST"), "Brazil");
    EXPECT_EQ(Shown(&e.editor, "txtName"), "Brazil");
    EXPECT_TRUE(Find<QRadioButton>(&e.editor, "optCust")->isChecked());
    EXPECT_TRUE(e.Visible("Frame2") && !e.Visible("Frame1"));
    EXPECT_EQ(Items(Find<QComboBox>(&e.editor, "cmbYears")).join(";"), "2018;2019");

    e.Name("Mars");
    EXPECT_EQ(Shown(&e.editor, "cmdUpd"), "Add New");
    EXPECT_FALSE(Find(&e.editor, "cmdRem")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(&e.editor, "optPer")->isChecked());
}

TEST(DstEditor, YearsAreAddedSavedAndKeptInTheRuleOnUpdate) {
    DstEditorOn e;
    e.Name("Brazil");
    Choose(Find<QComboBox>(&e.editor, "cmbYears"), "2018");
    EXPECT_EQ(Shown(&e.editor, "txtYear"), "2018");
    EXPECT_EQ(Find<DatePicker>(&e.editor, "dpStart")->Value(), DateSerial(2018, 11, 4));
    EXPECT_EQ(Find<DatePicker>(&e.editor, "dpEnd")->Value(), DateSerial(2019, 2, 17));
    EXPECT_FALSE(Find(&e.editor, "cmdAdd")->isEnabled());

    e.Year("2021");  // not listed: no dates until Add
    EXPECT_FALSE(e.Visible("dpStart") || Find(&e.editor, "cmdRemY")->isEnabled());
    e.Press("cmdAdd");
    EXPECT_EQ(Find<DatePicker>(&e.editor, "dpStart")->Value(), DateSerial(2021, 4, 1));
    EXPECT_EQ(Find<DatePicker>(&e.editor, "dpEnd")->Value(), DateSerial(2021, 10, 1));
    TypeInto(Find<QLineEdit>(Find(&e.editor, "dpEnd"), "txtDay"), "20");
    e.Press("cmdSave");
    EXPECT_EQ(Items(Find<QComboBox>(&e.editor, "cmbYears")).join(";"), "2018;2019;2021");
    EXPECT_EQ(e.rules[1].Years.size(), 2u) << "the rule list changed before Update";
    e.Year("2019");
    TypeInto(Find<QLineEdit>(Find(&e.editor, "dpStart"), "txtDay"), "20");
    e.Press("cmdSave");
    e.Press("cmdUpd");
    ASSERT_EQ(e.rules[1].Years.size(), 3u);
    EXPECT_EQ(e.rules[1].Years[1].StartDate, DateSerial(2019, 11, 20));
    EXPECT_EQ(e.rules[1].Years[2].Year, 2021);
    EXPECT_EQ(e.rules[1].Years[2].EndDate, DateSerial(2021, 10, 20));
    e.Press("cmdEx");
    EXPECT_EQ(LoadDstRules(e.folder / "dst_types.txt")[1].Years.size(), 3u);
}

TEST(DstEditor, RulesChangeFormatGainAndLoseYearsAndAreAddedAndRemoved) {
    DstEditorOn e;
    e.Name("Brazil");
    Click(Find(&e.editor, "optPer"));
    EXPECT_TRUE(e.Visible("Frame1") && !e.Visible("Frame2"));
    Choose(Find<QComboBox>(&e.editor, "cmbCnt1"), "Second");
    Choose(Find<QComboBox>(&e.editor, "cmbWeek1"), "Sunday");
    Choose(Find<QComboBox>(&e.editor, "cmbMon1"), "October");
    e.Press("cmdUpd");
    EXPECT_TRUE(e.rules[1].Years.empty());
    EXPECT_EQ(e.rules[1].Start.Ordinal, 2);
    EXPECT_EQ(e.rules[1].Start.Weekday, 1);
    EXPECT_EQ(e.rules[1].Start.Month, 10);

    e.Name("Chile");  // its last year removed: a permanent rule
    e.Year("2020");
    e.Press("cmdRemY");
    EXPECT_EQ(Shown(&e.editor, "txtYear"), "");
    e.Press("cmdRemY");  // the button keeps its state after the year box empties: harmless
    e.Press("cmdUpd");
    EXPECT_TRUE(e.rules[2].Years.empty());

    e.Name("Mars");
    e.Press("cmdUpd");
    e.Press("cmdUpd");  // every Add New click appends
    EXPECT_EQ(Items(Find<QComboBox>(&e.editor, "cmbDST")).join(";"), "EU;Brazil;Chile;Mars;Mars");

    Choose(Find<QComboBox>(&e.editor, "cmbDST"), "EU");
    e.Name("brazil");  // the typed name, not the list's selection, is removed
    ModalAnswerer answerer;
    e.Press("cmdRem");
    EXPECT_EQ(answerer.Messages, QStringList{"Remove the daylight saving rule \"Brazil\"?\n"});
    EXPECT_EQ(Items(Find<QComboBox>(&e.editor, "cmbDST")).join(";"), "EU;Chile;Mars;Mars");
    EXPECT_EQ(Shown(&e.editor, "txtName"), "");
    e.Press("cmdEx");
    EXPECT_EQ(LoadDstRules(e.folder / "dst_types.txt").size(), 4u);
}

}  // namespace
}  // namespace heliomark::testing
