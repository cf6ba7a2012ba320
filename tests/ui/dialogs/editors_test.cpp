// The city editor and the daylight-saving editor, on lists and in a folder of their own.
#include <QRadioButton>

#include "support/test_support.h"
#include "ui/controls/date_picker.h"
#include "ui/dialogs/city_editor.h"
#include "ui/dialogs/dst_editor.h"

namespace heliomark::testing {
namespace {

QString Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items.join(";");
}
std::string Names(const CityList& cities) {
    std::string names;
    for (const CityRecord& c : cities)
        names += c.Name + ";";
    return names;
}
// "+" for each of `names` enabled under `root`, "-" for each disabled.
QString Enabled(QWidget* root, std::initializer_list<const char*> names) {
    QString state;
    for (const char* name : names)
        state += Find(root, name)->isEnabled() ? "+" : "-";
    return state;
}

// An editor on its own lists, shown, with the control helpers a user's hands need.
template <class Editor>
struct EditorOn {
    QWidget* W(const char* name) { return Find(editor.get(), name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(editor.get(), name); }
    QString Get(const char* name) { return Shown(editor.get(), name); }
    void Type(const char* box, const char* text) {
        TypeInto(Find<QLineEdit>(editor.get(), box), text, false);
    }
    void Type(const char* picker, const char* field, const char* text) {
        TypeInto(Find<QLineEdit>(W(picker), field), text);
    }
    void Press(const char* button) { Click(W(button)); }
    TempFolder folder;
    std::unique_ptr<Editor> editor;
};

struct CityEditorOn : EditorOn<CityEditor> {
    explicit CityEditorOn(const std::filesystem::path& file = {}) {
        settings.DefaultCitySetting = "Paris";
        editor = std::make_unique<CityEditor>(cities, rules, settings,
                                              file.empty() ? folder / "city_db.txt" : file);
        editor->show();
    }
    CityList cities{{"Berlin", 52.52, 13.405, 35, "EU"},
                    {"Cape Town", -33.925, 18.424, 40, "None"},
                    {"Lima", -12.046, -77.043, 14, "Gone"},
                    {"Paris", 48.857, 2.352, 35, "EU"}};
    DstRuleList rules{{"EU", {1, 5, 3}, {1, 5, 10}, {}}, {"US", {1, 2, 3}, {1, 1, 11}, {}}};
    Settings settings;
};

TEST(CityEditor, TypingANameShowsThatCityOrANewOne) {
    // Latitude, longitude, zone, rule, the action button's caption, Rename and Remove enabled.
    const std::pair<const char*, const char*> cases[] = {
        {"BERLIN", "52.52 N 13.405 E GMT+02:00 EU Apply Changes ++"},
        {"lIMA", "12.046 S 77.043 W GMT-05:00 None Apply Changes ++"},  // its rule is gone
        {"Oslo", "0 N 0 E GMT None Add New --"},
    };
    CityEditorOn e;
    EXPECT_EQ(Items(e.List("cmbCities")) + "|" + Items(e.List("cmbDST")),
              "Berlin;Cape Town;Lima;Paris|None;EU;US");
    for (const auto& [typed, shown] : cases) {
        e.Type("txtName", typed);
        EXPECT_EQ(QStringList({QString::number(e.W("apLat")->property("Value").toDouble()), e.Get("cmbLat"),
                               QString::number(e.W("apLon")->property("Value").toDouble()), e.Get("cmbLon"),
                               e.Get("cmbHZ"), e.Get("cmbDST"), e.Get("cmdAct"),
                               Enabled(e.editor.get(), {"cmdRen", "cmdRem"})})
                      .join(" "),
                  shown)
            << typed;
    }
    for (const char* reserved : {"Home", ""}) {
        e.Type("txtName", reserved);
        EXPECT_FALSE(e.W("cmdAct")->isEnabled()) << '"' << reserved << '"';
    }
    Choose(e.List("cmbCities"), "Paris");
    EXPECT_EQ(e.Get("txtName"), "Paris");
}

TEST(CityEditor, AddNewThenApplyMakesOneCityWithTheSignsOfItsHemispheresAndRefusesThePoles) {
    CityEditorOn e;
    e.Type("txtName", "Oslo Fjord Harbour Town");  // the box stops at the 15 characters the file keeps
    EXPECT_EQ(e.Get("txtName"), "Oslo Fjord Harb");
    e.Type("apLat", "txtDeg", "-59");
    e.Type("apLat", "txtMin", "54");
    EXPECT_EQ(e.Get("cmbLat"), "S") << "a negative latitude means south";
    e.Type("apLon", "txtDeg", "10");
    Choose(e.List("cmbLon"), "W");
    Choose(e.List("cmbDST"), "US");
    e.Press("cmdAct");
    ASSERT_EQ(Names(e.cities), "Berlin;Cape Town;Lima;Oslo Fjord Harb;Paris;");
    const CityRecord& added = e.cities[3];
    EXPECT_EQ(std::tuple(added.Latitude, added.Longitude, int(added.ZoneIndex), added.DstName),
              std::tuple(-59.9, -10.0, 26, std::string("US")));
    EXPECT_EQ(e.Get("cmdAct") + " " + Enabled(e.editor.get(), {"cmdRen", "cmdRem"}), "Apply Changes ++")
        << "still shown; a city just added can be renamed";

    Choose(e.List("cmbLat"), "N");
    e.Press("cmdAct");
    ASSERT_EQ(e.cities.size(), 5u) << "the second click added a copy";
    EXPECT_TRUE(e.cities[3].Latitude == 59.9 && e.List("cmbCities")->count() == 5);

    ModalAnswerer answerer;  // beyond the pole: refused with a message
    e.Type("txtName", "Nowhere");
    e.Type("apLat", "txtDeg", "95");
    e.Press("cmdAct");
    EXPECT_TRUE(e.cities.size() == 5u && answerer.Messages.size() == 1);
}

TEST(CityEditor, RenameMovesTheCityToItsNewPlaceAndACancelKeepsIt) {
    CityEditorOn e;
    e.Type("txtName", "Paris");
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
    EXPECT_EQ(e.Get("txtName") + " " + e.Get("cmdAct"), "Athens Apply Changes");
}

TEST(CityEditor, RemovingAndClosingWritesTheFileAndKeepsTheDefaultCity) {
    CityEditorOn e;
    e.Type("txtName", "berlin");  // not the default city: the setting stays
    {
        ModalAnswerer no;
        no.Yes = false;
        e.Press("cmdRem");
        EXPECT_EQ(no.Messages, QStringList{"Remove the city \"Berlin\"?\n"});
        EXPECT_EQ(e.cities.size(), 4u) << "No keeps the city";
    }
    ModalAnswerer yes;
    e.Press("cmdRem");
    EXPECT_EQ(Items(e.List("cmbCities")), "Cape Town;Lima;Paris");
    e.Press("cmdEx");
    EXPECT_TRUE(e.settings.DefaultCitySetting == "Paris" && e.Get("txtName") == "" &&
                !e.W("cmdRem")->isEnabled() && !e.editor->isVisible());
    EXPECT_EQ(Names(LoadCities(e.folder / "city_db.txt")), "Cape Town;Lima;Paris;");
}

TEST(Editors, AFailedSaveIsReportedNamingTheFileAndTheListsKept) {
    TempFolder folder;
    WriteText(folder / "not_a_folder", "x");
    ModalAnswerer answerer;
    CityEditorOn e(folder / "not_a_folder" / "city_db.txt");
    e.Type("txtName", "Lima");
    e.Press("cmdRem");
    e.Press("cmdEx");
    DstRuleList rules = TestRules();
    DstEditor dialog(rules, folder / "not_a_folder" / "dst_types.txt");
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);  // Esc, like the close box, saves as well
    ASSERT_EQ(answerer.Messages.size(), 3);
    EXPECT_TRUE(answerer.Messages[1].contains("not_a_folder/city_db.txt") && e.cities.size() == 3u &&
                answerer.Messages[2].contains("not_a_folder/dst_types.txt"))
        << answerer.Messages.join("|").toStdString();
}

struct DstEditorOn : EditorOn<DstEditor> {
    DstEditorOn() {
        editor = std::make_unique<DstEditor>(rules, folder / "dst_types.txt");
        editor->show();
    }
    bool Visible(const char* name) { return W(name)->isVisible(); }
    // The format chosen, the frames shown and the permanent format's ordinal, weekday, month x 2.
    QString Format() {
        QStringList shown = {Find<QRadioButton>(editor.get(), "optPer")->isChecked() ? "permanent" : "yearly",
                             QString(Visible("Frame1") ? "1" : "") + (Visible("Frame2") ? "2" : "")};
        for (const char* list : {"cmbCnt1", "cmbWeek1", "cmbMon1", "cmbCnt2", "cmbWeek2", "cmbMon2"})
            shown << Get(list);
        return shown.join(" ");
    }
    DstRuleList rules{{"EU", {1, 5, 3}, {1, 5, 10}, {}},
                      {"Brazil",
                       {1, 1, 11},
                       {1, 3, 2},
                       {{2018, DateSerial(2018, 11, 4), DateSerial(2019, 2, 17)},
                        {2019, DateSerial(2019, 11, 3), DateSerial(2020, 2, 16)}}},
                      {"Chile", {}, {}, {{2020, DateSerial(2020, 9, 6), DateSerial(2021, 4, 4)}}}};
};

TEST(DstEditor, NamingARuleShowsItsFormatAndYearsAreAddedSavedAndKeptOnUpdate) {
    DstEditorOn e;
    e.Type("txtName", "eu");
    EXPECT_EQ(e.Get("cmdUpd") + " " + e.Format(), "Update permanent 1 Last Sunday March Last Sunday October");
    Choose(e.List("cmbDST"), "Brazil");
    EXPECT_EQ(e.Get("txtName") + " " + e.Format().left(8) + Items(e.List("cmbYears")),
              "Brazil yearly 22018;2019");
    // Years are added, saved and kept in the rule on Update.
    const auto dates = [&e] {
        return std::pair{Find<DatePicker>(e.editor.get(), "dpStart")->Value(),
                         Find<DatePicker>(e.editor.get(), "dpEnd")->Value()};
    };
    e.Type("txtName", "Brazil");
    Choose(e.List("cmbYears"), "2018");
    EXPECT_TRUE(e.Get("txtYear") == "2018" && !e.W("cmdAdd")->isEnabled() &&
                dates() == std::pair(DateSerial(2018, 11, 4), DateSerial(2019, 2, 17)));

    e.Type("txtYear", "2021");  // not listed: no dates until Add
    EXPECT_FALSE(e.Visible("dpStart") || e.W("cmdRemY")->isEnabled());
    e.Press("cmdAdd");
    EXPECT_EQ(dates(), std::pair(DateSerial(2021, 4, 1), DateSerial(2021, 10, 1)));
    e.Type("dpEnd", "txtDay", "20");
    e.Press("cmdSave");
    EXPECT_EQ(Items(e.List("cmbYears")), "2018;2019;2021");
    EXPECT_EQ(e.rules[1].Years.size(), 2u) << "the rule list changed before Update";
    e.Type("txtYear", "2019");
    e.Type("dpStart", "txtDay", "20");
    e.Press("cmdSave");
    e.Press("cmdUpd");
    ASSERT_EQ(e.rules[1].Years.size(), 3u);
    EXPECT_EQ(
        std::tuple(e.rules[1].Years[1].StartDate, e.rules[1].Years[2].Year, e.rules[1].Years[2].EndDate),
        std::tuple(DateSerial(2019, 11, 20), 2021, DateSerial(2021, 10, 20)));
    e.Press("cmdEx");
    EXPECT_EQ(LoadDstRules(e.folder / "dst_types.txt")[1].Years.size(), 3u);
}

TEST(DstEditor, RulesChangeFormatGainAndLoseYearsAndAreAddedAndRemoved) {
    DstEditorOn e;
    e.Type("txtName", "Brazil");
    Click(e.W("optPer"));
    Choose(e.List("cmbCnt1"), "Second");
    Choose(e.List("cmbWeek1"), "Sunday");
    Choose(e.List("cmbMon1"), "October");
    e.Press("cmdUpd");
    const auto& start = e.rules[1].Start;
    EXPECT_EQ(std::tuple(e.rules[1].Years.size(), start.Ordinal, start.Weekday, start.Month),
              std::tuple(0u, 2, 1, 10));

    e.Type("txtName", "Chile");  // its last year removed: a permanent rule
    e.Type("txtYear", "2020");
    e.Press("cmdRemY");
    e.Press("cmdUpd");
    EXPECT_TRUE(e.rules[2].Years.empty() && e.Get("txtYear") == "");

    e.Type("txtName", "Mars");
    e.Press("cmdUpd");
    e.Press("cmdUpd");  // every Add New click appends
    EXPECT_EQ(Items(e.List("cmbDST")), "EU;Brazil;Chile;Mars;Mars");

    Choose(e.List("cmbDST"), "EU");
    e.Type("txtName", "brazil");  // the typed name, not the list's selection, is removed
    ModalAnswerer answerer;
    e.Press("cmdRem");
    EXPECT_EQ(answerer.Messages, QStringList{"Remove the daylight saving rule \"Brazil\"?\n"});
    EXPECT_EQ(Items(e.List("cmbDST")) + "|" + e.Get("txtName"), "EU;Chile;Mars;Mars|");
    e.Press("cmdEx");
    EXPECT_EQ(LoadDstRules(e.folder / "dst_types.txt").size(), 4u);
}

}  // namespace
}  // namespace heliomark::testing
