// The sky view's drawing surface: the 3D engine's operations carried out with a QPainter on an
// image the size of the picture. Black background, labels in green 0x00C000, circles filled solid
// yellow 0x00FFFF (so the Sun is a yellow disc), lines antialiased.
//
// The user coordinate system is a transform of the painter, so the engine's geometry is drawn as it
// computes it. Surface coordinates name pixels the way the engine counts them: coordinate p covers
// pixel p, whose centre the painter sees at p + 0.5.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointer>
#include <QTransform>
#include <QVector>
#include <memory>

#include "scene3d/draw_surface.h"

class QPainter;
class QWidget;

namespace heliomark {

// 0x00BBGGRR (red in the low byte) as a Qt colour.
QColor ToQColor(Color32 color);

class QtDrawSurface : public DrawSurface {
  public:
    QtDrawSurface(int widthPixels, int heightPixels);
    ~QtDrawSurface() override;
    QtDrawSurface(const QtDrawSurface&) = delete;
    QtDrawSurface& operator=(const QtDrawSurface&) = delete;

    float WidthPixels() const override;
    float HeightPixels() const override;
    void SetScale(float left, float top, float width, float height) override;
    void Clear() override;
    void Line(float x1, float y1, float x2, float y2, Color32 color) override;
    void Circle(float x, float y, float radius, Color32 color) override;
    void Print(float x, float y, std::string_view text) override;

    // The surface coordinates of the pixel at `pixel` (a widget position on the image): what the
    // engine's coordinate system calls that pixel.
    QPointF SurfacePoint(QPointF pixel) const;

    // The picture as drawn so far. Finishes the painting in progress; the next drawing call starts
    // a new one on the same image.
    const QImage& Image();
    // The widget that shows the image; it is asked to repaint whenever a frame begins, and the
    // repaint comes after the frame is complete (everything runs on one thread).
    void SetView(QWidget* view);
    void SetFont(const QFont& font) { font_ = font; }
    // Frames begun (Clear calls) since construction: lets a test see how often the scene was drawn.
    int FrameCount() const { return frames_; }

  private:
    QPainter& Painter();
    void FlushLines();
    void EndPainting();

    QImage image_;
    QTransform transform_;
    QFont font_;
    QPointer<QWidget> view_;
    std::unique_ptr<QPainter> painter_;  // active between the first drawing call and Image()
    // Consecutive lines of one colour are drawn in one call; the batch is flushed before anything
    // else is drawn, so the drawing order is the engine's.
    QVector<QLineF> pendingLines_;
    Color32 pendingColor_ = 0;
    int frames_ = 0;
};

}  // namespace heliomark
