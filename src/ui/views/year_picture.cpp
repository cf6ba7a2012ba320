#include "ui/views/year_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "engine/sun_events_text.h"

namespace heliomark {

namespace {

constexpr int RightRoom = 8;
constexpr int BottomRoom = 18;  // the month labels

// Night, astronomical, nautical and civil twilight, daylight.
const QColor BandColours[5] = {{14, 20, 52}, {30, 44, 96}, {56, 84, 146}, {112, 148, 206}, {206, 228, 246}};
const QColor SunriseColour(235, 125, 0);
const QColor SunsetColour(190, 30, 90);
const QColor TransitColour(250, 200, 20);
const QColor GridColour(255, 255, 255, 70);
const QColor SwitchColour(255, 255, 255, 210);
const QColor MarkerColour(255, 0, 0);

double X(std::size_t day) {
    return YearPicture::PlotLeft + static_cast<double>(day) * YearPicture::DayWidth;
}

double Y(double hours) {
    return YearPicture::PlotTop + hours * YearPicture::HourHeight;
}

// One event's clock time through the year. A missing event breaks the curve, and so does a jump of
// more than a few hours, which is the event passing midnight, not a path across the picture; the
// hour of a daylight-saving switch is drawn as the step it is.
void DrawCurve(QPainter& p, const std::vector<YearDay>& table, double YearDay::*event, const QColor& colour) {
    QPainterPath path;
    bool open = false;
    double last = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const double t = table[i].*event;
        if (t == NoValue) {
            open = false;
            continue;
        }
        const double hours = (t - table[i].Midnight) * 24;
        const QPointF at(X(i) + YearPicture::DayWidth / 2.0, Y(hours));
        if (open && std::fabs(hours - last) < 3)
            path.lineTo(at);
        else
            path.moveTo(at);
        open = true;
        last = hours;
    }
    p.setPen(QPen(colour, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

}  // namespace

YearPicture::YearPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("picYear");
    setFixedSize(PlotLeft + PlotWidth + RightRoom, PlotTop + PlotHeight + BottomRoom);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void YearPicture::SetTable(std::vector<YearDay> table) {
    table_ = std::move(table);
    cache_ = QPixmap();
    update();
}

void YearPicture::SetMarkerDay(int day) {
    if (day == markerDay_) return;
    const auto column = [](int d) {
        return QRect(static_cast<int>(X(d)) - 5, 0, DayWidth + 10, PlotTop + PlotHeight);
    };
    if (markerDay_ >= 0) update(column(markerDay_));
    markerDay_ = day;
    if (markerDay_ >= 0) update(column(markerDay_));
}

int YearPicture::DayAt(QPoint at) const {
    if (at.x() < PlotLeft || at.y() < PlotTop || at.y() >= PlotTop + PlotHeight) return -1;
    const int day = (at.x() - PlotLeft) / DayWidth;
    return day < static_cast<int>(table_.size()) ? day : -1;
}

QImage YearPicture::Render(qreal pixelRatio) const {
    QImage image(size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    DrawTable(p);
    DrawMarker(p);
    return image;
}

void YearPicture::DrawTable(QPainter& p) const {
    p.fillRect(QRect(QPoint(0, 0), size()), palette().window());
    p.fillRect(QRectF(PlotLeft, PlotTop, PlotWidth, PlotHeight), BandColours[0]);
    for (std::size_t i = 0; i < table_.size(); ++i) {
        const DayBands bands = ComputeDayBands(table_[i]);
        for (int k = 0; k < bands.Count; ++k) {
            const BandRun& run = bands.Runs[k];
            p.fillRect(QRectF(X(i), Y(run.From), DayWidth, (run.To - run.From) * HourHeight),
                       BandColours[static_cast<int>(run.Band)]);
        }
    }
    const double right = X(table_.size());
    p.setPen(QPen(GridColour, 1));
    for (int h = 3; h < 24; h += 3)
        p.drawLine(QPointF(PlotLeft, Y(h)), QPointF(right, Y(h)));
    for (std::size_t i = 1; i < table_.size(); ++i)
        if (DayOf(table_[i].Date) == 1) p.drawLine(QPointF(X(i), Y(0)), QPointF(X(i), Y(24)));
    p.setPen(QPen(SwitchColour, 1, Qt::DashLine));
    for (int day : ZoneSwitchDays(table_))
        p.drawLine(QPointF(X(day), Y(0)), QPointF(X(day), Y(24)));

    p.setRenderHint(QPainter::Antialiasing);
    DrawCurve(p, table_, &YearDay::Sunrise, SunriseColour);
    DrawCurve(p, table_, &YearDay::Sunset, SunsetColour);
    DrawCurve(p, table_, &YearDay::Transit, TransitColour);
    p.setRenderHint(QPainter::Antialiasing, false);

    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    p.setFont(small);
    p.setPen(palette().windowText().color());
    for (int h = 0; h <= 24; h += 3)
        p.drawText(QRectF(0, Y(h) - 8, PlotLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromStdString(FormatHourLabel(h)));
    for (std::size_t i = 0; i < table_.size(); ++i) {
        if (DayOf(table_[i].Date) != 1) continue;
        const int days = DayOf(DateSerial(YearOf(table_[i].Date), MonthOf(table_[i].Date) + 1, 0));
        p.drawText(QRectF(X(i), Y(24) + 2, days * DayWidth, BottomRoom - 2), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromStdString(MonthAbbreviation(MonthOf(table_[i].Date))));
    }
}

void YearPicture::DrawMarker(QPainter& p) const {
    if (markerDay_ < 0 || markerDay_ >= static_cast<int>(table_.size())) return;
    const double x = X(markerDay_);
    p.fillRect(QRectF(x, PlotTop, DayWidth, PlotHeight), MarkerColour);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(MarkerColour);
    const double middle = x + DayWidth / 2.0;
    p.drawPolygon(QPolygonF({QPointF(middle - 4, 0), QPointF(middle + 4, 0), QPointF(middle, PlotTop)}));
}

void YearPicture::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.devicePixelRatio() != ratio) {
        cache_ = QPixmap(size() * ratio);
        cache_.setDevicePixelRatio(ratio);
        QPainter cachePainter(&cache_);
        DrawTable(cachePainter);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
    DrawMarker(p);
}

void YearPicture::mouseMoveEvent(QMouseEvent* event) {
    emit Hovered(DayAt(event->position().toPoint()));
}

void YearPicture::leaveEvent(QEvent*) {
    emit Hovered(-1);
}

}  // namespace heliomark
