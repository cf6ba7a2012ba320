// The calendar window on a running program: its columns, Calculate, Save to File and closing.
#include <sys/resource.h>

#include <QCheckBox>
#include <QRegularExpression>
#include <cctype>
#include <csignal>

#include "support/test_support.h"
#include "ui/dialogs/calendar_window.h"

namespace heliomark::testing {
namespace {

// The program on 21 June 2024 in `city` with the calendar open beside it, not modal.
struct CalendarOnProgram {
    explicit CalendarOnProgram(const std::string& city = "Berlin")
        : folder(city), program(folder), calendar(program.Main()) {
        calendar.setWindowModality(Qt::NonModal);
        calendar.ReportSaveFailure = [this](QWidget*, const QString& action, const std::exception& e) {
            reports << action + "\n" + e.what();
        };
        calendar.AskSaveFileName = [this](QWidget*, const QString& proposed, const QString& filter,
                                          QString* chosenFilter) {
            proposals << proposed + " " + filter;
            if (!selected.isEmpty()) *chosenFilter = selected;
            return answer;
        };
        calendar.show();
    }
    // A click near the left edge: a check box takes clicks only on its box and caption.
    void Click(const char* name) { testing::Click(Find(&calendar, name), QPoint(6, 8)); }
    QString Text() { return Find<QPlainTextEdit>(&calendar, "Text1")->toPlainText(); }
    // The header's first three lines and the first day line, parted by " | ".
    QString Header() { return (Text().split('\n').mid(0, 3) << Table().value(1)).join(" | "); }
    void Choose(const char* list, const char* entry) {
        testing::Choose(Find<QComboBox>(&calendar, list), entry);
    }
    void Save(const std::filesystem::path& file) {
        answer = QString::fromStdString(file.string());
        Click("cmdSave");
    }
    // The day lines and month names: everything after the header's empty line.
    QStringList Table() {
        const QStringList all = Text().split('\n');
        return all.mid(all.indexOf(QString()) + 1).filter(QRegularExpression("."));
    }

    ProgramFolder folder;
    Program program;
    CalendarWindow calendar;
    QStringList reports, proposals;
    QString answer;    // the file the save dialog gives, empty for a cancel
    QString selected;  // the type the user leaves selected in it; empty: the dialog's default
};

TEST(CalendarWindow, OpensWithTheMainWindowsMonthAndTheThreeDayColumns) {
    CalendarOnProgram c;
    QStringList checked;
    for (const QCheckBox* box : c.calendar.findChildren<QCheckBox*>())
        checked << box->text() + (box->isChecked() ? "+" : "-");
    EXPECT_EQ(
        checked.join(" "),
        "Sunrise+ Sunset+ Day Length+ Max. Altitude- Transit Time- Right Acsention- Declination- Check All- "
        "Starts- Ends- Twilight Length-");
    EXPECT_EQ(Shown(&c.calendar, "txtYear") + " " + Shown(&c.calendar, "cmbMonths") + " " +
                  Shown(&c.calendar, "cmbTW"),
              "2024 June Civil Twilights");
    auto* text = Find<QPlainTextEdit>(&c.calendar, "Text1");
    EXPECT_TRUE(text->isReadOnly() && QFontInfo(text->font()).fixedPitch()) << "the columns line up";
    c.Click("chkStart");  // each twilight kind keeps its own boxes
    c.Choose("cmbTW", "Nautical Twilights");
    c.Click("chkEnd");
    c.Click("chkLen");
    QString state;
    for (const char* kind : {"Civil Twilights", "Astronomical Twilights", "Nautical Twilights"}) {
        c.Choose("cmbTW", kind);
        for (const char* box : {"chkStart", "chkEnd", "chkLen"})
            state += Find<QCheckBox>(&c.calendar, box)->isChecked() ? "+" : "-";
    }
    EXPECT_EQ(state, "+------++");
}

TEST(CalendarWindow, TheColumnsCheckedAreTheColumnsListed) {
    // Each row: the boxes clicked (a kind chosen first where named) and the first day line then.
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{}, "01  04:49  21:20  16:31"},
        {{"chkSR", "chkDL", "chkNoon", "chkDec"}, "01  21:20  13:04  22.155°"},
        {{"Nautical Twilights", "chkEnd", "chkLen"}, "01  04:49  21:20  16:31  23:22  02:01"},
        {{"chkAll"},
         "01  04:49  21:20  16:31  59.635°  13:04  69.905°  22.155°  04:02  22:08  00:48  02:48  23:22  "
         "02:01  -  -"},
        {{"chkAll", "chkAll"}, "01"},
    };
    for (const auto& [clicks, firstDay] : cases) {
        CalendarOnProgram c;
        std::string what;
        for (const char* step : clicks) {
            what += std::string(step) + " ";
            std::isupper(static_cast<unsigned char>(step[0])) ? c.Choose("cmbTW", step) : c.Click(step);
        }
        c.Click("Command1");
        EXPECT_EQ(c.Table().value(1), firstDay) << what;
    }
}

TEST(CalendarWindow, CalculateReadsThePlaceZoneAndDstOfTheMainWindowThen) {
    CalendarOnProgram c;
    c.Click("Command1");
    EXPECT_EQ(c.Header(),
              "Calculated values are valid for year 2024 at Berlin (52.520° N , 13.405° E) | Hour Zone: "
              "GMT+01:00 | Daylight saving time is enabled | 01  04:49  21:20  16:31");
    c.program.Choose("cmbCities", "Lima");
    c.Click("Command1");
    EXPECT_EQ(c.Header(),
              "Calculated values are valid for year 2024 at Lima (12.050° S , 77.040° W) | Hour Zone: "
              "GMT-05:00 | Daylight saving time is disabled | 01  06:22  17:50  11:28");
}

TEST(CalendarWindow, AMonthOrTheWholeYearListsEveryDayUnderItsMonthsName) {
    CalendarOnProgram c;
    c.Choose("cmbMonths", "February");
    c.Click("Command1");
    QStringList table = c.Table();
    EXPECT_TRUE(table.size() == 1 + 29 && table.value(0) == "February") << "February 2024";
    c.Click("optY");
    c.Click("Command1");
    table = c.Table();
    EXPECT_EQ(table.size(), 12 + 366) << "the whole of 2024";
    EXPECT_EQ(table.filter(QRegularExpression("^[A-Z]")).join(" "),
              "January February March April May June July August September October November December");
    EXPECT_EQ(c.Text().count(
                  QRegularExpression("\n(Daylight saving time (starts|ends)|(Vernal|Autumnal) Equinox) at ")),
              4);
}

TEST(CalendarWindow, SaveWritesTheTextAsUtf8WithCrLfAndRemembersTheFolder) {
    CalendarOnProgram c;
    TempFolder target;
    WriteText(target / "june.txt", std::string(100000, 'x'));  // an older, longer file is replaced whole
    c.Click("chkAll");
    c.Click("Command1");
    c.Save(target / "june.txt");
    c.Click("cmdSave");
    EXPECT_TRUE(c.reports.isEmpty()) << c.reports.join("; ").toStdString();
    const QString saved = QString::fromStdString(ReadText(target / "june.txt"));
    EXPECT_TRUE(saved.contains("°") && saved.endsWith("\r\n")) << "the degree sign in UTF-8";
    EXPECT_EQ(saved.count("\n"), saved.count("\r\n")) << "a bare line feed";
    EXPECT_EQ(QString(saved).replace("\r\n", "\n"), c.Text());
    const QString folder = QString::fromStdString(target.Path().string()) + "/";
    const QString filter = " Text Files (*.txt);;CSV Files (*.csv);;iCalendar Files (*.ics);;All Files (*.*)";
    EXPECT_EQ(c.proposals, QStringList({"Cal1.txt" + filter, folder + "Cal1.txt" + filter}));

    c.answer.clear();  // a cancelled save changes nothing and says nothing
    c.program.Main().State().Settings.CalendarSaveFolder = "/somewhere/";
    c.Click("cmdSave");
    EXPECT_EQ(c.proposals.value(2), "/somewhere/Cal1.txt" + filter);
    EXPECT_TRUE(c.reports.isEmpty() && c.program.Main().State().Settings.CalendarSaveFolder == "/somewhere/");
}

// The file's extension names the type; without one the selected type does and adds its extension.
TEST(CalendarWindow, SaveWritesTheTypeTheNameOrTheFilterChooses) {
    CalendarOnProgram c;
    c.Click("Command1");
    TempFolder target;
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"june.csv", "", "june.csv", "Date,Sunrise,Sunset,Day Length\r\n2024-06-01,"},
        {"june.ics", "Text Files (*.txt)", "june.ics", "BEGIN:VCALENDAR\r\n"},
        {"plain", "CSV Files (*.csv)", "plain.csv", "Date,"},
        {"notes.TXT", "iCalendar Files (*.ics)", "notes.TXT", "Calculated values are valid for year 2024"},
        {"other", "All Files (*.*)", "other", "Calculated values are valid for year 2024"}};
    for (const auto& [name, filter, written, begins] : cases) {
        c.selected = filter;
        c.Save(target / name);
        EXPECT_EQ(ReadText(target / written).substr(0, begins.size()), begins) << name << " with " << filter;
    }
    EXPECT_TRUE(c.reports.isEmpty()) << c.reports.join("; ").toStdString();
    // The CSV holds the days the text lists, the iCalendar file a sunrise and a sunset for each.
    const std::string csv = ReadText(target / "june.csv"), ics = ReadText(target / "june.ics");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 30);
    EXPECT_EQ(QString::fromStdString(ics).count("BEGIN:VEVENT"), 60);
    EXPECT_NE(ics.find("SUMMARY:Sunrise 04:43 - Berlin\r\n"), std::string::npos) << "21 June in Berlin";
}

TEST(CalendarWindow, AFailedSaveNamesTheFileAndKeepsTheOldOne) {
    CalendarOnProgram c;
    c.Click("chkAll");
    c.Click("Command1");
    TempFolder target;
    WriteText(target / "not_a_folder", "x");
    c.Save(target / "not_a_folder" / "Cal1.txt");
    ASSERT_EQ(c.reports.size(), 1);
    EXPECT_TRUE(c.reports[0].contains(c.answer)) << c.reports[0].toStdString();

    // A full disk, as a file-size limit below the calendar's size: the old file stays as it was.
    WriteText(target / "Cal1.txt", "old calendar\r\n");
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    c.Save(target / "Cal1.txt");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_GT(c.Text().size(), 1024);
    ASSERT_EQ(c.reports.size(), 2);
    EXPECT_TRUE(c.reports[1].contains(c.answer)) << c.reports[1].toStdString();
    EXPECT_EQ(ReadText(target / "Cal1.txt"), "old calendar\r\n");
    EXPECT_EQ(target.Entries().size(), 2u) << "a temporary file was left behind";
}

TEST(CalendarWindow, TheMainWindowShowsItsOwnDayAgainWhenTheCalendarCloses) {
    ProgramFolder folder("Berlin");
    Program p(folder);
    const QString sunrise = p.Text("txtSR");
    ModalAnswerer answerer;
    QString lastDay;
    answerer.OnDialog("frmCal", [&lastDay](QDialog* d) {
        Click(Find(d, "Command1"));
        lastDay = Find<QPlainTextEdit>(d, "Text1")->toPlainText();
        Click(Find(d, "cmdEx"));
    });
    p.Click("fbCal");
    EXPECT_TRUE(!lastDay.isEmpty() && p.Text("txtSR") == sunrise && p.Main().State().Day == 21);
    EXPECT_TRUE(p.Find("fbCal")->property("VisualState").toInt() != 2 &&
                !p.Find("fbCal")->property("Value").toBool())
        << "fbCal is not held down";
}

TEST(CalendarWindow, HeaderDatesFollowTheLocale) {
    const QLocale german(QLocale::German, QLocale::Germany),
        american(QLocale::English, QLocale::UnitedStates);
    const double day = DateSerial(2024, 3, 31), late = day + TimeSerial(20, 51, 47),
                 midnight = day + TimeSerial(23, 59, 59.7);
    ExpectTexts({ROW(LocaleDateText(day, german), "31.03.24"),
                 ROW(LocaleDateText(late, american), "3/31/24 8:51:47 PM"),
                 ROW(LocaleShortTimeText(late, american), "8:51 PM"),
                 ROW(LocaleDateText(midnight, american), "4/1/24"),
                 ROW(LocaleShortTimeText(midnight, american), "12:00 AM")});
}

}  // namespace
}  // namespace heliomark::testing
