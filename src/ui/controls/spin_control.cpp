#include "ui/controls/spin_control.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace heliomark {

namespace {
// Auto-repeat while a half is held, as native spin buttons do.
constexpr int FirstRepeatMs = 400;
constexpr int RepeatMs = 60;
}  // namespace

SpinControl::SpinControl(QWidget* parent) : QWidget(parent), repeat_(new QTimer(this)) {
    setObjectName("UpDown1");
    // The spin never takes the focus, so it acts on the field the user was in.
    setFocusPolicy(Qt::NoFocus);
    connect(repeat_, &QTimer::timeout, this, [this] {
        // The release can go astray (a window opened by the owner's handler takes it); stop as
        // soon as the button is up, wherever it was let go.
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            StopRepeat();
            return;
        }
        repeat_->setInterval(RepeatMs);
        Step();
    });
}

void SpinControl::SetValue(int value) {
    if (value == value_) return;
    value_ = value;
    emit Change();
}

void SpinControl::Step() {
    if (pressedStep_ != 0) SetValue(value_ + pressedStep_);
}

void SpinControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressedStep_ = event->position().y() < height() / 2.0 ? 1 : -1;
    update();
    repeat_->start(FirstRepeatMs);
    Step();
}

void SpinControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) StopRepeat();
}

void SpinControl::hideEvent(QHideEvent*) {
    StopRepeat();
}

void SpinControl::StopRepeat() {
    pressedStep_ = 0;
    repeat_->stop();
    update();
}

void SpinControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        QStyleOption opt;
        opt.initFrom(this);
        opt.rect = halves[i];
        const bool down = pressedStep_ == (i == 0 ? 1 : -1);
        opt.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &opt, &p, this);
        opt.rect = halves[i].adjusted(2, 1, -2, -1).translated(down ? 1 : 0, down ? 1 : 0);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &opt, &p,
                               this);
    }
}

}  // namespace heliomark
