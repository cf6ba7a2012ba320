#include "ui/dialogs/city_editor.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "ui/controls/angle_picker.h"
#include "ui/controls/city_picker.h"
#include "ui/controls/hour_zone_picker.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/tool_tips.h"

namespace heliomark {

namespace {

// A new city starts on Greenwich ("(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London"),
// one entry below the main window's default.
constexpr int NewCityZoneIndex = 26;
const QString ReservedName = QStringLiteral("Home");

}  // namespace

CityEditor::CityEditor(CityList& cities, const DstRuleList& rules, Settings& settings,
                       std::filesystem::path cityFile, QWidget* parent)
    : QDialog(parent), cities_(cities), rules_(rules), settings_(settings), cityFile_(std::move(cityFile)) {
    setObjectName(QStringLiteral("frmCity"));
    setWindowTitle(QStringLiteral("Edit Cities"));

    cmbCities = Named(new CityPicker(this), "cmbCities");
    txtName = Named(new QLineEdit(this), "txtName");
    // The city file keeps 15 characters of a name; the box shows that limit while typing instead
    // of cutting the name when it is stored.
    txtName->setMaxLength(static_cast<int>(NameLength));
    apLat = Named(new AnglePicker(this), "apLat");
    cmbLat = NewDropDown(this, "cmbLat", {QStringLiteral("N"), QStringLiteral("S")});
    apLon = Named(new AnglePicker(this), "apLon");
    cmbLon = NewDropDown(this, "cmbLon", {QStringLiteral("E"), QStringLiteral("W")});
    hourZoneSlot = new QWidget(this);
    cmbDST = NewDropDown(this, "cmbDST");
    cmdAct = NewButton(this, "cmdAct", QStringLiteral("Add New"));
    cmdRen = NewButton(this, "cmdRen", QStringLiteral("Rename"));
    cmdRem = NewButton(this, "cmdRem", QStringLiteral("Remove"));
    cmdEx = NewButton(this, "cmdEx", QStringLiteral("Close"));
    // Enter in the name box adds or applies; Escape closes, as Close does.
    cmdAct->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cmbCities, 0, 0, 1, 3);
    grid->addWidget(NewLabel(this, QStringLiteral("Name:")), 1, 0);
    grid->addWidget(txtName, 1, 1, 1, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Latitude:")), 2, 0);
    grid->addWidget(apLat, 2, 1);
    grid->addWidget(cmbLat, 2, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Longitude:")), 3, 0);
    grid->addWidget(apLon, 3, 1);
    grid->addWidget(cmbLon, 3, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Hour Zone:")), 4, 0);
    grid->addWidget(hourZoneSlot, 4, 1);
    grid->addWidget(NewLabel(this, QStringLiteral("Daylight Saving Time:")), 5, 0);
    grid->addWidget(cmbDST, 5, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdAct, cmdRen, cmdRem, cmdEx})
        buttons->addWidget(b);
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->setRowStretch(7, 1);

    // The picker floats above the layout at the slot's place, so that its list can open over the
    // controls below it; it is created last to be drawn on top of them.
    cmbHZ = Named(new HourZonePicker(this), "cmbHZ");
    hourZoneSlot->setFixedSize(cmbHZ->size());
    hourZoneSlot->installEventFilter(this);
    // Room right of and below the hour-zone box for its open list.
    grid->activate();
    const QSize open = cmbHZ->OpenSize();
    setMinimumSize(std::max(500, hourZoneSlot->x() + open.width() + grid->contentsMargins().right()),
                   std::max(320, hourZoneSlot->y() + open.height() + grid->contentsMargins().bottom()));

    SetToolTips(
        this,
        {
            {"cmbCities", "The cities in the list: pick one to show and edit it"},
            {"txtName", "Name of the city, at most 15 characters"},
            {"apLat",
             "Latitude of the city, 0 to 90 degrees, minutes and seconds of arc; a negative entry means "
             "south"},
            {"cmbLat", "Hemisphere of the latitude: N north of the equator, S south"},
            {"apLon",
             "Longitude of the city, 0 to 180 degrees, minutes and seconds of arc; a negative entry "
             "means west"},
            {"cmbLon", "Hemisphere of the longitude: E east of Greenwich, W west"},
            {"cmbHZ",
             "Hour zone of the city: the offset of its standard time from universal time (GMT), in "
             "hours and minutes"},
            {"cmbDST", "Daylight saving rule of the city"},
            {"cmdAct", "Adds the city named above, or applies the changes to it"},
            {"cmdRen", "Gives the city a new name"},
            {"cmdRem", "Removes the city from the list"},
        });

    // Load: the DST list, both pickers at 0, the city list.
    cmbDST->addItem(QStringLiteral("None"));
    for (const DstRule& rule : rules_)
        cmbDST->addItem(QString::fromStdString(TrimBlanks(rule.Name)));
    apLat->SetValue(0);
    apLon->SetValue(0);
    FillCityCombo(cmbCities, cities_);
    NameChanged(QString());

    // Picking a city always shows it, also when its name is already in the box (after it was added,
    // or after the controls were changed by hand), where setting the same text changes nothing.
    connect(cmbCities, &QComboBox::activated, this, [this](int index) {
        const QString name = cmbCities->itemText(index);
        if (txtName->text() == name)
            NameChanged(name);
        else
            txtName->setText(name);
    });
    connect(txtName, &QLineEdit::textChanged, this, &CityEditor::NameChanged);
    connect(apLat, &AnglePicker::Updated, this, &CityEditor::LatitudeUpdated);
    connect(apLon, &AnglePicker::Updated, this, &CityEditor::LongitudeUpdated);
    connect(cmdAct, &QPushButton::clicked, this, &CityEditor::ActClicked);
    connect(cmdRen, &QPushButton::clicked, this, &CityEditor::RenameClicked);
    connect(cmdRem, &QPushButton::clicked, this, &CityEditor::RemoveClicked);
    connect(cmdEx, &QPushButton::clicked, this, &QDialog::accept);
}

void CityEditor::done(int result) {
    SaveReportingFailure(this,
                         QStringLiteral("The city list could not be saved. Your changes are kept until the "
                                        "program ends; close this editor again to retry."),
                         [this] { SaveCities(cityFile_, cities_); });
    QDialog::done(result);
}

bool CityEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hourZoneSlot && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        cmbHZ->move(hourZoneSlot->pos());
        cmbHZ->raise();
    }
    return QDialog::eventFilter(watched, event);
}

void CityEditor::mousePressEvent(QMouseEvent* event) {
    cmbHZ->CloseList();
    QDialog::mousePressEvent(event);
}

void CityEditor::NameChanged(const QString& text) {
    if (text.isEmpty() || text == ReservedName) {
        cmdRen->setEnabled(false);
        cmdRem->setEnabled(false);
        cmdAct->setEnabled(false);
        return;
    }
    cmdAct->setEnabled(true);
    CurrentCity = static_cast<int16_t>(FindCity(cities_, text.toStdString()));
    if (CurrentCity > 0) {
        ShowCity(CurrentCity);
        cmdAct->setText(QStringLiteral("Apply Changes"));
        cmdRem->setEnabled(true);
        cmdRen->setEnabled(true);
    } else {
        cmdRem->setEnabled(false);
        cmdRen->setEnabled(false);
        ShowNewCityDefaults();
        cmdAct->setText(QStringLiteral("Add New"));
    }
}

void CityEditor::ShowCity(int index) {
    const CityRecord& city = cities_[static_cast<std::size_t>(index - 1)];
    cmbHZ->SetListIndex(city.ZoneIndex);
    apLat->SetValue(std::fabs(city.Latitude));
    cmbLat->setCurrentIndex(city.Latitude < 0 ? 1 : 0);
    apLon->SetValue(std::fabs(city.Longitude));
    cmbLon->setCurrentIndex(city.Longitude >= 0 ? 0 : 1);
    // 0 ("None") when the city names a rule that no longer exists.
    cmbDST->setCurrentIndex(FindDstRule(rules_, TrimBlanks(city.DstName)));
}

void CityEditor::ShowNewCityDefaults() {
    cmbHZ->SetListIndex(NewCityZoneIndex);
    apLat->SetValue(0);
    apLon->SetValue(0);
    cmbLat->setCurrentIndex(0);
    cmbLon->setCurrentIndex(0);
    cmbDST->setCurrentIndex(0);
}

// A negative entry becomes a magnitude and a hemisphere.
void CityEditor::LatitudeUpdated() {
    if (apLat->Value() < 0) {
        apLat->SetSignValue(1);
        cmbLat->setCurrentIndex(1);
    }
}

void CityEditor::LongitudeUpdated() {
    if (apLon->Value() < 0) {
        apLon->SetSignValue(1);
        cmbLon->setCurrentIndex(1);
    }
}

void CityEditor::ActClicked() {
    CityRecord record;
    record.Name = FittedName(txtName->text());
    record.Latitude = SignedByHemisphere(apLat->Value(), cmbLat->currentIndex());
    record.Longitude = SignedByHemisphere(apLon->Value(), cmbLon->currentIndex());
    record.ZoneIndex = static_cast<int16_t>(cmbHZ->ListIndex());
    record.DstName = FittedName(cmbDST->currentText());
    // The pickers take any number of degrees, but the city file only holds real places: a record
    // outside them would make the whole list unsavable.
    if (!(std::fabs(record.Latitude) <= 90 && std::fabs(record.Longitude) <= 180)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The latitude must lie between 0° and 90° and the longitude "
                                            "between 0° and 180°."));
        return;
    }
    if (CurrentCity > 0) {
        cities_[static_cast<std::size_t>(CurrentCity - 1)] = record;
        return;
    }
    InsertCitySorted(cities_, record);
    FillCityCombo(cmbCities, cities_);
    cmdAct->setText(QStringLiteral("Apply Changes"));
    // A second click now changes the city just added instead of adding another copy, and the city
    // that now exists can be renamed and removed like any other.
    CurrentCity = static_cast<int16_t>(FindCity(cities_, record.Name));
    cmdRen->setEnabled(CurrentCity > 0);
    cmdRem->setEnabled(CurrentCity > 0);
}

void CityEditor::RenameClicked() {
    const QString answer =
        AskName(this, QStringLiteral("Rename Location"), QStringLiteral("Enter new name:"));
    if (answer.isEmpty() || CurrentCity < 1) return;
    CityRecord copy = cities_[static_cast<std::size_t>(CurrentCity - 1)];
    RemoveCity(cities_, CurrentCity);
    copy.Name = FittedName(answer);
    InsertCitySorted(cities_, copy);
    FillCityCombo(cmbCities, cities_);
    // The name box re-selects the city through its change handler, which must run even when the
    // answer is the text already there (the city's index may have moved).
    if (txtName->text() == answer) {
        NameChanged(answer);
    } else {
        txtName->setText(answer);
    }
}

void CityEditor::RemoveClicked() {
    if (CurrentCity > 0) {
        const QString name =
            QString::fromStdString(TrimBlanks(cities_[static_cast<std::size_t>(CurrentCity - 1)].Name));
        if (!ConfirmRemoval(this, QStringLiteral("city"), name)) return;
        RemoveCity(cities_, CurrentCity);
        CurrentCity = 0;
        FillCityCombo(cmbCities, cities_);
        txtName->clear();
    }
    // The text "0" matches no city, so the next start selects none unless the settings change.
    if (FindCity(cities_, settings_.DefaultCitySetting) == 0)
        settings_.DefaultCitySetting = std::to_string(0);
}

}  // namespace heliomark
