// The calendar window on a running program: its column choices, Calculate reading the main window,
// Save to File and the main window's update after it closes.
#include <sys/resource.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <sstream>

#include "../main/program_fixture.h"
#include "cli/cli.h"
#include "dialog_test_support.h"
#include "ui/controls/angle_picker.h"
#include "ui/controls/flat_button.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/dialogs/calendar_window.h"

namespace heliomark::testing {
namespace {

const char* const PlainColumns[] = {"chkSR", "chkSS", "chkDL", "chkAlt", "chkNoon", "chkRA", "chkDec"};

// The program on 21 June 2024 in Berlin (EU daylight saving) with the calendar open beside it.
struct CalendarOnProgram {
    ProgramFolder folder;
    std::unique_ptr<Program> program;
    std::unique_ptr<CalendarWindow> calendar;
    QStringList reports;

    explicit CalendarOnProgram(const std::string& city = "Berlin") {
        folder.WriteStandardData(city);
        program = std::make_unique<Program>(folder);
        calendar = std::make_unique<CalendarWindow>(program->Main());
        calendar->setWindowModality(Qt::NonModal);  // the main window stays reachable in the tests
        calendar->ReportSaveFailure = [this](QWidget*, const QString& action, const std::exception& e) {
            reports << action + QStringLiteral("\n") + QString::fromStdString(e.what());
        };
        calendar->show();
    }

    template <class T = QWidget>
    T* Get(const char* name) {
        return Control<T>(calendar.get(), name);
    }
    // Near the left edge: a check box takes clicks only on its box and caption, not the whole row.
    void Click(const char* name) {
        QWidget* w = Get(name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    }
    void ChooseKind(int kind) { Get<QComboBox>("cmbTW")->setCurrentIndex(kind); }
    QStringList Lines() {
        return Get<QPlainTextEdit>("Text1")->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    }
    // The day lines and month names: everything after the header's empty line.
    QStringList Table() {
        const QStringList all = Get<QPlainTextEdit>("Text1")->toPlainText().split(u'\n');
        const qsizetype blank = all.indexOf(QString());
        return all.mid(blank + 1).filter(QRegularExpression(QStringLiteral(".")));
    }
};

std::string FlagsText(const std::array<TwilightColumnFlags, 3>& flags) {
    std::string text;
    for (const TwilightColumnFlags& f : flags)
        text += std::string(f.Any ? "A" : "-") + (f.Length ? "L" : "-") + (f.Start ? "S" : "-") +
                (f.End ? "E" : "-") + " ";
    return text;
}

TEST(CalendarWindow, OpensWithTheMainWindowsMonthAndTheThreeDayColumns) {
    CalendarOnProgram c;
    EXPECT_EQ(c.calendar->objectName(), "frmCal");
    EXPECT_EQ(c.calendar->windowTitle(), "Calendar");
    const std::pair<const char*, const char*> captions[] = {
        {"chkSR", "Sunrise"},        {"chkSS", "Sunset"},          {"chkDL", "Day Length"},
        {"chkAlt", "Max. Altitude"}, {"chkNoon", "Transit Time"},  {"chkRA", "Right Acsention"},
        {"chkDec", "Declination"},   {"chkAll", "Check All"},      {"chkStart", "Starts"},
        {"chkEnd", "Ends"},          {"chkLen", "Twilight Length"}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(c.Get<QCheckBox>(name)->text(), caption) << name;
        const bool dayColumn =
            std::string(name) == "chkSR" || std::string(name) == "chkSS" || std::string(name) == "chkDL";
        EXPECT_EQ(c.Get<QCheckBox>(name)->isChecked(), dayColumn) << name;
    }
    EXPECT_EQ(c.Get<QLabel>("Label1")->text(), "Year:");
    EXPECT_EQ(c.Get<QLabel>("Label2")->text(), " Select Columns");
    EXPECT_EQ(c.Get<QLabel>("Label3")->text(), " Twilights");
    for (const auto& [name, caption] :
         {std::pair{"Command1", "Calculate"}, {"cmdSave", "Save to File"}, {"cmdEx", "Close"}})
        EXPECT_EQ(c.Get<QPushButton>(name)->text(), caption) << name;
    EXPECT_EQ(c.Get<QRadioButton>("optY")->text(), "Whole Year");
    EXPECT_TRUE(c.Get<QRadioButton>("optM")->isChecked());

    auto* year = c.Get<QLineEdit>("txtYear");
    EXPECT_EQ(year->text(), "2024");
    EXPECT_TRUE(year->isReadOnly());
    auto* months = c.Get<QComboBox>("cmbMonths");
    ASSERT_EQ(months->count(), 12);
    EXPECT_EQ(months->itemText(0), "January");
    EXPECT_EQ(months->itemText(11), "December");
    EXPECT_EQ(months->currentText(), "June");
    auto* kinds = c.Get<QComboBox>("cmbTW");
    EXPECT_EQ(kinds->count(), 3);
    EXPECT_EQ(kinds->currentText(), "Civil Twilights");
    EXPECT_EQ(kinds->itemText(2), "Astronomical Twilights");

    auto* text = c.Get<QPlainTextEdit>("Text1");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_TRUE(QFontInfo(text->font()).fixedPitch());
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    EXPECT_TRUE(months->isVisible());
    c.Click("optY");
    EXPECT_FALSE(months->isVisible());
    c.Click("optM");
    EXPECT_TRUE(months->isVisible());
}

TEST(CalendarWindow, CheckAllThenUncheckAllSetsEveryColumnAndFlag) {
    CalendarOnProgram c;
    c.ChooseKind(1);
    for (const bool all : {true, false}) {
        c.Click("chkAll");
        EXPECT_EQ(c.Get<QCheckBox>("chkAll")->text(), all ? "Uncheck All" : "Check All");
        for (const char* name : PlainColumns)
            EXPECT_EQ(c.Get<QCheckBox>(name)->isChecked(), all) << name << " after chkAll " << all;
        for (const char* name : {"chkStart", "chkEnd", "chkLen"})
            EXPECT_EQ(c.Get<QCheckBox>(name)->isChecked(), all) << name << " after chkAll " << all;
        EXPECT_EQ(FlagsText(c.calendar->TwilightFlags()), all ? "ALSE ALSE ALSE " : "---- ---- ---- ");
    }
}

TEST(CalendarWindow, EachTwilightKindKeepsItsOwnColumns) {
    CalendarOnProgram c;
    c.Click("chkStart");  // civil
    c.ChooseKind(1);
    EXPECT_FALSE(c.Get<QCheckBox>("chkStart")->isChecked()) << "nautical shows civil's Starts";
    c.Click("chkEnd");
    c.Click("chkLen");
    c.ChooseKind(2);
    c.Click("chkLen");
    c.Click("chkLen");  // astronomical: on and off again leaves the kind off
    const std::string expected = "A-S- AL-E ---- ";
    EXPECT_EQ(FlagsText(c.calendar->TwilightFlags()), expected);

    // Showing a kind sets the three boxes from its flags; that must not write into any kind.
    const std::pair<int, std::array<bool, 3>> shown[] = {{0, {true, false, false}},
                                                         {1, {false, true, true}},
                                                         {2, {false, false, false}},
                                                         {0, {true, false, false}}};
    for (const auto& [kind, boxes] : shown) {
        c.ChooseKind(kind);
        EXPECT_EQ(c.Get<QCheckBox>("chkStart")->isChecked(), boxes[0]) << "kind " << kind;
        EXPECT_EQ(c.Get<QCheckBox>("chkEnd")->isChecked(), boxes[1]) << "kind " << kind;
        EXPECT_EQ(c.Get<QCheckBox>("chkLen")->isChecked(), boxes[2]) << "kind " << kind;
        EXPECT_EQ(FlagsText(c.calendar->TwilightFlags()), expected) << "after showing kind " << kind;
    }
}

TEST(CalendarWindow, CalculateReadsTheMainWindowAsItIsThen) {
    CalendarOnProgram c;
    c.Click("Command1");
    QStringList lines = c.Lines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "Calculated values are valid for year 2024 at Berlin (52.520° N , 13.405° E)");
    EXPECT_EQ(lines[1], "Hour Zone: " + c.program->Find<HourZonePicker>("cmbHZ")->Text());
    EXPECT_EQ(lines[2], "Daylight saving time is enabled");
    EXPECT_TRUE(lines[3].startsWith("Summer Solstice at ")) << lines[3].toStdString();
    const QStringList berlin = c.Table();

    // A latitude typed by hand in the main window: the location form, and other days.
    c.program->TypeInto("apLat", "txtDeg", "61");
    const double latitude = c.program->Number("apLat", "Value");
    c.Click("Command1");
    lines = c.Lines();
    EXPECT_TRUE(lines[0].startsWith("Calculated values are valid for year 2024 at location: 61."))
        << lines[0].toStdString();
    const QStringList moved = c.Table();
    EXPECT_NE(moved, berlin);

    // The same table from the calendar core for that place.
    CalendarRequest r;
    r.Year = 2024;
    r.Month = 6;
    r.DstInUse = true;
    r.DstStart = c.program->Number("dpStart", "Value");
    r.DstEnd = c.program->Number("dpEnd", "Value");
    r.Latitude = DegToRad(latitude);
    r.Longitude = 13.405;
    r.HourZone = c.program->Number("cmbHZ", "HourZone");
    SolarState state;
    const QString expected = QString::fromStdString(BuildCalendarText(r, state));
    const QStringList expectedLines = expected.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(moved, expectedLines.mid(expectedLines.indexOf(QStringLiteral("June"))));
    EXPECT_EQ(c.program->Main().State().Day, 30) << "the calendar leaves the last day computed";

    // Another city: its name, its southern and western place texts, no daylight saving.
    c.program->Choose("cmbCities", "Lima");
    c.Click("Command1");
    lines = c.Lines();
    EXPECT_EQ(lines[0], "Calculated values are valid for year 2024 at Lima (12.050° S , 77.040° W)");
    EXPECT_EQ(lines[2], "Daylight saving time is disabled");
}

TEST(CalendarWindow, MonthAndWholeYearListEveryDayUnderItsMonthsName) {
    CalendarOnProgram c;
    c.Get<QComboBox>("cmbMonths")->setCurrentIndex(1);
    c.Click("Command1");
    QStringList table = c.Table();
    EXPECT_EQ(table.size(), 1 + 29) << "February 2024";
    EXPECT_EQ(table.value(0), "February");
    EXPECT_TRUE(table.value(29).startsWith("29  ")) << table.value(29).toStdString();

    c.Click("optY");
    c.Click("Command1");
    table = c.Table();
    EXPECT_EQ(table.size(), 12 + 366) << "the whole of 2024";
    int month = 0;
    for (qsizetype i = 0; i < table.size(); ++i) {
        if (table[i].front().isLetter()) {
            ++month;
            EXPECT_EQ(table[i].toStdString(), CalendarMonthName(month));
            EXPECT_TRUE(table.value(i + 1).startsWith("01  ")) << "after " << table[i].toStdString();
        }
    }
    EXPECT_EQ(month, 12);
    const QStringList lines = c.Lines();
    EXPECT_EQ(lines.filter(QRegularExpression("^Daylight saving time (starts|ends) at ")).size(), 2);
    EXPECT_EQ(lines.filter(QRegularExpression("^(Vernal|Autumnal) Equinox at ")).size(), 2);
}

// Save to File with the dialog's answer given in advance.
struct SaveAnswer {
    explicit SaveAnswer(QString answer = {}) : file(std::move(answer)) {}
    QString file;
    QStringList proposed;
    QString filter;
    QString selected;  // the filter the user leaves selected; empty: the dialog's default
    void AnswerFor(CalendarWindow& calendar) {
        calendar.AskSaveFileName = [this](QWidget*, const QString& p, const QString& f,
                                          QString* chosenFilter) {
            proposed << p;
            filter = f;
            if (!selected.isEmpty()) *chosenFilter = selected;
            return file;
        };
    }
};

TEST(CalendarWindow, SaveWritesTheTextWithCrLfAsUtf8AndRemembersTheFolder) {
    CalendarOnProgram c;
    ScratchFolder target("calendar_save");
    const auto file = target.Path() / "june.txt";
    WriteBytes(file, std::string(100000, 'x'));  // an older, longer file is replaced whole
    c.Click("chkAll");
    c.Click("Command1");
    SaveAnswer answer(QString::fromStdString(file.string()));
    answer.AnswerFor(*c.calendar);
    c.Click("cmdSave");
    c.Click("cmdSave");

    EXPECT_TRUE(c.reports.isEmpty()) << c.reports.join("; ").toStdString();
    const std::string saved = ReadBytes(file);
    EXPECT_EQ(saved, c.calendar->CalendarText());
    EXPECT_NE(saved.find("°"), std::string::npos) << "the angles' degree sign in UTF-8";
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
    for (std::size_t i = saved.find('\n'); i != std::string::npos; i = saved.find('\n', i + 1))
        ASSERT_EQ(saved[i - 1], '\r') << "a bare line feed at byte " << i;
    const QString shown = c.Get<QPlainTextEdit>("Text1")->toPlainText();
    EXPECT_EQ(QString::fromUtf8(saved).replace("\r\n", "\n"), shown);

    const std::string folder = target.Path().string() + "/";
    EXPECT_EQ(c.program->Main().State().Settings.CalendarSaveFolder, folder);
    EXPECT_EQ(answer.proposed, QStringList({"Cal1.txt", QString::fromStdString(folder) + "Cal1.txt"}));
    EXPECT_EQ(answer.filter,
              "Text Files (*.txt);;CSV Files (*.csv);;iCalendar Files (*.ics);;All Files (*.*)");
}

// The file's extension names the type; without one the selected filter does and adds its extension.
TEST(CalendarWindow, SaveWritesTheTypeTheNameOrTheFilterChooses) {
    CalendarOnProgram c;
    c.Click("Command1");
    ScratchFolder target("calendar_types");
    const auto path = [&target](const char* name) {
        return QString::fromStdString((target.Path() / name).string());
    };
    struct Case {
        const char *Name, *Filter, *Written, *Begins;
    } cases[] = {
        {"june.csv", "", "june.csv", "Date,Sunrise,Sunset,Day Length\r\n2024-06-01,"},
        {"june.ics", "Text Files (*.txt)", "june.ics", "BEGIN:VCALENDAR\r\n"},
        {"plain", "CSV Files (*.csv)", "plain.csv", "Date,"},
        {"phone", "iCalendar Files (*.ics)", "phone.ics", "BEGIN:VCALENDAR\r\n"},
        {"notes.TXT", "iCalendar Files (*.ics)", "notes.TXT", "Calculated values are valid for year 2024"},
        {"other", "All Files (*.*)", "other", "Calculated values are valid for year 2024"},
    };
    for (const Case& k : cases) {
        SaveAnswer answer(path(k.Name));
        answer.selected = k.Filter;
        answer.AnswerFor(*c.calendar);
        c.Click("cmdSave");
        const std::string saved = ReadBytes(target.Path() / k.Written);
        EXPECT_EQ(saved.substr(0, std::string(k.Begins).size()), k.Begins) << k.Name << " with " << k.Filter;
    }
    EXPECT_TRUE(c.reports.isEmpty()) << c.reports.join("; ").toStdString();
    // The CSV holds the days the text lists, the iCalendar file a sunrise and a sunset for each.
    const std::string csv = ReadBytes(target.Path() / "june.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 30);
    const std::string ics = ReadBytes(target.Path() / "june.ics");
    std::size_t events = 0;
    for (std::size_t i = ics.find("BEGIN:VEVENT"); i != std::string::npos;
         i = ics.find("BEGIN:VEVENT", i + 1))
        ++events;
    EXPECT_EQ(events, 60u);
    EXPECT_NE(ics.find("SUMMARY:Sunrise 04:43 - Berlin\r\n"), std::string::npos) << "21 June in Berlin";
}

// The command line, given the same city, year and columns, writes the window's day lines.
TEST(CalendarWindow, CommandLineCalendarHasTheWindowsDayLines) {
    for (const std::string city : {"Berlin", "Sydney"}) {
        CalendarOnProgram c(city);
        c.Click("chkAll");
        c.Click("optY");
        c.Click("Command1");
        cli::CliEnvironment env;
        env.ProgramFolder = c.folder.Path("");
        std::ostringstream out, err;
        const std::vector<std::string> args = {"calendar", "--city",    city, "--year",
                                               "2024",     "--columns", "all"};
        ASSERT_EQ(cli::RunCli(args, out, err, env), 0) << err.str();
        const auto days = [](const std::string& text) { return text.substr(text.find("\r\n\r\n")); };
        const std::string window = c.calendar->CalendarText();
        EXPECT_GT(window.size(), 366u * 100);
        EXPECT_EQ(days(out.str()), days(window)) << city;
    }
}

TEST(CalendarWindow, ACancelledSaveChangesNothingAndSaysNothing) {
    CalendarOnProgram c;
    c.program->Main().State().Settings.CalendarSaveFolder = "/somewhere/";
    c.Click("Command1");
    SaveAnswer answer;
    answer.AnswerFor(*c.calendar);
    c.Click("cmdSave");
    EXPECT_EQ(answer.proposed, QStringList{"/somewhere/Cal1.txt"});
    EXPECT_TRUE(c.reports.isEmpty());
    EXPECT_EQ(c.program->Main().State().Settings.CalendarSaveFolder, "/somewhere/");
}

TEST(CalendarWindow, AFailedSaveNamesTheFileAndKeepsTheOldOne) {
    CalendarOnProgram c;
    c.Click("chkAll");
    c.Click("Command1");
    ScratchFolder target("calendar_fail");

    // A folder that cannot exist: the name's parent is a plain file.
    const auto nowhere = target.Unwritable("Cal1.txt");
    SaveAnswer answer(QString::fromStdString(nowhere.string()));
    answer.AnswerFor(*c.calendar);
    c.Click("cmdSave");
    ASSERT_EQ(c.reports.size(), 1);
    EXPECT_TRUE(c.reports[0].contains(QString::fromStdString(nowhere.string())))
        << c.reports[0].toStdString();

    // A full disk, as a file-size limit below the calendar's size: the old file stays as it was.
    const auto file = target.Path() / "Cal1.txt";
    WriteBytes(file, "old calendar\r\n");
    answer.file = QString::fromStdString(file.string());
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    c.Click("cmdSave");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_GT(c.calendar->CalendarText().size(), 1024u);
    ASSERT_EQ(c.reports.size(), 2);
    EXPECT_TRUE(c.reports[1].contains(answer.file)) << c.reports[1].toStdString();
    EXPECT_EQ(ReadBytes(file), "old calendar\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.Path()), {}), 2)
        << "a temporary file was left behind";
}

// Runs `open` (which shows the calendar modally) and, inside it, presses Calculate and Close.
int DayComputedInsideTheModalCalendar(Program& p, const std::function<void()>& open) {
    int lastDay = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* calendar = qobject_cast<CalendarWindow*>(QApplication::activeModalWidget());
        if (!calendar) return;
        driver.stop();
        QTest::mouseClick(calendar->findChild<QWidget*>("Command1"), Qt::LeftButton);
        lastDay = p.Main().State().Day;
        QTest::mouseClick(calendar->findChild<QWidget*>("cmdEx"), Qt::LeftButton);
    });
    driver.start(10);
    open();
    return lastDay;
}

TEST(CalendarWindow, TheMainWindowRestoresItsDayWhenTheCalendarCloses) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    Program p(folder);
    auto* item = p.Find<QAction>("mnuCal");
    EXPECT_EQ(item->text(), "&Calendar...");
    const QList<QAction*> file = p.Find<QMenu>("mnuFile")->actions();
    ASSERT_EQ(file.size(), 4);
    EXPECT_EQ(file[1], item) << "after Settings, above the separator and Exit";
    auto* button = p.Find<FlatButton>("fbCal");
    EXPECT_EQ(button->toolTip(), "Calendar");
    EXPECT_EQ(button->Style(), 0);

    const QString sunrise = p.Text("txtSR");
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"mnuCal", [item] { item->trigger(); }},
        {"fbCal", [button] { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8)); }}};
    for (const auto& [way, open] : ways) {
        EXPECT_EQ(DayComputedInsideTheModalCalendar(p, open), 30) << way;
        EXPECT_EQ(p.Main().State().Day, 21) << way;
        EXPECT_EQ(p.Main().State().Month, 6) << way;
        EXPECT_EQ(p.Text("txtSR"), sunrise) << way;
        EXPECT_EQ(p.Main().findChild<QWidget*>("frmCal"), nullptr) << way << ": the calendar is gone";
    }
}

TEST(CalendarWindow, HeaderDatesFollowTheLocale) {
    const QLocale german(QLocale::German, QLocale::Germany),
        american(QLocale::English, QLocale::UnitedStates);
    const double day = DateSerial(2024, 3, 31);
    struct Case {
        const QLocale& locale;
        double when;
        std::string date, shortTime;
    };
    const Case cases[] = {
        {german, day, "31.03.24", "00:00"},
        {german, day + TimeSerial(2, 30, 15), "31.03.24 02:30:15", "02:30"},
        {german, day + TimeSerial(20, 51, 47), "31.03.24 20:51:47", "20:51"},
        {american, day + TimeSerial(20, 51, 47), "3/31/24 8:51:47 PM", "8:51 PM"},
        {american, day + TimeSerial(23, 59, 59.7), "4/1/24", "12:00 AM"},
    };
    for (const Case& t : cases) {
        EXPECT_EQ(LocaleDateText(t.when, t.locale), t.date) << t.locale.name().toStdString() << " " << t.when;
        EXPECT_EQ(LocaleShortTimeText(t.when, t.locale), t.shortTime)
            << t.locale.name().toStdString() << " " << t.when;
    }
}

}  // namespace
}  // namespace heliomark::testing
