#include "ui/views/day_view_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "shading/day_view.h"
#include "ui/controls/form_move.h"
#include "ui/controls/time_picker.h"
#include "ui/views/view_support.h"

namespace heliomark {

namespace {

constexpr int Margin = 4;
constexpr int AxisWidth = 22;   // graf_altitudes.bmp: 0° .. 90° beside the plot
constexpr int AxisHeight = 15;  // graf_hours.bmp: 0h .. 24h under the plot

enum class Axis { Hours, Altitudes };

// An axis strip beside the plot. On a screen of one device pixel per pixel it shows its picture as
// it is. On a finer screen the picture's 5 x 7 pixel digits would be blown up, so the same ticks and
// labels are drawn there as lines and text at the screen's resolution.
class AxisStrip : public QWidget {
  public:
    AxisStrip(const QImage& image, Axis axis, QWidget* parent) : QWidget(parent), image_(image), axis_(axis) {
        setFixedSize(image.size());
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (devicePixelRatioF() <= 1) {
            p.drawImage(0, 0, image_);
            return;
        }
        p.fillRect(rect(), QColor(240, 240, 240));  // the pictures' background
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QPen(Qt::black, 1));
        QFont small = font();
        small.setPixelSize(9);
        p.setFont(small);
        if (axis_ == Axis::Hours) {
            for (int h = 0; h <= 24; ++h) {
                const double x = PointerColumn(h, 0, 0) + 0.5;
                p.drawLine(QPointF(x, 0), QPointF(x, h % 2 == 0 ? 4 : 2));
                if (h % 2 != 0) continue;
                const QString label = QString::number(h) + "h";
                const double w = p.fontMetrics().horizontalAdvance(label);
                const double left = std::clamp(x - w / 2, 0.0, width() - w);
                p.drawText(QRectF(left, 4, w, height() - 4), Qt::AlignCenter, label);
            }
        } else {
            for (int a = 0; a <= 90; a += 5) {
                const double y = std::lround((1 - a / 90.0) * 223) + 0.5;
                p.drawLine(QPointF(width() - (a % 10 == 0 ? 4 : 2), y), QPointF(width(), y));
                if (a % 10 != 0) continue;
                const double h = p.fontMetrics().height();
                const double top = std::clamp(y - h / 2, 0.0, height() - h);
                p.drawText(QRectF(0, top, width() - 5, h), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(a) + "°");
            }
        }
    }

  private:
    QImage image_;
    Axis axis_;
};

AxisStrip* AddStrip(QWidget* parent, const char* name, const QImage& image, Axis axis, int x, int y) {
    auto* strip = new AxisStrip(image, axis, parent);
    strip->setObjectName(name);
    strip->move(x, y);
    return strip;
}

}  // namespace

DayViewWindow::DayViewWindow(SharedState& state, const TimePicker& timeP, QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), timeP_(timeP) {
    setObjectName("frmGraf");
    setWindowTitle("Day View");
    mover_ = new FormMove(this);
    mover_->SetFormObject(this);

    QStringList problems;
    const std::filesystem::path& folder = state.ProgramFolder;
    view_ = std::make_unique<DayView>(
        LoadViewPicture(folder / "graf.bmp", DayViewWidth, 2 * DayViewHeight, problems));
    const QImage altitudes = LoadViewImage(folder / "graf_altitudes.bmp", AxisWidth, DayViewHeight, problems);
    const QImage hours = LoadViewImage(folder / "graf_hours.bmp", DayViewWidth, AxisHeight, problems);
    ReportPictureProblems(owner, "day view", problems);

    const int plotX = Margin + AxisWidth;
    Image2 = AddStrip(this, "Image2", altitudes, Axis::Altitudes, Margin, Margin);
    picRes = new PixelPicture(view_->Result(), this);
    picRes->move(plotX, Margin);
    Image1 = AddStrip(this, "Image1", hours, Axis::Hours, plotX, Margin + DayViewHeight);
    picRes->SetOverlay([this](QPainter& painter) {
        // The Sun's altitude column by column, joined by straight lines; below the horizon the
        // curve leaves the plot at the bottom and is clipped.
        QPolygonF curve;
        curve.reserve(DayViewWidth);
        const auto& y = view_->Curve();
        for (int i = 0; i < DayViewWidth; ++i)
            curve << QPointF(i, y[i]);
        painter.setPen(QPen(QColor(255, 0, 0), 0));
        painter.drawPolyline(curve);
    });
    picRes->SetScaledDrawing(view_->Shading(), [this](QPainter& painter) {
        // The pointer: a red triangle five pixels wide on the bottom rows, its tip over the column.
        const int column = view_->LastPointer();
        if (column == -100) return;
        const double x = column + 0.5;
        const QPolygonF triangle{
            {x, PointerTop + 0.0}, {x + 2.5, PointerTop + 3.0}, {x - 2.5, PointerTop + 3.0}};
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 0, 0));
        painter.drawPolygon(triangle);
    });
    setFixedSize(plotX + DayViewWidth + Margin, Margin + DayViewHeight + AxisHeight + Margin);
}

DayViewWindow::~DayViewWindow() = default;

void DayViewWindow::UpdateGrafData() {
    view_->UpdateGrafData(state_, timeP_.HourValue(), timeP_.MinuteValue(), timeP_.SecondValue());
    picRes->Changed(true);
}

void DayViewWindow::UpdatePointer(int posX, bool isRefresh) {
    // Only the pixels of the old and the new triangle change.
    const auto triangle = [](int column) { return QRect(column - 2, DayViewHeight - 3, 5, 3); };
    QRect changed = triangle(posX);
    if (isRefresh && view_->LastPointer() != -100) changed |= triangle(view_->LastPointer());
    view_->UpdatePointer(posX, isRefresh);
    picRes->Changed(changed, isRefresh);
}

void DayViewWindow::closeEvent(QCloseEvent* event) {
    HideInsteadOfClosing(this, event);
}

}  // namespace heliomark
