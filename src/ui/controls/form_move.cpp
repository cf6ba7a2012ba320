#include "ui/controls/form_move.h"

#include <QMouseEvent>
#include <QWidget>

namespace heliomark {

FormMove::FormMove(QObject* parent) : QObject(parent) {}

QWidget* FormMove::FormObject() const {
    return moveObj_;
}

void FormMove::SetFormObject(QWidget* window) {
    if (moveObj_) moveObj_->removeEventFilter(this);
    moveObj_ = window;
    grabbed_ = false;
    if (moveObj_) moveObj_->installEventFilter(this);
}

bool FormMove::eventFilter(QObject* watched, QEvent* event) {
    if (watched != moveObj_) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* me = static_cast<QMouseEvent*>(event);
            // A press a child control did not take reaches the window too; only a press on the
            // window's own background (no child under it) may start a drag.
            grabbed_ = moveObj_->childAt(me->position().toPoint()) == nullptr;
            if (grabbed_) grab_ = me->position();
            break;
        }
        case QEvent::MouseMove: {
            const auto* me = static_cast<QMouseEvent*>(event);
            if (!grabbed_ || me->buttons() != Qt::LeftButton) break;
            // The window follows so that the grab point stays under the cursor; each move measures
            // from that same point, so nothing accumulates. Qt works in pixels, so no twip scale.
            const QPointF delta = me->position() - grab_;
            moveObj_->move(moveObj_->pos() + delta.toPoint());
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) grabbed_ = false;
            break;
        default:
            break;
    }
    return false;  // the window still sees its own mouse events
}

}  // namespace heliomark
