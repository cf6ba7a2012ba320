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

  public:
    explicit FormMove(QObject* parent = nullptr);

    QWidget* FormObject() const;
    void SetFormObject(QWidget* window);  // binds to the window's own mouse events

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> moveObj_;
    QPointF grab_;          // where the press on the background was, in the window's pixels
    bool grabbed_ = false;  // the last press was on the window's own background
};

}  // namespace heliomark
