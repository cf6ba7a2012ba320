#include "ui/controls/hour_zone_picker.h"

#include <QElapsedTimer>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScrollBar>
#include <QToolButton>
#include <limits>

#include "data/data.h"

namespace heliomark {

namespace {
// Child geometry in pixels: the least sizes; FitToFont widens them for the font's texts.
const QRect Text1Rect(0, 0, 86, 21);
const QSize CmdOpSize(17, 17);  // 2 pixels inside the right end of the text box
const QRect List1Rect(0, 21, 329, 106);
constexpr int VisibleRows = 12;
// A click on the drop button first takes the focus from the open list, which closes it; a click
// this soon after that is the same click and must not reopen the list.
constexpr double ReopenGuardSeconds = 0.1;

double SteadySeconds() {
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// The list of zones. Any entry can be scrolled to the top line, the last ones included, so that
// opening the list always shows the selected zone first.
class ZoneList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    void updateGeometries() override {
        QListWidget::updateGeometries();
        if (verticalScrollMode() == ScrollPerItem) verticalScrollBar()->setRange(0, std::max(0, count() - 1));
    }
};

QPixmap DownArrow(const QColor& color) {
    QPixmap arrow(7, 7);
    arrow.fill(Qt::transparent);
    QPainter p(&arrow);
    p.setPen(color);
    for (int row = 0; row < 4; ++row)
        p.drawLine(row, row + 1, 6 - row, row + 1);
    return arrow;
}
}  // namespace

HourZonePicker::HourZonePicker(QWidget* parent)
    : QWidget(parent), listClosedAt_(-std::numeric_limits<double>::infinity()), clock_(SteadySeconds) {
    text1_ = new QLineEdit(this);
    text1_->setObjectName("Text1");
    text1_->setReadOnly(true);
    text1_->installEventFilter(this);

    list1_ = new ZoneList(this);
    list1_->setObjectName("List1");
    list1_->setFocusPolicy(Qt::ClickFocus);
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    list1_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < HourZoneCount; ++i)
        list1_->addItem(QString::fromUtf8(HourZoneText(i).data(), static_cast<int>(HourZoneText(i).size())));
    list1_->installEventFilter(this);
    list1_->viewport()->installEventFilter(this);
    connect(list1_, &QListWidget::currentRowChanged, this, &HourZonePicker::ListSelectionChanged);

    cmdOp_ = new QToolButton(this);
    cmdOp_->setObjectName("cmdOp");
    cmdOp_->setIcon(DownArrow(palette().color(QPalette::ButtonText)));
    cmdOp_->setIconSize(QSize(7, 7));
    // Taking the focus on a click is what closes an open list before the click is handled.
    cmdOp_->setFocusPolicy(Qt::ClickFocus);
    connect(cmdOp_, &QToolButton::pressed, this, [this] {
        // Normally the press has already taken the focus from an open list and so closed it; where
        // the focus cannot move (the window is not active) the press closes it the same way.
        if (FullSize()) {
            listClosedAt_ = clock_();
            SnapClosed();
        }
    });
    connect(cmdOp_, &QToolButton::clicked, this, &HourZonePicker::DropButtonClick);

    FitToFont();
    // Only the text box and the list are part of the control: right of the text box, over the
    // rest of the list's width, the host stays visible and clickable.
    setMask(QRegion(text1Rect_) + QRegion(list1Rect_));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusProxy(text1_);
    installEventFilter(this);
    SnapClosed();
}

void HourZonePicker::FitToFont() {
    const QFontMetrics metrics(font());
    int shortText = 0;
    for (int i = 0; i < HourZoneCount; ++i)
        shortText =
            std::max(shortText, metrics.horizontalAdvance(QString::fromStdString(HourZoneShortText(i))));
    const int textHeight = std::max(Text1Rect.height(), metrics.height() + 6);
    // The short text within the line edit's frame and margins, then the drop button lying over the
    // right end.
    const int textWidth = std::max(Text1Rect.width(), shortText + 6 + CmdOpSize.width() + 2);
    text1Rect_ = QRect(0, 0, textWidth, textHeight);
    text1_->setGeometry(text1Rect_);
    cmdOp_->setGeometry(
        QRect(QPoint(textWidth - CmdOpSize.width() - 2, (textHeight - CmdOpSize.height()) / 2), CmdOpSize));

    const int frame = 2 * list1_->frameWidth();
    const int scrollBar = list1_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list1_);
    const int rows = VisibleRows * list1_->sizeHintForRow(0) + frame;
    const int listWidth = std::max(List1Rect.width(), list1_->sizeHintForColumn(0) + scrollBar + frame + 4);
    list1Rect_ = QRect(0, textHeight, listWidth, std::max(List1Rect.height(), rows));
    list1_->setGeometry(list1Rect_);
    closedSize_ = text1Rect_.size();
    openSize_ = QSize(list1Rect_.width(), list1Rect_.bottom() + 1);
}

void HourZonePicker::SetClock(Clock secondsNow) {
    clock_ = secondsNow ? std::move(secondsNow) : Clock(SteadySeconds);
}

QSize HourZonePicker::sizeHint() const {
    return closedSize_;
}
QSize HourZonePicker::minimumSizeHint() const {
    return closedSize_;
}

int HourZonePicker::ListIndex() const {
    return list1_->currentRow();
}

void HourZonePicker::SetListIndex(int position) {
    // Positions that the table does not have are ignored.
    if (position < -1 || position >= list1_->count()) return;
    list1_->setCurrentRow(position);  // a change runs ListSelectionChanged
}

double HourZonePicker::HourZone() const {
    const int row = ListIndex();
    return row >= 0 ? HourZoneOffset(row) : 0.0;
}

bool HourZonePicker::FullSize() const {
    return width() > closedSize_.width();
}

void HourZonePicker::SetFullSize(bool open) {
    ResizeSelf(open ? openSize_ : closedSize_);
}

QString HourZonePicker::Text() const {
    return text1_->text();
}

void HourZonePicker::CloseList() {
    SnapClosed();
}

bool HourZonePicker::InLayout() const {
    return parentWidget() && parentWidget()->layout();
}

void HourZonePicker::ApplySize(QSize size) {
    // Outside a layout the closed size is also a hard limit, so that a host's resize is undone at
    // once even while the control is hidden (a hidden widget gets no resize event). A layout would
    // answer every change of the limits by laying the control out again, so there the resize
    // handler alone keeps the size.
    const bool pinned = size == closedSize_ && !InLayout();
    setMinimumSize(pinned ? size : QSize(0, 0));
    setMaximumSize(pinned ? size : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    resize(size);
    // Over the neighbouring controls of the host.
    if (size != closedSize_) raise();
}

void HourZonePicker::ResizeSelf(QSize size) {
    resizing_ = true;
    ApplySize(size);
    resizing_ = false;
    // A closed list cannot keep the keyboard: its keys would change the zone out of sight.
    if (size == closedSize_ && list1_->hasFocus()) text1_->setFocus(Qt::OtherFocusReason);
}

void HourZonePicker::SnapClosed() {
    if (!resizing_) ResizeSelf(closedSize_);
}

void HourZonePicker::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SnapClosed();
}

void HourZonePicker::DropButtonClick() {
    if (clock_() - listClosedAt_ < ReopenGuardSeconds) {
        text1_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int row = ListIndex();
    list1_->scrollToItem(list1_->item(std::max(row, 0)), QAbstractItemView::PositionAtTop);
    resizing_ = true;
    ApplySize(openSize_);
    if (FullSize()) {
        list1_->setFocus(Qt::OtherFocusReason);
    } else {
        text1_->setFocus(Qt::OtherFocusReason);
    }
    resizing_ = false;
}

void HourZonePicker::ListSelectionChanged(int row) {
    text1_->setText(row >= 0 ? QString::fromStdString(HourZoneShortText(row)) : QString());
    emit Click();
}

bool HourZonePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this) {
        // Put into a layout (or taken out): the closed size is held the way that suits it.
        if (event->type() == QEvent::ParentChange) ResizeSelf(closedSize_);
        return false;
    }
    if (watched == list1_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // A click in the open list picks the zone (on the press) and closes the list.
        SnapClosed();
        text1_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (watched == list1_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            listClosedAt_ = clock_();
            SnapClosed();
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The keyboard ways of a drop-down list: Alt+Down or F4 opens, Enter or Escape closes.
        if (watched == text1_ && (key->key() == Qt::Key_F4 ||
                                  (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier)))) {
            DropButtonClick();
            return true;
        }
        if (watched == list1_ &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape)) {
            SnapClosed();
            text1_->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

}  // namespace heliomark
