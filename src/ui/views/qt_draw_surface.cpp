#include "ui/views/qt_draw_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QWidget>
#include <cmath>

namespace heliomark {

namespace {
constexpr Color32 TextColor = 0x00C000;  // green
constexpr Color32 FillColor = 0x00FFFF;  // yellow
}  // namespace

QColor ToQColor(Color32 color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QtDrawSurface::QtDrawSurface(int widthPixels, int heightPixels)
    : image_(widthPixels, heightPixels, QImage::Format_RGB32) {
    image_.fill(Qt::black);
}

QtDrawSurface::~QtDrawSurface() {
    EndPainting();
}

float QtDrawSurface::WidthPixels() const {
    return static_cast<float>(image_.width());
}

float QtDrawSurface::HeightPixels() const {
    return static_cast<float>(image_.height());
}

void QtDrawSurface::SetScale(float left, float top, float width, float height) {
    FlushLines();
    // Pixel of a surface point: ((x - left) * W / width, (y - top) * H / height). The half-pixel
    // shift puts coordinate p on the centre of pixel p, where an engine's whole-pixel line belongs.
    const double sx = static_cast<double>(image_.width()) / width;
    const double sy = static_cast<double>(image_.height()) / height;
    transform_ = QTransform(sx, 0, 0, sy, -left * sx + 0.5, -top * sy + 0.5);
    if (painter_) painter_->setTransform(transform_);
}

void QtDrawSurface::Clear() {
    EndPainting();
    image_.fill(Qt::black);
    ++frames_;
    if (view_) view_->update();
}

void QtDrawSurface::Line(float x1, float y1, float x2, float y2, Color32 color) {
    if (!pendingLines_.isEmpty() && color != pendingColor_) FlushLines();
    pendingColor_ = color;
    pendingLines_.append(QLineF(x1, y1, x2, y2));
}

void QtDrawSurface::Circle(float x, float y, float radius, Color32 color) {
    FlushLines();
    QPainter& p = Painter();
    // The radius counts horizontal units whatever the vertical scale, so the circle is drawn in
    // pixels around the mapped centre.
    const QPointF centre = transform_.map(QPointF(x, y));
    const double r = std::fabs(radius * transform_.m11());
    p.save();
    p.resetTransform();
    p.setPen(QPen(ToQColor(color), 1));
    p.setBrush(ToQColor(FillColor));
    p.drawEllipse(centre, r, r);
    p.restore();
}

void QtDrawSurface::Print(float x, float y, std::string_view text) {
    FlushLines();
    QPainter& p = Painter();
    // The text's top-left corner is the corner of the pixel at (x, y); drawn unscaled, since a
    // reversed axis would mirror the letters.
    const QPointF corner = transform_.map(QPointF(x, y)) - QPointF(0.5, 0.5);
    p.save();
    p.resetTransform();
    p.setPen(ToQColor(TextColor));
    p.setFont(font_);
    p.drawText(corner + QPointF(0, QFontMetricsF(font_).ascent()),
               QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    p.restore();
}

void QtDrawSurface::SetView(QWidget* view) {
    view_ = view;
}

QPointF QtDrawSurface::SurfacePoint(QPointF pixel) const {
    return transform_.inverted().map(pixel + QPointF(0.5, 0.5));
}

const QImage& QtDrawSurface::Image() {
    EndPainting();
    return image_;
}

QPainter& QtDrawSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing);
        painter_->setTransform(transform_);
    }
    return *painter_;
}

void QtDrawSurface::FlushLines() {
    if (pendingLines_.isEmpty()) return;
    QPainter& p = Painter();
    QPen pen(ToQColor(pendingColor_), 1);
    pen.setCosmetic(true);  // one pixel wide whatever the scale
    p.setPen(pen);
    p.drawLines(pendingLines_);
    pendingLines_.clear();
}

void QtDrawSurface::EndPainting() {
    FlushLines();
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

}  // namespace heliomark
