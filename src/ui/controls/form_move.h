// Lets the user drag a window by pressing the left mouse button on the window's own background.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>

class QWidget;

namespace heliomark {

class FormMove : public QObject {
    Q_OBJECT
    Q_PROPERTY(QWidget* FormObject READ FormObject WRITE SetFormObject)

  public:
    explicit FormMove(QObject* parent = nullptr);

    QWidget* FormObject() const;
    // Binds to the window's mouse events. A drag starts only on the window's own background: a point
    // with no child widget on it (children transparent for mouse events do not count).
    void SetFormObject(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> moveObj_;
    QPointF grab_;          // where the press on the background was, in the window's pixels
    bool grabbed_ = false;  // the last press was on the window's own background
};

}  // namespace heliomark
