#include "ui/views/view_support.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <optional>

namespace heliomark {

namespace {

// What a picture that cannot be read is shown as.
constexpr Rgb PlainGrey{128, 128, 128};

// The picture in 24-bit RGB when it is readable and exactly width x height, else a line for the user.
std::optional<QImage> ReadExactPicture(const std::filesystem::path& file, int32_t width, int32_t height,
                                       QStringList& problems) {
    const QString name = QString::fromStdString(file.string());
    if (!QFileInfo::exists(name)) {
        problems << name + ": the file is missing.";
        return std::nullopt;
    }
    const auto wrongSize = [&](QSize size) {
        problems << name + QString(": the picture is %1 x %2 pixels; it must be %3 x %4.")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(width)
                               .arg(height);
    };
    QImageReader reader(name);
    reader.setAutoTransform(false);
    // The header's size is checked before any pixel is decoded, so a damaged or huge file is
    // turned away without allocating for it.
    const QSize announced = reader.size();
    if (announced.isValid() && announced != QSize(width, height)) {
        wrongSize(announced);
        return std::nullopt;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        problems << name + ": the picture cannot be read (" + reader.errorString() + ").";
        return std::nullopt;
    }
    if (image.size() != QSize(width, height)) {
        wrongSize(image.size());
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

PixelBuffer LoadViewPicture(const std::filesystem::path& file, int32_t width, int32_t height,
                            QStringList& problems) {
    const std::optional<QImage> image = ReadExactPicture(file, width, height, problems);
    if (!image) return SolidPixelBuffer(width, height, PlainGrey);
    return PixelBufferFromTopDownRgb(width, height, image->constBits(),
                                     static_cast<std::size_t>(image->bytesPerLine()));
}

QImage LoadViewImage(const std::filesystem::path& file, int32_t width, int32_t height,
                     QStringList& problems) {
    if (std::optional<QImage> image = ReadExactPicture(file, width, height, problems)) return *image;
    QImage grey(width, height, QImage::Format_RGB888);
    grey.fill(QColor(PlainGrey.R, PlainGrey.G, PlainGrey.B));
    return grey;
}

void ReportPictureProblems(QWidget* owner, const QString& view, const QStringList& problems) {
    if (problems.isEmpty()) return;
    auto* box = new QMessageBox(QMessageBox::Warning, "Heliomark",
                                "Heliomark could not read the pictures of the " + view + ":\n\n" +
                                    problems.join("\n") + "\n\nThe " + view + " shows plain grey instead.",
                                QMessageBox::Ok, owner);
    box->setObjectName("msgPictureMissing");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // The views are made while the main window loads, before it is shown; showing the box from the
    // event loop puts it above the main window instead of under it.
    QTimer::singleShot(0, box, &QWidget::show);
}

void HideInsteadOfClosing(QWidget* view, QCloseEvent* event) {
#ifndef QT_NO_SESSIONMANAGER
    if (qGuiApp && qGuiApp->isSavingSession()) {
        event->accept();
        return;
    }
#endif
    event->ignore();
    view->hide();
}

PixelPicture::PixelPicture(const PixelBuffer& buffer, QWidget* parent)
    : QWidget(parent), buffer_(buffer), image_(buffer.Width, buffer.Height, QImage::Format_RGB32) {
    setObjectName("picRes");
    setFixedSize(buffer.Width, buffer.Height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    stale_ = rect();
}

void PixelPicture::Changed(bool refresh) {
    shadingStale_ = true;
    Changed(rect(), refresh);
}

void PixelPicture::SetScaledDrawing(const PixelBuffer& shading, std::function<void(QPainter&)> markers) {
    shading_ = &shading;
    markers_ = std::move(markers);
    shadingStale_ = true;
}

void PixelPicture::Changed(const QRect& area, bool refresh) {
    const QRect inside = area & rect();
    stale_ |= inside;
    if (refresh) update(inside);
}

namespace {

// The pixels of `area` of a bottom-up BGR buffer into a top-down RGB32 image of the same size.
void ConvertRows(const PixelBuffer& buffer, const QRect& area, QImage& image) {
    for (int row = area.top(); row <= area.bottom() && !area.isEmpty(); ++row) {
        const uint8_t* bgr = buffer.Row(buffer.Height - 1 - row);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = area.left(); x <= area.right(); ++x)
            out[x] = qRgb(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
    }
}

}  // namespace

void PixelPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (shading_ && devicePixelRatioF() > 1) {
        if (shadingStale_) {
            if (shadingImage_.isNull()) shadingImage_ = QImage(size(), QImage::Format_RGB32);
            ConvertRows(*shading_, rect(), shadingImage_);
            shadingStale_ = false;
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), shadingImage_);
        painter.setRenderHint(QPainter::Antialiasing);
        if (markers_) markers_(painter);
    } else {
        // RGB32 is what the screen's backing store holds, so drawing it is a plain copy.
        ConvertRows(buffer_, stale_, image_);
        stale_ = QRect();
        painter.drawImage(0, 0, image_);
    }
    if (overlay_) overlay_(painter);
}

}  // namespace heliomark
