// The pickers' spin button (`UpDown1`): a slim up/down pair that rests at Value 0. A press on the
// upper half moves Value to +1, on the lower half to -1 (repeating while held), and every change
// of Value, from the mouse or from code, is reported by Change; the owner puts it back to 0.
#pragma once

#include <QWidget>

class QTimer;

namespace heliomark {

class SpinControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue NOTIFY Change)

  public:
    explicit SpinControl(QWidget* parent = nullptr);

    int Value() const { return value_; }
    void SetValue(int value);  // raises Change when the value differs

  signals:
    void Change();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Step();
    void StopRepeat();

    int value_ = 0;
    int pressedStep_ = 0;  // +1 upper half held, -1 lower half held, 0 none
    QTimer* repeat_ = nullptr;
};

}  // namespace heliomark
