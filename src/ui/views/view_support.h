// What the day view and the world map share on the window side: reading their pictures from the
// program folder, telling the user once when one cannot be read, the plot widget that shows an
// off-screen pixel buffer, and closing by the close box as hiding.
#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "shading/pixel_buffer.h"

class QCloseEvent;
class QPainter;

namespace heliomark {

// The picture `file` as a pixel buffer when it is a readable picture of exactly width x height
// pixels. Otherwise a plain grey buffer of that size, and a line naming the file and the problem is
// added to `problems`. The size is checked from the file's header before the pixels are decoded.
PixelBuffer LoadViewPicture(const std::filesystem::path& file, int32_t width, int32_t height,
                            QStringList& problems);
// The same as a QImage, for the fixed strips beside a plot.
QImage LoadViewImage(const std::filesystem::path& file, int32_t width, int32_t height, QStringList& problems);

// Tells the user, in a message box that does not wait for an answer (objectName
// "msgPictureMissing", owned by `owner`), which pictures of `view` could not be read. Nothing
// happens when `problems` is empty. The box shows once the event loop runs, above the main window.
void ReportPictureProblems(QWidget* owner, const QString& view, const QStringList& problems);

// The close box of a view only hides it, so its buffers and its place stay for the next showing;
// when the session ends the close is let through, so the view never holds up a logout.
void HideInsteadOfClosing(QWidget* view, QCloseEvent* event);

// A plot (picRes): shows a pixel buffer owned elsewhere at its own size, with an optional overlay
// drawn over it. The changed part of the buffer is converted for the screen when it is next painted,
// so a pointer that moves every clock tick costs a few pixels, not the whole picture.
//
// On a screen of more than one device pixel per pixel (a scale factor of 2, say), the buffer's own
// markers would be blown up into blocks or blurs. There the plot shows `shading` instead (the same
// picture without its markers), scaled smoothly, and `markers` draws them as shapes in the plot's
// pixel coordinates at the screen's own resolution. The shading itself stays the same pixel
// computation at every scale.
class PixelPicture : public QWidget {
    Q_OBJECT

  public:
    PixelPicture(const PixelBuffer& buffer, QWidget* parent);

    // The buffer's pixels changed, all of them (the shading too) or those in `area` (display
    // coordinates, the markers only); `refresh` repaints now, otherwise at the next paint.
    void Changed(bool refresh);
    void Changed(const QRect& area, bool refresh);
    void SetOverlay(std::function<void(QPainter&)> overlay) { overlay_ = std::move(overlay); }
    void SetScaledDrawing(const PixelBuffer& shading, std::function<void(QPainter&)> markers);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const PixelBuffer& buffer_;
    QImage image_;  // the buffer as the screen takes it, 32-bit, top row first
    QRect stale_;   // the part of image_ behind the buffer
    std::function<void(QPainter&)> overlay_;
    const PixelBuffer* shading_ = nullptr;
    QImage shadingImage_;
    bool shadingStale_ = true;
    std::function<void(QPainter&)> markers_;
};

}  // namespace heliomark
