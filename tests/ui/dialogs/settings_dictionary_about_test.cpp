// The settings dialog, the dictionary window and the about box, driven through their named controls.
#include <QDesktopServices>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUrl>

#include "data/dictionary.h"
#include "support/test_support.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/dictionary_window.h"
#include "ui/dialogs/settings_dialog.h"

namespace heliomark::testing {
namespace {

Settings SampleSettings() {
    Settings s;
    s.ShowSecondsSetting = 1;
    s.AngleFormatSetting = true;
    s.RAFormatSetting = 2;
    s.DefaultCitySetting = "paris";
    s.CalendarSaveFolder = "/home/someone/calendars";
    s.GridQuality = 33;
    s.ParallelsDensity = 3;
    s.MeridiansDensity = 1;
    s.MoveWindowsTogether = true;
    return s;
}

struct SettingsOn {
    explicit SettingsOn(Settings s = SampleSettings(), const std::filesystem::path& file = {})
        : settings(s),
          dialog(settings, cities, file.empty() ? folder / "settings.ini" : file,
                 {[this] { steps << "rebuild " + QString::number(settings.GridQuality); },
                  [this](int16_t d) { steps << "meridians " + QString::number(d); },
                  [this](int16_t d) { steps << "parallels " + QString::number(d); },
                  [this] { steps << "redraw"; }}),
          applied(&dialog, &SettingsDialog::Applied) {
        dialog.show();
    }
    QString Get(const char* name) { return Shown(&dialog, name); }
    TempFolder folder;
    CityList cities{{"Berlin", 52.52, 13.405, 35, "EU"}, {"Paris", 48.857, 2.352, 35, "EU"}};
    Settings settings;
    QStringList steps;  // what OK did to the sky grid, in order
    SettingsDialog dialog;
    QSignalSpy applied;
};

TEST(SettingsDialog, OkStoresEveryChoiceAndRebuildsTheSkyGridInOrder) {
    SettingsOn s;
    Choose(Find<QComboBox>(&s.dialog, "cmbTime"), "Short hh:mm");
    Choose(Find<QComboBox>(&s.dialog, "cmbAng"), "Decimal");
    Choose(Find<QComboBox>(&s.dialog, "cmbRA"), "DMS (dd°mm'ss'')");
    TypeInto(Find<QLineEdit>(&s.dialog, "txtQlty"), "45");
    Choose(Find<QComboBox>(&s.dialog, "cmbVer"), "15°");
    Choose(Find<QComboBox>(&s.dialog, "cmbHor"), "None");
    Click(Find(&s.dialog, "chkBind"), QPoint(6, 8));
    Click(Find(&s.dialog, "cmdOK"));
    EXPECT_FALSE(s.dialog.isVisible());
    EXPECT_EQ(s.steps.join(", "), "rebuild 45, meridians 4, redraw, parallels 0, redraw");
    const Settings saved = LoadSettings(s.folder / "settings.ini");
    EXPECT_EQ(std::tuple(int(saved.ShowSecondsSetting), bool(saved.AngleFormatSetting),
                         int(saved.RAFormatSetting), int(saved.GridQuality), int(saved.MeridiansDensity),
                         int(saved.ParallelsDensity), bool(saved.MoveWindowsTogether)),
              std::tuple(0, false, 1, 45, 4, 0, false));
    EXPECT_EQ(saved.DefaultCitySetting + " " + saved.CalendarSaveFolder, "Paris /home/someone/calendars");
    EXPECT_EQ(SerializeSettings(saved), SerializeSettings(s.settings));
}

TEST(SettingsDialog, EnterInTheQualityBoxMovesTheScrollBarWithinItsRange) {
    const std::pair<const char*, int> cases[] = {{"3", 4},   {"4", 4},     {"50", 50},  {"51", 50},
                                                 {"abc", 4}, {"12.5", 12}, {"13.5", 14}};
    SettingsOn s;
    for (const auto& [typed, value] : cases) {
        TypeInto(Find<QLineEdit>(&s.dialog, "txtQlty"), typed);
        EXPECT_EQ(Find<QScrollBar>(&s.dialog, "scrQlty")->value(), value) << typed;
        EXPECT_TRUE(s.Get("txtQlty") == QString::number(value) && s.dialog.isVisible()) << "after " << typed;
    }
    EXPECT_EQ(s.settings.GridQuality, 33) << "only OK stores";
}

TEST(SettingsDialog, ShowsTheSettingsCancelChangesNothingAndValuesOutsideTheListsSurviveOk) {
    {
        SettingsOn s;
        QStringList shown;
        for (const char* name : {"cmbTime", "cmbAng", "cmbRA", "cmbHome", "txtQlty", "cmbHor", "cmbVer"})
            shown << s.Get(name);
        EXPECT_EQ(shown.join(" | "), "Full hh:mm:ss | DMS (dd°mm'ss'') | hh:mm:ss | Paris | 33 | 30° | 90°");
        Choose(Find<QComboBox>(&s.dialog, "cmbTime"), "Short hh:mm");
        Click(Find(&s.dialog, "cmdCancel"));
        EXPECT_TRUE(s.settings.ShowSecondsSetting == 1 && s.applied.count() == 0);
        EXPECT_FALSE(std::filesystem::exists(s.folder / "settings.ini"));
    }
    Settings odd;
    odd.RAFormatSetting = 3;
    odd.MeridiansDensity = 9;
    odd.GridQuality = 80;
    SettingsOn s(odd);
    EXPECT_EQ(s.Get("cmbRA"), "");
    Click(Find(&s.dialog, "cmdOK"));
    EXPECT_EQ(s.settings.RAFormatSetting * 10 + s.settings.MeridiansDensity, 39) << "kept as they were";
    EXPECT_EQ(s.settings.GridQuality, 50) << "the scroll bar holds its maximum";
}

TEST(SettingsDialog, AFailedSaveIsReportedAndTheSettingsStillApply) {
    TempFolder folder;
    WriteText(folder / "not_a_folder", "x");
    SettingsOn s(SampleSettings(), folder / "not_a_folder" / "settings.ini");
    Choose(Find<QComboBox>(&s.dialog, "cmbTime"), "Short hh:mm");
    ModalAnswerer answerer;
    Click(Find(&s.dialog, "cmdOK"));
    ASSERT_EQ(answerer.Messages.size(), 1);
    EXPECT_TRUE(answerer.Messages[0].contains("not_a_folder/settings.ini") &&
                s.settings.ShowSecondsSetting == 0 && s.applied.count() == 1)
        << answerer.Messages[0].toStdString();
}

TEST(DictionaryWindow, ListsTheSortedTitlesShowsTheChosenEntryAndReadsTheFileOnce) {
    TempFolder folder;
    WriteText(folder / "dict.txt",
              "Glossary of Heliomark\r\n!azimuth\r\nDirection along the horizon.\r\n\r\nFrom north.\r\n"
              "!Zenith\r\nStraight up.\r\n!\r\nUntitled.\r\n");
    Dictionary dictionary;
    {
        DictionaryWindow window(dictionary, folder / "dict.txt");
        window.show();
        auto* list = Find<QListWidget>(&window, "List1");
        QStringList titles;
        for (int i = 0; i < list->count(); ++i)
            titles << list->item(i)->text();
        EXPECT_EQ(titles.join(";"), ";Zenith;azimuth");
        Click(list->viewport(), list->visualItemRect(list->item(2)).center());
        EXPECT_EQ(Shown(&window, "Label1") + "|" + Shown(&window, "Text1"),
                  "azimuth|Direction along the horizon.\n\nFrom north.\n");
        Click(list->viewport(), list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(Shown(&window, "Label1") + "|" + Shown(&window, "Text1"), "|Untitled.\n");
        EXPECT_TRUE(Find(&window, "Label1")->font().bold()) << "the entry's title stands out";
    }
    WriteText(folder / "dict.txt", "!Other\r\n");
    DictionaryWindow again(dictionary, folder / "dict.txt");
    EXPECT_EQ(Find<QListWidget>(&again, "List1")->count(), 3) << "read once per run";
}

TEST(DictionaryWindow, AMissingFileOpensEmptyAndAnUnreadableOneIsReported) {
    TempFolder folder;
    for (const bool unreadable : {false, true}) {
        ModalAnswerer answerer;
        Dictionary dictionary;
        DictionaryWindow window(dictionary, unreadable ? folder.Path() : folder / "dict.txt");
        EXPECT_EQ(Find<QListWidget>(&window, "List1")->count(), 0);
        EXPECT_EQ(answerer.Messages.size(), unreadable ? 1 : 0);
        EXPECT_TRUE(!unreadable ||
                    answerer.Messages.value(0).contains(QString::fromStdString(folder.Path().string())));
    }
}

class UrlCatcher : public QObject {
    Q_OBJECT
  public slots:
    void Open(const QUrl& url) { opened << url; }

  public:
    QList<QUrl> opened;
};

TEST(AboutBox, ShowsNameVersionAndCreditsAndOpensTheWebAddress) {
    AboutBox about;
    about.show();
    EXPECT_EQ(Shown(&about, "Label1") + " " + Shown(&about, "Label2"), "Heliomark Pro Version 1.3");
    const QString credits = Shown(&about, "Label4");
    EXPECT_TRUE(credits.contains("Meeus") && credits.contains(QString::fromUtf8("Sæmundsson")))
        << credits.toStdString();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    Click(Find(&about, "Label5"));
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_TRUE(catcher.opened == QList{QUrl(Shown(&about, "Label5"))} &&
                Shown(&about, "Label5").startsWith("https://"));
}

}  // namespace
}  // namespace heliomark::testing

#include "settings_dictionary_about_test.moc"
