#include "ui/controls/flat_button.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace heliomark {

namespace {
constexpr int ButtonSize = 23;  // 345 twips
constexpr int PictureSize = 16;
constexpr int HoverPollMs = 10;
}  // namespace

FlatButton::FlatButton(QWidget* parent) : QWidget(parent), timer1_(new QTimer(this)) {
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(HoverPollMs);
    connect(timer1_, &QTimer::timeout, this, &FlatButton::Timer1Tick);
    setMouseTracking(true);
    setFixedSize(ButtonSize, ButtonSize);
}

QPixmap FlatButton::Picture() const {
    return picture_;
}
void FlatButton::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

int FlatButton::Style() const {
    return style_;
}
void FlatButton::SetStyle(int style) {
    style_ = style;  // takes effect at the next mouse or Value action
}

bool FlatButton::Value() const {
    return value_;
}
void FlatButton::SetValue(bool value) {
    if (style_ != 0) {
        value_ = value;
        SetState(value_ ? 2 : 0);
        emit Click();
    } else if (value) {
        // A push button has no state to keep: true only presses it once.
        emit Click();
    }
}

void FlatButton::SetState(int state) {
    state_ = state;
    update();
}

bool FlatButton::IsOver(QPoint local) const {
    return local.x() >= 0 && local.x() <= width() && local.y() >= 0 && local.y() <= height();
}

void FlatButton::NoteMouse(const QMouseEvent* event) {
    lastEventGlobal_ = event->globalPosition().toPoint();
    systemCursorAtLastEvent_ = QCursor::pos();
}

bool FlatButton::CursorIsOver() const {
    // Mouse events sent straight to the widget (synthesised input, automation) do not move the
    // system cursor; until it really moves, the last event's position stands for it.
    const QPoint cursor = QCursor::pos();
    return IsOver(mapFromGlobal(cursor != systemCursorAtLastEvent_ ? cursor : lastEventGlobal_));
}

void FlatButton::mousePressEvent(QMouseEvent* event) {
    NoteMouse(event);
    // A press normally follows a hover, which started the poll; a press without one (the button
    // appeared under a still cursor) needs the poll too, or dragging off would leave it pressed.
    // A toggle that is down keeps its look and needs none.
    if (state_ != 2) timer1_->start();
    SetState(2);
}

void FlatButton::mouseMoveEvent(QMouseEvent* event) {
    NoteMouse(event);
    if (state_ != 0 || !IsOver(event->position().toPoint())) return;
    state_ = event->buttons() == Qt::LeftButton ? 2 : 1;
    timer1_->start();
    update();
}

void FlatButton::mouseReleaseEvent(QMouseEvent* event) {
    NoteMouse(event);
    const bool over = IsOver(event->position().toPoint());
    if (style_ == 0) {
        if (over) {
            SetState(1);
            timer1_->start();  // the hover look needs the poll that ends it
            emit Click();
        } else {
            SetState(0);  // pressed, dragged off and let go: flat again, no click
        }
        return;
    }
    timer1_->stop();
    if (over) value_ = !value_;
    // Also when let go outside: the look follows Value, never a press that was abandoned.
    SetState(value_ ? 2 : 0);
    if (over) emit Click();
}

void FlatButton::Timer1Tick() {
    if (CursorIsOver()) return;
    timer1_->stop();
    // The resting look; a toggle switched on from code while the cursor was over it stays down.
    SetState(style_ != 0 && value_ ? 2 : 0);
}

void FlatButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resizing_ || size() == QSize(ButtonSize, ButtonSize)) return;
    resizing_ = true;
    setFixedSize(ButtonSize, ButtonSize);
    resizing_ = false;
    update();
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool pressed = state_ == 2;
    const int offset = pressed ? 4 : 3;
    if (!picture_.isNull()) p.drawPixmap(QRect(offset, offset, PictureSize, PictureSize), picture_);
    if (state_ == 0) return;
    const QColor highlight = palette().color(QPalette::Light), shadow = palette().color(QPalette::Dark);
    // The classic frame lines, last point excluded: top and left, then bottom and right.
    const int far = PictureSize + 6;  // 22
    p.setPen(pressed ? shadow : highlight);
    p.drawLine(0, 0, far - 1, 0);
    p.drawLine(0, 0, 0, far - 1);
    p.setPen(pressed ? highlight : shadow);
    p.drawLine(0, far, far, far);
    p.drawLine(far, 0, far, far - 1);
}

}  // namespace heliomark
