// 23 x 23 flat tool button with a 16 x 16 picture: flat, hover (raised frame) and pressed (sunken
// frame, picture shifted one pixel) looks; push (Style 0) or toggle (any other Style).
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QTimer;

namespace heliomark {

class FlatButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Value READ Value WRITE SetValue)
    Q_PROPERTY(int VisualState READ VisualState)

  public:
    explicit FlatButton(QWidget* parent = nullptr);

    QPixmap Picture() const;
    void SetPicture(const QPixmap& picture);
    int Style() const;
    void SetStyle(int style);
    bool Value() const;
    void SetValue(bool value);  // toggle: stores, redraws, raises Click; push: true raises Click only

    // The look: 0 flat, 1 hover (raised frame), 2 pressed (sunken frame, picture one pixel down right).
    int VisualState() const { return state_; }

    // The tick of the 10 ms hover timer (`Timer1`): once the cursor has left, back to the flat look.
    void Timer1Tick();

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void SetState(int state);
    void NoteMouse(const QMouseEvent* event);
    bool IsOver(QPoint local) const;  // the right and bottom edges count as inside
    bool CursorIsOver() const;

    QPixmap picture_;
    int style_ = 0;  // push, the style of a button whose form does not name one
    bool value_ = false;
    int state_ = 0;
    bool resizing_ = false;
    QTimer* timer1_ = nullptr;
    // Where the last mouse event put the cursor, and where the system cursor was then (see
    // CursorIsOver).
    QPoint lastEventGlobal_;
    QPoint systemCursorAtLastEvent_;
};

}  // namespace heliomark
