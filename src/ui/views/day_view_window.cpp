#include "ui/views/day_view_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include "shading/day_view.h"
#include "ui/controls/form_move.h"
#include "ui/controls/time_picker.h"
#include "ui/views/view_support.h"

namespace heliomark {

namespace {

constexpr int Margin = 4;
constexpr int AxisWidth = 22;   // graf_altitudes.bmp: 0° .. 90° beside the plot
constexpr int AxisHeight = 15;  // graf_hours.bmp: 0h .. 24h under the plot

QLabel* AddStrip(QWidget* parent, const char* name, const QImage& image, int x, int y) {
    auto* strip = new QLabel(parent);
    strip->setObjectName(name);
    strip->setPixmap(QPixmap::fromImage(image));
    strip->setGeometry(x, y, image.width(), image.height());
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
    Image2 = AddStrip(this, "Image2", altitudes, Margin, Margin);
    picRes = new PixelPicture(view_->Result(), this);
    picRes->move(plotX, Margin);
    Image1 = AddStrip(this, "Image1", hours, plotX, Margin + DayViewHeight);
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
