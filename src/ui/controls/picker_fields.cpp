#include "ui/controls/picker_fields.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

#include "ui/controls/picker_rules.h"
#include "ui/controls/spin_control.h"

namespace heliomark {

namespace {
constexpr int BorderWidth = 1;

// The width the style gives the buttons of a spin box of the picker's height.
int StyleSpinWidth(const QWidget* host, int height) {
    QStyleOptionSpinBox option;
    option.initFrom(host);
    option.rect = QRect(0, 0, 100, height);
    option.frame = true;
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    return host->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, nullptr).width();
}

// The picker's size: at least `least`, and wide enough for every field's longest text and every
// label in the window's font, and for the style's spin buttons.
QSize FittedSize(const QWidget* host, const PickerFields::Specs& specs, QSize least, int spinWidth,
                 std::array<int, PickerFields::FieldCount>& fieldWidths,
                 std::array<int, PickerFields::FieldCount>& labelWidths) {
    const QFontMetrics metrics = host->fontMetrics();
    int width = 2 * BorderWidth + spinWidth;
    for (int i = 0; i < PickerFields::FieldCount; ++i) {
        const PickerFieldSpec& spec = specs[i];
        fieldWidths[i] =
            std::max(spec.Width, metrics.horizontalAdvance(QString::fromUtf8(spec.Placeholder)) + 1);
        labelWidths[i] = spec.Label ? std::max(spec.LabelWidth,
                                               metrics.horizontalAdvance(QString::fromUtf8(spec.Label)) + 1)
                                    : 0;
        width += fieldWidths[i] + labelWidths[i];
    }
    return QSize(std::max(least.width(), width),
                 std::max(least.height(), metrics.height() + 2 * BorderWidth));
}

}  // namespace

PickerFields::PickerFields(QWidget* host, const Specs& specs, QSize size) : QObject(host), host_(host) {
    // The text is the window's own font; the fields, the labels and the spin buttons get the room
    // it needs, so the given size is the least one.
    std::array<int, FieldCount> fieldWidths{}, labelWidths{};
    const int spinWidth = StyleSpinWidth(host, size.height());
    size_ = FittedSize(host, specs, size, spinWidth, fieldWidths, labelWidths);

    // The picker looks like one text box: a sunken frame with frameless fields inside.
    auto* frame = new QFrame(host);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(BorderWidth);
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    frame->setGeometry(0, 0, size_.width(), size_.height());

    const int inner = size_.height() - 2 * BorderWidth;
    int x = BorderWidth;
    for (int i = 0; i < FieldCount; ++i) {
        const PickerFieldSpec& spec = specs[i];
        auto* field = new QLineEdit(QString::fromUtf8(spec.Placeholder), host);
        field->setObjectName(spec.Name);
        field->setAccessibleName(QString::fromUtf8(spec.Description));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(spec.MaxLength);
        field->setTextMargins(0, 0, 0, 0);
        field->setContentsMargins(0, 0, 0, 0);
        field->setGeometry(x, BorderWidth, fieldWidths[i], inner);
        field->installEventFilter(this);
        fields_[i] = field;
        maxLengths_[i] = spec.MaxLength;
        x += fieldWidths[i];
        if (spec.Label) {
            auto* label = new QLabel(QString::fromUtf8(spec.Label), host);
            label->setAlignment(Qt::AlignCenter);
            label->setGeometry(x, BorderWidth, labelWidths[i], inner);
            x += labelWidths[i];
        }
    }

    spin_ = new SpinControl(host);
    spin_->setGeometry(size_.width() - BorderWidth - spinWidth, BorderWidth, spinWidth, inner);
    connect(spin_, &SpinControl::Change, this, &PickerFields::OnSpinChange);

    host->setFixedSize(size_);
    host->setFocusProxy(fields_[0]);
    host->installEventFilter(this);
}

void PickerFields::SetFieldText(int index, const std::string& text) {
    QLineEdit* field = fields_[index];
    const QString t = QString::fromStdString(text);
    field->setMaxLength(std::max(maxLengths_[index], static_cast<int>(t.size())));
    field->setText(t);
}

void PickerFields::Detach() {
    detached_ = true;
}

int PickerFields::IndexOf(const QObject* object) const {
    for (int i = 0; i < FieldCount; ++i)
        if (fields_[i] == object) return i;
    return -1;
}

void PickerFields::Validate(int index, const std::string& text) {
    if (!detached_ && ValidateField) ValidateField(index, text);
}

void PickerFields::Finish() {
    if (!detached_ && FinishEdit) FinishEdit();
}

void PickerFields::OnSpinChange() {
    if (spinGuard_ || detached_) return;
    const int step = spin_->Value();
    auto restSpin = [this] {
        spinGuard_ = true;
        spin_->SetValue(0);
        spinGuard_ = false;
    };
    // The window's focus widget, not the application's, so that a picker in a window that is not
    // active still knows which of its fields the user was in.
    QWidget* focus = host_->window()->focusWidget();
    if (!focus || !host_->isAncestorOf(focus)) {
        restSpin();
        return;
    }
    restSpin();
    StepField(IndexOf(focus), step);
}

void PickerFields::StepField(int index, int step) {
    if (index >= 0) {
        Validate(index, SpinFieldText(fields_[index]->text().toStdString(), step));
        fields_[index]->selectAll();
    }
    Finish();
}

bool PickerFields::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_) {
        // Any size the host gives is undone.
        if (event->type() == QEvent::Resize && !resizing_ && host_->size() != size_) {
            resizing_ = true;
            host_->setFixedSize(size_);
            resizing_ = false;
        }
        return false;
    }
    const int index = IndexOf(watched);
    if (index < 0) return false;
    QLineEdit* field = fields_[index];
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* press = static_cast<QKeyEvent*>(event);
            const int key = press->key();
            // Up and Down step the field as the spin button does, as in any spin box. With Alt
            // they are left to the window (Alt+Down opens lists elsewhere).
            if ((key == Qt::Key_Up || key == Qt::Key_Down) && !(press->modifiers() & Qt::AltModifier)) {
                StepField(index, key == Qt::Key_Up ? 1 : -1);
                return true;
            }
            if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
            Validate(index, field->text().toStdString());
            field->selectAll();
            Finish();
            return true;
        }
        case QEvent::FocusIn: {
            // A click that gives the focus would put the cursor where it landed (and a press inside a
            // selection would start dragging the text), so after a click select on the release.
            selectOnRelease_[index] = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            if (!selectOnRelease_[index] && !field->text().isEmpty()) field->selectAll();
            return false;
        }
        case QEvent::MouseButtonRelease: {
            // Unless the user dragged out a selection of their own.
            if (selectOnRelease_[index] && !field->hasSelectedText()) field->selectAll();
            selectOnRelease_[index] = false;
            return false;
        }
        case QEvent::FocusOut: {
            selectOnRelease_[index] = false;
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching to another window or opening the field's context menu is no edit.
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
            Validate(index, field->text().toStdString());
            // The application's focus widget is already the new one while the old one loses it.
            QWidget* next = QApplication::focusWidget();
            if (!next || !host_->isAncestorOf(next)) Finish();
            return false;
        }
        default:
            return false;
    }
}

}  // namespace heliomark
