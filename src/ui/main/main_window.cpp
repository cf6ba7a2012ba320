// The main window's construction, load sequence, menus, toolbar and close sequence.
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

#include "app/program_data.h"
#include "ui/controls/angle_picker.h"
#include "ui/controls/city_picker.h"
#include "ui/controls/date_picker.h"
#include "ui/controls/flat_button.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/controls/time_picker.h"
#include "ui/main/list_click.h"
#include "ui/main/toolbar_pictures.h"

namespace heliomark {

namespace {

// Layout in pixels. The window has a fixed size, like the groups' contents.
constexpr int ToolbarHeight = 27;
constexpr int GroupGap = 6;
constexpr int LeftGroupWidth = 334;
constexpr int RightGroupWidth = 262;
constexpr int RowHeight = 26;
constexpr int FirstRow = 22;
constexpr int LeftInputX = 160;
constexpr int RightInputX = 122;
constexpr int DateTimeInputX = 56;
constexpr int TopGroupRows = 7;
constexpr int TopGroupHeight = FirstRow + TopGroupRows * RowHeight + 4;

QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                    int rows) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    group->setGeometry(x, y, w, FirstRow + rows * RowHeight + 4);
    return group;
}

// A label left of the input that starts at inputX. An input's label is its buddy: the letter after
// "&" (underlined) with Alt moves the focus into the input.
QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, int row, int inputX,
                 QWidget* buddy = nullptr) {
    constexpr int x = 10;
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(x, FirstRow + row * RowHeight, inputX - x - 4, 20);
    // A picker takes no focus itself (its first field does), and a label passes none to it.
    if (buddy) label->setBuddy(buddy->focusProxy() ? buddy->focusProxy() : buddy);
    return label;
}

// A result: read-only, selected for copying by a click, and passed by Tab on the way through the
// inputs.
QLineEdit* AddResultBox(QWidget* parent, const char* name, const QString& label, int row, int x, int w) {
    AddLabel(parent, QString("lbl") + (name + 3), label, row, x);
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setGeometry(x, FirstRow + row * RowHeight, w, 21);
    return box;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, w, 23);
    button->setAutoDefault(false);
    return button;
}

QComboBox* AddList(QWidget* parent, const char* name, int x, int row, int w) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    list->setGeometry(x, FirstRow + row * RowHeight, w, 21);
    return list;
}

// A control of type T named `name` at (x, y) of its parent, at the size it chooses itself.
template <typename T>
T* AddControl(QWidget* parent, const char* name, int x, int y) {
    auto* control = new T(parent);
    control->setObjectName(name);
    control->move(x, y);
    return control;
}

QTimer* AddTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<SharedState> state, std::shared_ptr<const ProgramClock> clock,
                       QWidget* parent)
    : QMainWindow(parent), state_(std::move(state)), clock_(std::move(clock)) {
    setObjectName("frmMain");
    setWindowTitle("Heliomark Pro  v1.3");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget(this);
    central->setObjectName("picBackground");
    central->installEventFilter(this);
    setCentralWidget(central);

    toolbar_ = new QFrame(central);
    toolbar_->setObjectName("fraToolbar");
    toolbar_->setFrameShape(QFrame::StyledPanel);
    toolbar_->setGeometry(0, 0, 2 * GroupGap + LeftGroupWidth + RightGroupWidth, ToolbarHeight);
    auto* toolbarLayout = new QHBoxLayout(toolbar_);
    toolbarLayout->setContentsMargins(2, 2, 2, 2);
    toolbarLayout->setSpacing(1);
    toolbarLayout->addStretch(1);

    BuildLocationGroup(central);
    BuildDateTimeGroup(central);
    BuildResultGroups(central);
    SetUpHelp();
    BuildMenus();
    AddFileMenuItem("mnuCal", "&Calendar...", [this] { mnuCal_Click(); });
    connect(AddToolbarButton(0, "fbCal", "Calendar", CalendarPicture(), 0), &FlatButton::Click, this,
            &MainWindow::mnuCal_Click);
    cmbHZ->raise();  // its open list lies over the groups below it

    Timer1 = AddTimer(this, "Timer1", 100);
    Timer2 = AddTimer(this, "Timer2", 10);
    Timer3 = AddTimer(this, "Timer3", 10);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::MoveViewsWithMain);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2Tick);
    connect(Timer3, &QTimer::timeout, this, &MainWindow::Timer3Tick);
    Timer1->start();

    const int height = ToolbarHeight + GroupGap + TopGroupHeight + GroupGap + TopGroupHeight + GroupGap;
    central->setFixedSize(2 * GroupGap + LeftGroupWidth + RightGroupWidth + GroupGap, height);
    setFixedSize(sizeHint());
    positions_.SetWindow(PositionedWindows::MainSlot, this);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLocationGroup(QWidget* central) {
    const int top = ToolbarHeight + GroupGap;
    QGroupBox* g =
        AddGroup(central, "fraLocation", "Location Properties", GroupGap, top, LeftGroupWidth, TopGroupRows);
    g->installEventFilter(this);
    // The access keys leave out F, D, V and H, the menus' own.
    cmbCities = new CityPicker(g);
    cmbCities->setObjectName("cmbCities");
    cmbCities->setGeometry(LeftInputX, FirstRow, 164, 21);
    AddLabel(g, "lblCities", "&Cities:", 0, LeftInputX, cmbCities);
    apLat = AddControl<AnglePicker>(g, "apLat", LeftInputX, FirstRow + RowHeight);
    AddLabel(g, "lblLat", "&Latitude:", 1, LeftInputX, apLat);
    cmbLat = AddList(g, "cmbLat", LeftInputX + apLat->width() + 6, 1, 52);
    cmbLat->addItems({"N", "S"});
    apLon = AddControl<AnglePicker>(g, "apLon", LeftInputX, FirstRow + 2 * RowHeight);
    AddLabel(g, "lblLon", "L&ongitude:", 2, LeftInputX, apLon);
    cmbLon = AddList(g, "cmbLon", LeftInputX + apLon->width() + 6, 2, 52);
    cmbLon->addItems({"E", "W"});
    // The zone picker belongs to the window rather than the group so its open list can reach past
    // the group's frame.
    cmbHZ =
        AddControl<HourZonePicker>(central, "cmbHZ", GroupGap + LeftInputX, top + FirstRow + 3 * RowHeight);
    AddLabel(g, "lblHZ", "Hour &Zone:", 3, LeftInputX, cmbHZ);
    cmbDST = AddList(g, "cmbDST", LeftInputX, 4, 164);
    AddLabel(g, "lblDST", "Daylight &Saving Time:", 4, LeftInputX, cmbDST);
    dpStart = AddControl<DatePicker>(g, "dpStart", LeftInputX, FirstRow + 5 * RowHeight);
    lblStart = AddLabel(g, "lblStart", "St&art:", 5, LeftInputX, dpStart);
    dpEnd = AddControl<DatePicker>(g, "dpEnd", LeftInputX, FirstRow + 6 * RowHeight);
    lblEnd = AddLabel(g, "lblEnd", "&End:", 6, LeftInputX, dpEnd);

    ConnectListClick(cmbCities, [this] { cmbCities_Click(); });
    ConnectListClick(cmbLat, [this] { cmbLat_Click(); });
    ConnectListClick(cmbLon, [this] { cmbLon_Click(); });
    ConnectListClick(cmbDST, [this] { cmbDST_Click(); });
    connect(cmbHZ, &HourZonePicker::Click, this, &MainWindow::cmbHZ_Click);
    connect(apLat, &AnglePicker::Updated, this, &MainWindow::apLat_Updated);
    connect(apLon, &AnglePicker::Updated, this, &MainWindow::apLon_Updated);
    connect(dpStart, &DatePicker::Updated, this, &MainWindow::dpPeriod_Updated);
    connect(dpEnd, &DatePicker::Updated, this, &MainWindow::dpPeriod_Updated);
}

void MainWindow::BuildDateTimeGroup(QWidget* central) {
    const int x = 2 * GroupGap + LeftGroupWidth;
    QGroupBox* g = AddGroup(central, "fraDateTime", "Date/Time Properties", x, ToolbarHeight + GroupGap,
                            RightGroupWidth, TopGroupRows);
    g->installEventFilter(this);
    DateP = AddControl<DatePicker>(g, "DateP", DateTimeInputX, FirstRow);
    AddLabel(g, "lblDate", "Da&te:", 0, DateTimeInputX, DateP);
    Command1 = AddButton(g, "Command1", "Today", 180, FirstRow - 1, 70);
    TimeP = AddControl<TimePicker>(g, "TimeP", DateTimeInputX, FirstRow + RowHeight);
    AddLabel(g, "lblTime", "T&ime:", 1, DateTimeInputX, TimeP);
    Command2 = AddButton(g, "Command2", "Now", 180, FirstRow + RowHeight - 1, 70);
    txtRate = new QLineEdit("1", g);
    txtRate->setObjectName("txtRate");
    txtRate->setGeometry(DateTimeInputX, FirstRow + 2 * RowHeight, 80, 21);
    AddLabel(g, "lblRate", "&Rate:", 2, DateTimeInputX, txtRate);
    cmdRun = AddButton(g, "cmdRun", "Run Clock", 10, FirstRow + 4 * RowHeight, 116);
    cmdRunDate = AddButton(g, "cmdRunDate", "Run Date", 134, FirstRow + 4 * RowHeight, 116);
    cmdSync = AddButton(g, "cmdSync", "Syncronize", 10, FirstRow + 5 * RowHeight + 4, 240);
    cmdSync->setToolTip("Syncronize with system clock");

    connect(DateP, &DatePicker::Updated, this, &MainWindow::DateP_Updated);
    connect(TimeP, &TimePicker::Updated, this, &MainWindow::TimeP_Updated);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(cmdRun, &QPushButton::clicked, this, &MainWindow::cmdRun_Click);
    connect(cmdRunDate, &QPushButton::clicked, this, &MainWindow::cmdRunDate_Click);
    connect(cmdSync, &QPushButton::clicked, this, &MainWindow::cmdSync_Click);
}

void MainWindow::BuildResultGroups(QWidget* central) {
    const int top = ToolbarHeight + GroupGap + TopGroupHeight + GroupGap;
    QGroupBox* day = AddGroup(central, "fraDay", "Day Properties", GroupGap, top, LeftGroupWidth, 7);
    day->installEventFilter(this);
    txtSR = AddResultBox(day, "txtSR", "Sunrise:", 0, LeftInputX, 164);
    txtSS = AddResultBox(day, "txtSS", "Sunset:", 1, LeftInputX, 164);
    txtDL = AddResultBox(day, "txtDL", "Day Length:", 2, LeftInputX, 164);
    txtAlt = AddResultBox(day, "txtAlt", "Max. Altitude:", 3, LeftInputX, 164);
    txtRA = AddResultBox(day, "txtRA", "Right Acsention:", 4, LeftInputX, 164);
    txtDec = AddResultBox(day, "txtDec", "Declination:", 5, LeftInputX, 164);
    txtNoon = AddResultBox(day, "txtNoon", "Transit Time:", 6, LeftInputX, 164);

    const int x = 2 * GroupGap + LeftGroupWidth;
    QGroupBox* sun = AddGroup(central, "fraSun", "Sun Position", x, top, RightGroupWidth, 3);
    sun->installEventFilter(this);
    txtCurAlt = AddResultBox(sun, "txtCurAlt", "Altitude:", 0, RightInputX, 128);
    txtTAlt = AddResultBox(sun, "txtTAlt", "After Refraction:", 1, RightInputX, 128);
    txtCurAzm = AddResultBox(sun, "txtCurAzm", "Azimuth:", 2, RightInputX, 128);
}

QMenu* MainWindow::Menu(const QString& name) {
    static const std::array<std::pair<const char*, const char*>, 4> order{
        {{"mnuFile", "&File"}, {"mnuDB", "&Databases"}, {"mnuView", "&View"}, {"mnuHelp", "&Help"}}};
    if (auto it = menus_.find(name); it != menus_.end()) return it->second;
    QString title = name;
    std::size_t position = 0;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (name == order[i].first) {
            title = order[i].second;
            position = i;
        }
    auto* menu = new QMenu(title, this);
    menu->setObjectName(name);
    QAction* before = nullptr;  // the first menu that comes after this one in the fixed order
    for (std::size_t i = order.size(); i-- > position + 1;)
        if (auto it = menus_.find(order[i].first); it != menus_.end()) before = it->second->menuAction();
    menuBar()->insertMenu(before, menu);
    menus_[name] = menu;
    return menu;
}

QAction* MainWindow::AddFileMenuItem(const char* name, const QString& caption, std::function<void()> action) {
    QMenu* file = Menu("mnuFile");
    if (!mnuSep1) {
        mnuSep1 = file->insertSeparator(mnuExit);
        mnuSep1->setObjectName("mnuSep1");
    }
    auto* item = new QAction(caption, file);
    item->setObjectName(name);
    file->insertAction(mnuSep1, item);
    connect(item, &QAction::triggered, this, std::move(action));
    return item;
}

void MainWindow::BuildMenus() {
    QMenu* file = Menu("mnuFile");
    mnuExit = file->addAction("E&xit");
    mnuExit->setObjectName("mnuExit");
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    BuildDialogMenus();
}

FlatButton* MainWindow::AddToolbarButton(int slot, const char* name, const QString& toolTip,
                                         const QPixmap& picture, int style) {
    auto* button = new FlatButton(toolbar_);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->SetPicture(picture);
    button->SetStyle(style);
    auto* layout = static_cast<QHBoxLayout*>(toolbar_->layout());
    int index = 0;
    for (const auto& [other, unused] : toolbarButtons_)
        if (other < slot) ++index;
    layout->insertWidget(index, button);
    toolbarButtons_[slot] = button;
    return button;
}

void MainWindow::Load() {
    dpStart->SetEnabledYears(false);
    dpEnd->SetEnabledYears(false);
    FillDstList();
    Ext3D = ExtGraf = ExtTW = ExtMap = ExtEvents = ExtYear = false;
    FillCityList();
    CreateViews();

    // IsAdjust first turns on after the start-up city is selected, so selecting it runs no update.
    const int k = FindCity(state_->Cities, state_->Settings.DefaultCitySetting);
    cmbCities->setCurrentIndex(k - 1);
    IsAdjust = true;
    DateP->SetValue(clock_->Today());
    TimeP->SetValue(clock_->TimeOfDay());
    ApplyCity(k);
    UpdateGeneralData(false, true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A click on the window's own background folds up an open hour-zone list.
    if (event->type() == QEvent::MouseButtonPress && watched != cmbHZ) cmbHZ->CloseList();
    return QMainWindow::eventFilter(watched, event);
}

int MainWindow::CloseModalWindows() {
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isModal()) ++open;
    // Innermost first: an outer dialog cannot end its exec() while one opened from it still runs.
    // A window that refuses (a question without a cancel answer) stays, and the close waits for it.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == this || !modal->close() || QApplication::activeModalWidget() == modal) break;
    }
    return open;
}

void MainWindow::CloseWhenModalWindowsHaveReturned() {
    if (QThread::currentThread()->loopLevel() > closeLoopLevel_ || QApplication::activeModalWidget()) {
        QTimer::singleShot(20, this, &MainWindow::CloseWhenModalWindowsHaveReturned);
        return;
    }
    closeLoopLevel_ = -1;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Each modal window runs its own event loop under the handler that opened it. Deleting the main
    // window from inside one would delete that dialog and the handlers still running below it, so
    // the modal windows close first and the main window closes once their loops have returned.
    if (closeLoopLevel_ >= 0) {
        event->ignore();
        return;
    }
    if (const int modal = CloseModalWindows(); modal > 0) {
        closeLoopLevel_ = std::max(0, QThread::currentThread()->loopLevel() - modal);
        event->ignore();
        QTimer::singleShot(0, this, &MainWindow::CloseWhenModalWindowsHaveReturned);
        return;
    }
    // The close never cancels: settings first, then the positions, which stay as they were when
    // the window is minimised (its position then means nothing).
    QStringList failures;
    try {
        CreateFolderFor(state_->Folders.SettingsFile());
        SaveSettings(state_->Folders.SettingsFile(), state_->Settings);
    } catch (const DataFileError& e) {
        failures << QString::fromStdString(e.what());
    }
    if (!isMinimized()) {
        try {
            SaveWindowPositions(state_->Folders.PositionsFile(), positions_.Current());
        } catch (const DataFileError& e) {
            failures << QString::fromStdString(e.what());
        }
        try {
            SaveViewPositions(ViewPositionsFileBeside(state_->Folders.PositionsFile()),
                              positions_.CurrentViews());
        } catch (const DataFileError& e) {
            failures << QString::fromStdString(e.what());
        }
    }
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    if (!failures.isEmpty()) {
        const QString text = "Heliomark could not save its settings:\n\n" + failures.join("\n");
        qWarning("%s", qPrintable(text));
        // Said without waiting, in a window of its own that outlives the main window; the program
        // ends when the user closes it.
        auto* box = new QMessageBox(QMessageBox::Warning, "Heliomark", text);
        box->setObjectName("msgSaveFailed");
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->show();
    }
    for (QWidget* view : views_)
        view->hide();
    event->accept();
}

}  // namespace heliomark
