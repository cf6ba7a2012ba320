#include "ui/views/world_map_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "shading/world_map.h"
#include "ui/controls/form_move.h"
#include "ui/controls/time_picker.h"
#include "ui/tool_tips.h"
#include "ui/views/view_support.h"

namespace heliomark {

namespace {

constexpr int Margin = 4;
constexpr int ReadoutRow = 18;  // pixels between the read-out lines

// The sub-solar disc and the place marker as shapes, where the map is shown scaled up: the same
// sizes and colours as the pixels WorldMap draws, centred on the same pixels.
void DrawMapMarkers(QPainter& painter, const WorldMap& map) {
    const MapPoint sun = map.SubSolar();
    painter.setPen(QPen(QColor(160, 80, 0), 1));  // the disc's rim, 8 pixels across, filled yellow
    painter.setBrush(QColor(255, 224, 64));
    painter.drawEllipse(QRectF(sun.Column - 3.5, sun.Row - 3.5, 7, 7));
    const MapPoint place = map.Marker();
    if (place.Column == -100) return;
    // A red diamond five pixels across whose centre pixel shows the map.
    const QPointF c(place.Column + 0.5, place.Row + 0.5);
    const auto diamond = [&c](double r) {
        return QPolygonF{{c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
    };
    QPainterPath ring;
    ring.addPolygon(diamond(2.5));
    ring.addPolygon(diamond(0.75));
    ring.setFillRule(Qt::OddEvenFill);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawPath(ring);
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(x, y, width, ReadoutRow);
    return label;
}

}  // namespace

WorldMapWindow::WorldMapWindow(const SharedState& state, const TimePicker& timeP, MainWindowLink link,
                               QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), timeP_(timeP), link_(std::move(link)) {
    setObjectName("frmMap");
    setWindowTitle("World Map");

    QStringList problems;
    map_ = std::make_unique<WorldMap>(
        LoadViewPicture(state.ProgramFolder / "world.bmp", MapWidth, 2 * MapHeight, problems));
    ReportPictureProblems(owner, "world map", problems);

    picRes = new PixelPicture(map_->Result(), this);
    picRes->move(Margin, Margin);
    picRes->setMouseTracking(true);
    picRes->installEventFilter(this);
    picRes->SetScaledDrawing(map_->Shading(), [this](QPainter& painter) { DrawMapMarkers(painter, *map_); });

    lblPnt = new QLabel("+", picRes);
    lblPnt->setObjectName("lblPnt");
    QFont arial("Arial");
    arial.setPointSize(11);
    arial.setBold(true);
    lblPnt->setFont(arial);
    lblPnt->setAlignment(Qt::AlignCenter);
    // 9 x 16 with the sign centred: moved to (x - 4, y - 8), the "+" stands on the city's pixel.
    lblPnt->setFixedSize(9, 16);
    lblPnt->setStyleSheet("color: white");
    lblPnt->setMouseTracking(true);
    lblPnt->installEventFilter(this);
    lblPnt->hide();

    lblTitle = new QLabel(picRes);
    lblTitle->setObjectName("lblTitle");
    lblTitle->setFont(picRes->font());
    lblTitle->setStyleSheet("color: black; background: #ffffe1");
    lblTitle->setIndent(1);
    lblTitle->resize(0, picRes->fontMetrics().height() + 2);
    // The map under the name keeps reading the mouse.
    lblTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblTitle->hide();

    const bool dms = state.Settings.AngleFormatSetting;
    const QString zero = QString::fromStdString(FormatAngle(0, dms));
    const int y = Margin + MapHeight + 6;
    AddLabel(this, "Label1", "Latitude =", Margin, y, 70);
    lblLat = AddLabel(this, "lblLat", zero, Margin + 74, y, 120);
    AddLabel(this, "Label2", "Longitude =", Margin + 210, y, 76);
    lblLon = AddLabel(this, "lblLon", zero, Margin + 290, y, 120);
    AddLabel(this, "Label3", "Altitude =", Margin, y + ReadoutRow, 70);
    lblAlt = AddLabel(this, "lblAlt", "", Margin + 74, y + ReadoutRow, MapWidth - 74);
    SetToolTips(this, {{"lblLat", "Latitude of the point under the pointer: degrees, north positive"},
                       {"lblLon", "Longitude of the point under the pointer: degrees, east positive"},
                       {"lblAlt",
                        "The Sun's altitude at the point under the pointer, in degrees, and "
                        "whether it is day, twilight or night there"}});

    mover_ = new FormMove(this);
    mover_->SetFormObject(this);
    setFixedSize(Margin + MapWidth + Margin, y + 2 * ReadoutRow + Margin);
}

WorldMapWindow::~WorldMapWindow() = default;

void WorldMapWindow::UpdateMapData() {
    map_->UpdateMapData(state_, timeP_.HourValue(), timeP_.MinuteValue(), timeP_.SecondValue());
    picRes->Changed(true);
    // The Sun moved: a pointer resting on the map reads out the new altitude there.
    if (pointer_) MapMouseMove(pointer_->x(), pointer_->y());
}

void WorldMapWindow::UpdatePointer(double lat, double lon, bool isRefresh) {
    // Only the pixels of the old and the new marker change.
    const auto marker = [](MapPoint at) { return QRect(at.Column - 2, at.Row - 2, 5, 5); };
    QRect changed;
    if (isRefresh && map_->Marker().Column != -100) changed = marker(map_->Marker());
    map_->UpdatePointer(lat, lon, isRefresh);
    picRes->Changed(changed | marker(map_->Marker()), isRefresh);
}

void WorldMapWindow::MapMouseMove(double x, double y) {
    pointer_ = QPointF(x, y);
    const MapReadout readout = ReadOutAt(map_->Sun(), x, y, state_.Settings.AngleFormatSetting);
    nearestCity_ = FindNearestCity(state_.Cities, RadToDeg(readout.Latitude), RadToDeg(readout.Longitude));
    if (nearestCity_ != 0) {
        const CityRecord& city = state_.Cities[static_cast<std::size_t>(nearestCity_ - 1)];
        const QString name = QString::fromStdString(CityTitle(city));
        const CityLabels at =
            PlaceCityLabels(city, picRes->fontMetrics().horizontalAdvance(name), lblTitle->height());
        lblPnt->move(at.MarkerLeft, at.MarkerTop);
        if (lblTitle->text() != name || lblTitle->isHidden()) {
            lblTitle->setText(name);
            lblTitle->setGeometry(at.Title.Left, at.Title.Top, at.Title.Width, at.Title.Height);
            lblPnt->show();
            lblTitle->show();
        }
    } else {
        lblPnt->hide();
        lblTitle->hide();
    }
    lblLat->setText(QString::fromStdString(readout.LatitudeText));
    lblLon->setText(QString::fromStdString(readout.LongitudeText));
    lblAlt->setText(QString::fromStdString(readout.AltitudeText));
}

void WorldMapWindow::MapMouseLeft() {
    // Nothing is pointed at: no marker, no name and no read-out of a place the pointer has left.
    pointer_.reset();
    nearestCity_ = 0;
    lblPnt->hide();
    lblTitle->hide();
    lblLat->clear();
    lblLon->clear();
    lblAlt->clear();
}

void WorldMapWindow::MapMouseUp(double x, double y) {
    const MapClick click = ClickToPlace(x, y);
    if (!click.Inside) return;
    if (link_.PlaceClicked) link_.PlaceClicked(click);
    UpdatePointer(click.Latitude, click.Longitude, true);
}

bool WorldMapWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Moving onto the city marker, a child of the map, is no leaving.
    if (watched == picRes && type == QEvent::Leave) MapMouseLeft();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* me = static_cast<QMouseEvent*>(event);
    const QPointF at = me->position();
    if (watched == picRes) {
        if (type == QEvent::MouseMove) MapMouseMove(at.x(), at.y());
        if (type == QEvent::MouseButtonRelease) MapMouseUp(at.x(), at.y());
        return false;
    }
    if (watched == lblPnt) {
        if (type == QEvent::MouseMove) {
            // The same as a move over the map at that point, in whole pixels.
            MapMouseMove(lblPnt->x() + static_cast<int>(at.x()), lblPnt->y() + static_cast<int>(at.y()));
        } else if (type == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton &&
                   lblPnt->rect().contains(at.toPoint())) {
            // The city may have left the list (city editor) since the pointer found it.
            if (nearestCity_ > 0 && nearestCity_ <= static_cast<int>(state_.Cities.size()) &&
                link_.CityClicked)
                link_.CityClicked(nearestCity_);
        }
        return true;  // the map under the marker does not take the click as a place
    }
    return QWidget::eventFilter(watched, event);
}

void WorldMapWindow::closeEvent(QCloseEvent* event) {
    HideInsteadOfClosing(this, event);
}

}  // namespace heliomark
