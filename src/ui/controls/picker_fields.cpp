#include "ui/controls/picker_fields.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "ui/controls/picker_rules.h"
#include "ui/controls/spin_control.h"

namespace heliomark {

namespace {
constexpr int BorderWidth = 1;
constexpr int SpinWidth = 11;
// The sizes are fixed, so is the text size that fits them (scaled with the screen like the sizes).
constexpr int FontPixels = 10;
}  // namespace

PickerFields::PickerFields(QWidget* host, const Specs& specs, QSize size)
    : QObject(host), host_(host), size_(size) {
    QFont font = host->font();
    font.setPixelSize(FontPixels);
    host->setFont(font);

    // The picker looks like one text box: a sunken frame with frameless fields inside.
    auto* frame = new QFrame(host);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(BorderWidth);
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    frame->setGeometry(0, 0, size.width(), size.height());

    const int inner = size.height() - 2 * BorderWidth;
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
        field->setGeometry(x, BorderWidth, spec.Width, inner);
        field->installEventFilter(this);
        fields_[i] = field;
        maxLengths_[i] = spec.MaxLength;
        x += spec.Width;
        if (spec.Label) {
            auto* label = new QLabel(QString::fromUtf8(spec.Label), host);
            label->setAlignment(Qt::AlignCenter);
            label->setGeometry(x, BorderWidth, spec.LabelWidth, inner);
            x += spec.LabelWidth;
        }
    }

    spin_ = new SpinControl(host);
    spin_->setGeometry(size.width() - BorderWidth - SpinWidth, BorderWidth, SpinWidth, inner);
    connect(spin_, &SpinControl::Change, this, &PickerFields::OnSpinChange);

    host->setFixedSize(size);
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
    const int index = IndexOf(focus);
    std::string text;
    if (index >= 0) text = SpinFieldText(fields_[index]->text().toStdString(), step);
    restSpin();
    if (index >= 0) {
        Validate(index, text);
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
            const int key = static_cast<QKeyEvent*>(event)->key();
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
