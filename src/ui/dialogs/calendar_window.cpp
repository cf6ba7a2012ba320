#include "ui/dialogs/calendar_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>

#include "calendar/calendar_export.h"
#include "data/data.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/main/list_click.h"
#include "ui/main/main_window.h"
#include "ui/tool_tips.h"

namespace heliomark {

namespace {

const QString DefaultFileName = QStringLiteral("Cal1.txt");
const QString TextFilter = QStringLiteral("Text Files (*.txt)");
const QString CsvFilter = QStringLiteral("CSV Files (*.csv)");
const QString IcsFilter = QStringLiteral("iCalendar Files (*.ics)");
const QString FileFilter =
    TextFilter + ";;" + CsvFilter + ";;" + IcsFilter + QStringLiteral(";;All Files (*.*)");

// The file's own extension decides when it names one of the three types; otherwise the filter
// left selected does, and a name without any extension gets that filter's.
CalendarFileType ChooseSaveType(QString& file, const QString& selectedFilter) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == u"txt") return CalendarFileType::Text;
    if (suffix == u"csv") return CalendarFileType::Csv;
    if (suffix == u"ics") return CalendarFileType::Ics;
    const CalendarFileType type = selectedFilter == CsvFilter   ? CalendarFileType::Csv
                                  : selectedFilter == IcsFilter ? CalendarFileType::Ics
                                                                : CalendarFileType::Text;
    if (suffix.isEmpty() && type != CalendarFileType::Text)
        file += type == CalendarFileType::Csv ? QStringLiteral(".csv") : QStringLiteral(".ics");
    return type;
}

// A font whose characters all have one width, so that the table's columns line up whatever fonts
// the machine has: the system's fixed font asked for as monospace, and when the machine resolves
// that to a proportional face, the first fixed-pitch family it has.
QFont FixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch()) return font;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family)) {
            font.setFamily(family);
            break;
        }
    }
    return font;
}

// An OLE date-time as a date and a time of day in whole seconds. The clock time is written in UTC
// so that no time of the computer's own zone (a daylight-saving gap) can move it.
QDateTime ToDateTime(double oleDateTime) {
    const double day = OleDatePart(oleDateTime);
    QDate date(YearOf(day), MonthOf(day), DayOf(day));
    long long seconds = std::llround(OleTimePart(oleDateTime) * 86400);
    if (seconds == 86400) {  // a hair before midnight rounds to the next day
        date = date.addDays(1);
        seconds = 0;
    }
    return QDateTime(date, QTime(0, 0).addSecs(static_cast<int>(seconds)), Qt::UTC);
}

// `format` without its time-zone name: every unquoted "t" goes, with the blanks and an empty
// pair of brackets it leaves behind ("h:mm:ss AP t" gives "h:mm:ss AP", "H:mm:ss (t)" "H:mm:ss").
QString WithoutTimeZone(const QString& format) {
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        kept += c;
    }
    kept.replace(QStringLiteral("()"), QString());
    kept.replace(QStringLiteral("[]"), QString());
    return kept.simplified();
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked = false) {
    auto* box = Named(new QCheckBox(caption, parent), name);
    box->setChecked(checked);
    return box;
}

// The section titles are captions on a dark band, like the group headings of the other dialogs.
QLabel* SectionLabel(QWidget* parent, const char* name, const QString& caption) {
    QLabel* label = NewLabel(parent, caption, name);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Dark);
    label->setForegroundRole(QPalette::BrightText);
    return label;
}

}  // namespace

std::string LocaleDateText(double oleDateTime, const QLocale& locale) {
    const QDateTime when = ToDateTime(oleDateTime);
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        text += u' ' + locale.toString(when, WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    return text.toStdString();
}

std::string LocaleShortTimeText(double oleDateTime, const QLocale& locale) {
    const QDateTime when = ToDateTime(oleDateTime);
    return locale.toString(when, WithoutTimeZone(locale.timeFormat(QLocale::ShortFormat))).toStdString();
}

CalendarWindow::CalendarWindow(MainWindow& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmCal"));
    setWindowTitle(QStringLiteral("Calendar"));
    setModal(true);

    txtYear = Named(new QLineEdit(this), "txtYear");
    txtYear->setReadOnly(true);
    txtYear->setMaximumWidth(64);
    // The year comes from the main window's date; the box shows it on the window's own colour, as
    // read-only boxes look, and is no stop on the way through the window with Tab.
    QPalette shown = txtYear->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    txtYear->setPalette(shown);
    txtYear->setFocusPolicy(Qt::ClickFocus);
    optY = Named(new QRadioButton(QStringLiteral("Whole Year"), this), "optY");
    optM = Named(new QRadioButton(QStringLiteral("Month"), this), "optM");
    cmbMonths = NewDropDown(this, "cmbMonths", MonthNames());
    QSizePolicy keepPlace = cmbMonths->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);  // the window keeps its shape in Whole Year mode
    cmbMonths->setSizePolicy(keepPlace);

    chkSR = NewCheckBox(this, "chkSR", QStringLiteral("Sunrise"), true);
    chkSS = NewCheckBox(this, "chkSS", QStringLiteral("Sunset"), true);
    chkDL = NewCheckBox(this, "chkDL", QStringLiteral("Day Length"), true);
    chkAlt = NewCheckBox(this, "chkAlt", QStringLiteral("Max. Altitude"));
    chkNoon = NewCheckBox(this, "chkNoon", QStringLiteral("Transit Time"));
    chkRA = NewCheckBox(this, "chkRA", QStringLiteral("Right Acsention"));
    chkDec = NewCheckBox(this, "chkDec", QStringLiteral("Declination"));
    chkAll = NewCheckBox(this, "chkAll", QStringLiteral("Check All"));
    cmbTW = NewDropDown(this, "cmbTW",
                        {QStringLiteral("Civil Twilights"), QStringLiteral("Nautical Twilights"),
                         QStringLiteral("Astronomical Twilights")});
    chkStart = NewCheckBox(this, "chkStart", QStringLiteral("Starts"));
    chkEnd = NewCheckBox(this, "chkEnd", QStringLiteral("Ends"));
    chkLen = NewCheckBox(this, "chkLen", QStringLiteral("Twilight Length"));
    Command1 = NewButton(this, "Command1", QStringLiteral("Calculate"));
    cmdSave = NewButton(this, "cmdSave", QStringLiteral("Save to File"));
    cmdEx = NewButton(this, "cmdEx", QStringLiteral("Close"));
    Command1->setDefault(true);  // Enter calculates; Escape closes

    Text1 = Named(new QPlainTextEdit(this), "Text1");
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFont(FixedPitchFont());
    Text1->setMinimumSize(560, 420);

    auto* period = new QGridLayout;
    period->addWidget(NewLabel(this, QStringLiteral("Year:"), "Label1"), 0, 0);
    period->addWidget(txtYear, 0, 1);
    period->addWidget(optY, 1, 0, 1, 2);
    period->addWidget(optM, 2, 0);
    period->addWidget(cmbMonths, 2, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(period);
    left->addWidget(SectionLabel(this, "Label2", QStringLiteral(" Select Columns")));
    for (QWidget* w : {chkSR, chkSS, chkDL, chkAlt, chkNoon, chkRA, chkDec, chkAll})
        left->addWidget(w);
    left->addWidget(SectionLabel(this, "Label3", QStringLiteral(" Twilights")));
    for (QWidget* w : std::initializer_list<QWidget*>{cmbTW, chkStart, chkEnd, chkLen})
        left->addWidget(w);
    left->addStretch(1);
    for (QWidget* w : {Command1, cmdSave, cmdEx})
        left->addWidget(w);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(Text1, 1);

    const QString clock = ClockTimeTip, angle = AngleUnitTip;
    SetToolTips(
        this, {
                  {"txtYear", "Year of the table: the year of the main window's date"},
                  {"optY", "A table of every day of the year"},
                  {"optM", "A table of every day of the month chosen beside"},
                  {"cmbMonths", "The month of the table"},
                  {"chkSR", "Column of the sunrise: " + clock},
                  {"chkSS", "Column of the sunset: " + clock},
                  {"chkDL", "Column of the day length: " + QString(DurationTip)},
                  {"chkAlt", "Column of the Sun's highest altitude of the day: " + angle},
                  {"chkNoon", "Column of the transit: " + clock},
                  {"chkRA", "Column of the right ascension at noon, in the main window's format"},
                  {"chkDec", "Column of the declination at noon: " + angle},
                  {"chkAll", "Checks or clears all the columns above"},
                  {"cmbTW", "The twilight whose columns the three boxes below choose"},
                  {"chkStart", "Column of the twilight's start in the morning: " + clock},
                  {"chkEnd", "Column of the twilight's end in the evening: " + clock},
                  {"chkLen", "Column of the twilight's length, the mean of morning and evening: " +
                                 QString(DurationTip)},
                  {"Text1", "The table: one line per day, the columns in the order above, two blanks apart"},
              });

    connect(optY, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optY_Click();
    });
    connect(optM, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optM_Click();
    });
    ConnectListClick(cmbTW, [this] { cmbTW_Click(); });
    // toggled rather than clicked: a box set from code runs its handler too, which is what the
    // refreshing flag is there to stop while cmbTW_Click shows a kind's flags.
    connect(chkStart, &QCheckBox::toggled, this, &CalendarWindow::chkStart_Click);
    connect(chkEnd, &QCheckBox::toggled, this, &CalendarWindow::chkEnd_Click);
    connect(chkLen, &QCheckBox::toggled, this, &CalendarWindow::chkLen_Click);
    connect(chkAll, &QCheckBox::toggled, this, &CalendarWindow::chkAll_Click);
    connect(Command1, &QPushButton::clicked, this, &CalendarWindow::Command1_Click);
    connect(cmdSave, &QPushButton::clicked, this, &CalendarWindow::cmdSave_Click);
    connect(cmdEx, &QPushButton::clicked, this, &QDialog::close);

    AskSaveFileName = [](QWidget* parent, const QString& proposed, const QString& filter, QString* selected) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), proposed, filter, selected);
    };
    ReportSaveFailure = ReportFileProblem;

    // The load: no twilight columns, the first kind, and the main window's month and year.
    optM->setChecked(true);
    cmbTW->setCurrentIndex(0);
    const CalendarInputs inputs = main_.InputsForCalendar();
    cmbMonths->setCurrentIndex(inputs.Month - 1);
    txtYear->setText(QString::number(inputs.Year));
}

void CalendarWindow::optY_Click() {
    cmbMonths->hide();
}

void CalendarWindow::optM_Click() {
    cmbMonths->show();
}

void CalendarWindow::cmbTW_Click() {
    selectedKind_ = std::max(cmbTW->currentIndex(), 0);
    const TwilightColumnFlags& kind = twilights_[selectedKind_];
    refreshing_ = true;
    chkLen->setChecked(kind.Length);
    chkStart->setChecked(kind.Start);
    chkEnd->setChecked(kind.End);
    refreshing_ = false;
}

void CalendarWindow::SetTwilightFlag(bool TwilightColumnFlags::*flag, const QCheckBox* box) {
    if (refreshing_) return;
    TwilightColumnFlags& kind = twilights_[selectedKind_];
    kind.*flag = box->isChecked();
    kind.Any = kind.End || kind.Start || kind.Length;
}

void CalendarWindow::chkStart_Click() {
    SetTwilightFlag(&TwilightColumnFlags::Start, chkStart);
}

void CalendarWindow::chkEnd_Click() {
    SetTwilightFlag(&TwilightColumnFlags::End, chkEnd);
}

void CalendarWindow::chkLen_Click() {
    SetTwilightFlag(&TwilightColumnFlags::Length, chkLen);
}

void CalendarWindow::chkAll_Click() {
    const bool all = chkAll->isChecked();
    for (QCheckBox* box : {chkSS, chkSR, chkDL, chkAlt, chkNoon, chkRA, chkDec})
        box->setChecked(all);
    for (TwilightColumnFlags& kind : twilights_)
        kind = {all, all, all, all};
    cmbTW_Click();
    chkAll->setText(all ? QStringLiteral("Uncheck All") : QStringLiteral("Check All"));
}

CalendarRequest CalendarWindow::GatherRequest() {
    const CalendarInputs inputs = main_.InputsForCalendar();
    const Settings& settings = main_.State().Settings;
    CalendarRequest r;
    r.Year = inputs.Year;
    r.Month = cmbMonths->currentIndex() + 1;
    r.WholeYear = !optM->isChecked();
    r.Columns = {chkSR->isChecked(),   chkSS->isChecked(), chkDL->isChecked(), chkAlt->isChecked(),
                 chkNoon->isChecked(), chkRA->isChecked(), chkDec->isChecked()};
    r.Twilights = twilights_;

    r.DstInUse = inputs.Dst.has_value();
    if (inputs.Dst) {
        dstStart_ = inputs.Dst->Start;
        dstEnd_ = inputs.Dst->End;
    }
    r.DstStart = dstStart_;
    r.DstEnd = dstEnd_;
    r.Latitude = inputs.Latitude;
    r.Longitude = inputs.Longitude;
    r.HourZone = inputs.HourZone;
    r.HourZoneText = inputs.HourZoneText;
    r.SelectedCity = inputs.SelectedCity;

    r.ShowSecondsSetting = settings.ShowSecondsSetting;
    r.AngleFormatSetting = settings.AngleFormatSetting;
    r.RAFormatSetting = settings.RAFormatSetting;
    r.DateText = [](double when) { return LocaleDateText(when); };
    r.ShortTimeText = [](double when) { return LocaleShortTimeText(when); };
    return r;
}

void CalendarWindow::Command1_Click() {
    lastRequest_ = GatherRequest();
    calendarText_ = BuildCalendarText(*lastRequest_, main_.State());  // on a copy of the state
    // The box keeps lines apart by itself; its CR LF come back when the text is saved.
    QString shown = QString::fromStdString(calendarText_);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(shown);
}

QByteArray CalendarWindow::SaveBytes(CalendarFileType type) const {
    if (type == CalendarFileType::Text) {
        QString text = Text1->toPlainText();
        text.replace(u'\n', QStringLiteral("\r\n"));
        return text.toUtf8();
    }
    if (!lastRequest_) return {};             // nothing calculated yet, as the empty text box
    const SolarState& state = main_.State();  // the writers compute on copies of it
    const std::string bytes =
        type == CalendarFileType::Csv
            ? BuildCalendarCsv(*lastRequest_, state)
            : BuildCalendarIcs(
                  *lastRequest_, state,
                  std::chrono::sys_seconds(std::chrono::seconds(QDateTime::currentSecsSinceEpoch())));
    return QByteArray::fromStdString(bytes);
}

void CalendarWindow::cmdSave_Click() {
    Settings& settings = main_.State().Settings;
    const QString proposed = QString::fromStdString(settings.CalendarSaveFolder) + DefaultFileName;
    QString selectedFilter = TextFilter;
    QString chosen = AskSaveFileName(this, proposed, FileFilter, &selectedFilter);
    if (chosen.isEmpty()) return;  // cancelled
    settings.CalendarSaveFolder = ExtractFolder(chosen.toStdString());

    const CalendarFileType type = ChooseSaveType(chosen, selectedFilter);
    try {
        const QByteArray bytes = SaveBytes(type);
        // Written beside the old file and renamed over it: a failed save leaves the old one whole.
        WriteFileAtomically(QFile::encodeName(chosen).toStdString(), bytes.constData(),
                            static_cast<std::size_t>(bytes.size()));
    } catch (const std::exception& problem) {
        ReportSaveFailure(this, QStringLiteral("The calendar could not be saved to %1.").arg(chosen),
                          problem);
    }
}

}  // namespace heliomark
