// Drop-down picker of the 75 hour zones: closed, the short text ("GMT+01:00") with a drop button;
// open, the full list over the host's other controls.
//
// The control opens in place: it grows to the list's size, rises above its siblings and is masked
// to the text box and the list, so the host shows through beside the text box. The list opens with
// the selected zone as its first line; a click in it picks a zone and closes it, as do the focus
// leaving it, any resize from outside and CloseList. From the keyboard, F4 or Alt+Down in the text
// box opens it, Enter or Escape in the list closes it.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;
class QListWidget;
class QToolButton;

namespace heliomark {

class HourZonePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ListIndex READ ListIndex WRITE SetListIndex)
    Q_PROPERTY(double HourZone READ HourZone)
    Q_PROPERTY(bool FullSize READ FullSize WRITE SetFullSize)
    Q_PROPERTY(QString Text READ Text)

  public:
    explicit HourZonePicker(QWidget* parent = nullptr);

    int ListIndex() const;            // -1 none
    void SetListIndex(int position);  // raises Click on a change, also from code; others than -1..74 ignored
    double HourZone() const;          // hours of the selected entry (0 when none)
    bool FullSize() const;            // the list is open
    void SetFullSize(bool open);
    QString Text() const;  // the short text shown
    void CloseList();

    // The clock behind the guard that keeps the click which closed the list from reopening it:
    // seconds on any steady scale. The default is monotonic; tests inject their own.
    using Clock = std::function<double()>;
    void SetClock(Clock secondsNow);

    // The size of the open control: the room a host leaves below the text box for the list.
    QSize OpenSize() const { return openSize_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void DropButtonClick();
    void ListSelectionChanged(int row);
    // Puts the control back to the closed size unless it is sizing itself; so any size the host
    // gives it is undone and closes the list.
    void SnapClosed();
    void ResizeSelf(QSize size);
    void ApplySize(QSize size);  // while resizing_ is set
    bool InLayout() const;
    // Sizes the text box for the longest short text and the open list for the longest entry and
    // at least VisibleRows rows, in the control's font; the sizes above are the least.
    void FitToFont();

    QRect text1Rect_, list1Rect_;
    QSize closedSize_, openSize_;
    QLineEdit* text1_ = nullptr;
    QToolButton* cmdOp_ = nullptr;
    QListWidget* list1_ = nullptr;
    bool resizing_ = false;
    double listClosedAt_;  // clock seconds when the list last lost the focus
    Clock clock_;
};

}  // namespace heliomark
