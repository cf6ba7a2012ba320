#include "ui/dialogs/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "ui/controls/city_picker.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/tool_tips.h"

namespace heliomark {

namespace {

const QString DmsItem = QStringLiteral("DMS (dd°mm'ss'')");
const QStringList Densities = {QStringLiteral("None"), QStringLiteral("90°"), QStringLiteral("45°"),
                               QStringLiteral("30°"), QStringLiteral("15°")};

// Selects `position`, or nothing when the list has no such item (a value from outside the list in
// settings.ini).
void SelectPosition(QComboBox* list, int position) {
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

QLabel* SectionLabel(QWidget* parent, const QString& caption) {
    QLabel* label = NewLabel(parent, caption);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, const CityList& cities, std::filesystem::path settingsFile,
                               SkyGridHooks sky, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      cities_(cities),
      settingsFile_(std::move(settingsFile)),
      sky_(std::move(sky)) {
    setObjectName(QStringLiteral("frmOpt"));
    setWindowTitle(QStringLiteral("Settings"));

    cmbTime = NewDropDown(this, "cmbTime", {QStringLiteral("Short hh:mm"), QStringLiteral("Full hh:mm:ss")});
    cmbAng = NewDropDown(this, "cmbAng", {QStringLiteral("Decimal"), DmsItem});
    cmbRA = NewDropDown(this, "cmbRA", {QStringLiteral("Decimal"), DmsItem, QStringLiteral("hh:mm:ss")});
    cmbHome = Named(new CityPicker(this), "cmbHome");
    scrQlty = Named(new QScrollBar(Qt::Horizontal, this), "scrQlty");
    scrQlty->setRange(MinGridQuality, MaxGridQuality);
    scrQlty->setValue(20);
    txtQlty = Named(new QLineEdit(QStringLiteral("20"), this), "txtQlty");
    txtQlty->setMaximumWidth(48);
    cmbHor = NewDropDown(this, "cmbHor", Densities);
    cmbVer = NewDropDown(this, "cmbVer", Densities);
    chkBind = Named(new QCheckBox(QStringLiteral("Bind windows"), this), "chkBind");
    cmdOK = NewButton(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = NewButton(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdOK->setDefault(true);  // Escape cancels, as QDialog does

    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(SectionLabel(this, QStringLiteral("Data Formats:")), row++, 0, 1, 3);
    grid->addWidget(NewLabel(this, QStringLiteral("Time Format:")), row, 0);
    grid->addWidget(cmbTime, row++, 1, 1, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Anlge Format:")), row, 0);
    grid->addWidget(cmbAng, row++, 1, 1, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("RA Format:")), row, 0);
    grid->addWidget(cmbRA, row++, 1, 1, 2);
    grid->addWidget(SectionLabel(this, QStringLiteral("Default Location:")), row++, 0, 1, 3);
    grid->addWidget(NewLabel(this, QStringLiteral("City:")), row, 0);
    grid->addWidget(cmbHome, row++, 1, 1, 2);
    grid->addWidget(SectionLabel(this, QStringLiteral("Sky Grid Settings:")), row++, 0, 1, 3);
    grid->addWidget(NewLabel(this, QStringLiteral("Grid Quality:")), row, 0);
    grid->addWidget(scrQlty, row, 1);
    grid->addWidget(txtQlty, row++, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Parallels Density:")), row, 0);
    grid->addWidget(cmbHor, row++, 1, 1, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Meridians Density:")), row, 0);
    grid->addWidget(cmbVer, row++, 1, 1, 2);
    grid->addWidget(chkBind, row++, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, row, 0, 1, 3);

    const QString quality = "Sky view: segments of each grid circle and steps of the Sun's path, 4 to 50";
    SetToolTips(
        this,
        {
            {"cmbTime", "How clock times read: hours and minutes, or hours, minutes and seconds"},
            {"cmbAng", "How angles read: decimal degrees, or degrees, minutes and seconds"},
            {"cmbRA",
             "How the right ascension reads: decimal degrees, degrees, minutes and seconds, or hours, "
             "minutes and seconds"},
            {"cmbHome", "The city chosen when the program starts"},
            {"scrQlty", quality},
            {"txtQlty", quality + "; Enter takes a typed number"},
            {"cmbHor",
             "Circles of equal altitude in the sky view's grid: none, or one every 90°, 45°, 30° or 15°"},
            {"cmbVer",
             "Circles of equal azimuth in the sky view's grid: none, or one every 90°, 45°, 30° or 15°"},
            {"chkBind", "The views move with the main window when it is moved"},
        });

    connect(scrQlty, &QScrollBar::valueChanged, this,
            [this](int value) { txtQlty->setText(QString::number(value)); });
    txtQlty->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &SettingsDialog::OkClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Load: the controls show the settings in memory.
    FillCityCombo(cmbHome, cities_);
    SelectPosition(cmbTime, settings_.ShowSecondsSetting);
    SelectPosition(cmbAng, settings_.AngleFormatSetting ? 1 : 0);
    SelectPosition(cmbRA, settings_.RAFormatSetting);
    scrQlty->setValue(settings_.GridQuality);
    SelectPosition(cmbVer, settings_.MeridiansDensity);
    SelectPosition(cmbHor, settings_.ParallelsDensity);
    SelectPosition(cmbHome, FindCity(cities_, settings_.DefaultCitySetting) - 1);
    chkBind->setChecked(settings_.MoveWindowsTogether);
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtQlty && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QualityEntered();
            return true;  // the quality box's own key, not the dialog's
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter in the quality box moves the scroll bar to the typed value, held within its range.
void SettingsDialog::QualityEntered() {
    const int value = std::clamp<int>(RoundedInt16(txtQlty->text()), scrQlty->minimum(), scrQlty->maximum());
    scrQlty->setValue(value);
    // The scroll bar reports no change when it already stood there; the box shows the value anyway.
    txtQlty->setText(QString::number(scrQlty->value()));
}

void SettingsDialog::OkClicked() {
    // A list left without a selection (its setting was outside the list) keeps the setting as it was.
    if (cmbTime->currentIndex() >= 0) settings_.ShowSecondsSetting = cmbTime->currentIndex();
    if (cmbAng->currentIndex() >= 0) settings_.AngleFormatSetting = cmbAng->currentIndex() == 1;
    if (cmbRA->currentIndex() >= 0) settings_.RAFormatSetting = static_cast<int16_t>(cmbRA->currentIndex());
    settings_.DefaultCitySetting =
        cmbHome->currentIndex() >= 0 ? cmbHome->itemText(cmbHome->currentIndex()).toStdString() : "";

    if (scrQlty->value() != settings_.GridQuality) {
        settings_.GridQuality = static_cast<int16_t>(scrQlty->value());
        if (sky_.RebuildModel) sky_.RebuildModel();
    }
    // A density that changed is stored, handed to the sky model and shown if the sky view is open.
    auto applyDensity = [this](const QComboBox* list, int16_t& setting,
                               const std::function<void(int16_t)>& set) {
        const int position = list->currentIndex();
        if (position < 0 || position == setting) return;
        setting = static_cast<int16_t>(position);
        if (set) set(setting);
        if (sky_.RedrawIfVisible) sky_.RedrawIfVisible();
    };
    applyDensity(cmbVer, settings_.MeridiansDensity, sky_.SetMeridiansDensity);
    applyDensity(cmbHor, settings_.ParallelsDensity, sky_.SetParallelsDensity);
    settings_.MoveWindowsTogether = chkBind->isChecked();

    SaveReportingFailure(this,
                         QStringLiteral("The settings could not be saved. They apply until the program ends, "
                                        "which tries to save them again."),
                         [this] { SaveSettings(settingsFile_, settings_); });
    accept();
    emit Applied();
}

}  // namespace heliomark
