#include "ui/views/sun_events_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "engine/sun_events_text.h"
#include "ui/controls/form_move.h"
#include "ui/views/view_support.h"

namespace heliomark {

namespace {

const char* const BandNames[8] = {"txtGoldenMorningBegin", "txtGoldenMorningEnd", "txtGoldenEveningBegin",
                                  "txtGoldenEveningEnd",   "txtBlueMorningBegin", "txtBlueMorningEnd",
                                  "txtBlueEveningBegin",   "txtBlueEveningEnd"};

const char* const GoldenTip =
    "Golden hour: the Sun's centre between 4° below and 6° above the horizon (geometric altitude, "
    "without refraction). Low, warm light and long soft shadows. In the morning from -4° to +6° as "
    "the Sun rises, in the evening from +6° to -4° as it sets. \"-\" when the Sun does not pass that "
    "altitude on this day.";
const char* const BlueTip =
    "Blue hour: the Sun's centre between 6° and 4° below the horizon (geometric altitude). The sky "
    "is a deep, even blue and lights in the landscape stand out. In the morning from -6° to -4°, in "
    "the evening from -4° to -6°.";
const char* const AzimuthTip =
    "Where the Sun rises and sets: its azimuth at sunrise and at sunset, from north through east "
    "(90° east, 180° south, 270° west).";
const char* const CustomTip =
    "Any altitude of the Sun's centre, in degrees from -18 to +89 (geometric): type it and press "
    "Enter. The boxes beside it show when the Sun passes it rising and setting; \"-\" when it does "
    "not on this day.";
const char* const ShadowTip =
    "The shadow of a 1 m vertical stick on level ground at the main window's time: its length in "
    "metres (from the altitude after refraction) and the direction it points, the Sun's azimuth + "
    "180°. \"-\" while the Sun is below the horizon.";
const char* const PolarTip =
    "On a polar day or night: when it began and when the Sun next sets or rises, with the times the "
    "main window shows on those days.";

QLineEdit* AddBox(QGridLayout* grid, QWidget* parent, const char* name, int row, int column,
                  const char* toolTip, bool readOnly = true) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    box->setFixedWidth(96);
    box->setToolTip(toolTip);
    grid->addWidget(box, row, column);
    return box;
}

QLabel* AddLabel(QGridLayout* grid, QWidget* parent, const QString& name, const QString& text, int row,
                 int column, const char* toolTip = nullptr, Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    if (toolTip) label->setToolTip(toolTip);
    grid->addWidget(label, row, column, align);
    return label;
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

SunEventsWindow::SunEventsWindow(const SharedState& state, ZoneHoursOnDate zoneHoursOn, QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), zoneHoursOn_(std::move(zoneHoursOn)) {
    setObjectName("frmEvents");
    setWindowTitle("Sun Events");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(8);

    const char* columns[] = {"Morning Starts", "Morning Ends", "Evening Starts", "Evening Ends"};
    for (int c = 0; c < 4; ++c)
        AddLabel(grid, this, QString("lblColumn%1").arg(c), columns[c], 0, c + 1, nullptr, Qt::AlignHCenter);
    AddLabel(grid, this, "lblGolden", "Golden Hour", 1, 0, GoldenTip);
    AddLabel(grid, this, "lblBlue", "Blue Hour", 2, 0, BlueTip);
    for (int i = 0; i < 8; ++i)
        bands_[i] = AddBox(grid, this, BandNames[i], 1 + i / 4, 1 + i % 4, i < 4 ? GoldenTip : BlueTip);

    AddLabel(grid, this, "lblRiseAzm", "Rises at Azimuth", 3, 1, AzimuthTip, Qt::AlignHCenter);
    AddLabel(grid, this, "lblSetAzm", "Sets at Azimuth", 3, 3, AzimuthTip, Qt::AlignHCenter);
    AddLabel(grid, this, "lblAzm", "Sun's Direction", 4, 0, AzimuthTip);
    txtRiseAzm = AddBox(grid, this, "txtRiseAzm", 4, 1, AzimuthTip);
    txtSetAzm = AddBox(grid, this, "txtSetAzm", 4, 3, AzimuthTip);

    AddLabel(grid, this, "lblCustom", "Sun at Altitude (°)", 5, 0, CustomTip);
    txtCustomAlt = AddBox(grid, this, "txtCustomAlt", 5, 1, CustomTip, false);
    txtCustomAlt->setText(Text(FormatGeneral(customAltitude_)));
    txtCustomRise = AddBox(grid, this, "txtCustomRise", 5, 2, CustomTip);
    txtCustomSet = AddBox(grid, this, "txtCustomSet", 5, 3, CustomTip);
    lblCustomAltMsg = new QLabel(this);
    lblCustomAltMsg->setObjectName("lblCustomAltMsg");
    lblCustomAltMsg->setWordWrap(true);
    lblCustomAltMsg->setStyleSheet("color: #b00000");
    lblCustomAltMsg->hide();
    grid->addWidget(lblCustomAltMsg, 6, 0, 1, 5);

    AddLabel(grid, this, "lblShadow", "Shadow of a 1 m Stick", 7, 0, ShadowTip);
    txtShadow = AddBox(grid, this, "txtShadow", 7, 1, ShadowTip);
    AddLabel(grid, this, "lblShadowAzm", "Pointing to", 7, 2, ShadowTip, Qt::AlignRight);
    txtShadowAzm = AddBox(grid, this, "txtShadowAzm", 7, 3, ShadowTip);

    lblPolar = new QLabel(this);
    lblPolar->setObjectName("lblPolar");
    lblPolar->setToolTip(PolarTip);
    lblPolar->setWordWrap(true);
    lblPolar->hide();
    grid->addWidget(lblPolar, 8, 0, 1, 5);
    grid->setRowStretch(9, 1);

    connect(txtCustomAlt, &QLineEdit::editingFinished, this, &SunEventsWindow::txtCustomAlt_Validate);
    mover_ = new FormMove(this);
    mover_->SetFormObject(this);
    // Room for the two message lines, so the window does not change size when they appear.
    setFixedSize(sizeHint() + QSize(0, 2 * fontMetrics().lineSpacing()));
}

void SunEventsWindow::UpdateEventsData() {
    const Settings& settings = state_.Settings;
    const SunEventsReadouts r = ComputeSunEventsReadouts(
        state_, customAltitude_, zoneHoursOn_, settings.ShowSecondsSetting, settings.AngleFormatSetting);
    for (int i = 0; i < 8; ++i)
        bands_[i]->setText(Text(r.Bands[i]));
    txtRiseAzm->setText(Text(r.RiseAzimuth));
    txtSetAzm->setText(Text(r.SetAzimuth));
    txtCustomRise->setText(Text(r.CustomRise));
    txtCustomSet->setText(Text(r.CustomSet));
    lblPolar->setText(Text(r.Polar));
    lblPolar->setVisible(!r.Polar.empty());
}

void SunEventsWindow::UpdateShadow(double visAlt) {
    const ShadowReadouts r =
        ComputeShadowReadouts(visAlt, state_.Azimuth, state_.Settings.AngleFormatSetting);
    // Every clock tick comes here; an unchanged text is not set again, so nothing repaints.
    if (txtShadow->text() != Text(r.Length)) txtShadow->setText(Text(r.Length));
    if (txtShadowAzm->text() != Text(r.Direction)) txtShadowAzm->setText(Text(r.Direction));
}

void SunEventsWindow::txtCustomAlt_Validate() {
    const std::string typed = txtCustomAlt->text().toStdString();
    if (const std::optional<double> altitude = ParseCustomAltitude(typed)) {
        lblCustomAltMsg->hide();
        if (*altitude == customAltitude_) return;
        customAltitude_ = *altitude;
        UpdateEventsData();
        return;
    }
    lblCustomAltMsg->setText(Text(CustomAltitudeRefusal(typed)));
    lblCustomAltMsg->show();
    txtCustomAlt->setText(Text(FormatGeneral(customAltitude_)));
}

void SunEventsWindow::closeEvent(QCloseEvent* event) {
    HideInsteadOfClosing(this, event);
}

}  // namespace heliomark
