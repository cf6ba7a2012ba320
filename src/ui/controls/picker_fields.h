// The part the date, time and angle pickers share: three numeric fields with fixed labels between
// them, the spin button, and the rules of when a field is validated and when the edit is finished.
//
// A field is validated when the focus leaves it for another widget, on Enter in it (Enter is
// swallowed) and after a spin on it. The edit is finished (the picker normalises and raises
// Updated) after Enter, after a spin, and when the focus leaves the picker as a whole. The spin acts
// on the picker's field that has the focus; with the focus outside the picker it does nothing. The
// Up and Down keys in a field spin that field by one step.
#pragma once

#include <QObject>
#include <QSize>
#include <array>
#include <functional>
#include <string>

class QLineEdit;

namespace heliomark {

class SpinControl;

struct PickerFieldSpec {
    const char* Name;         // objectName of the field ("txtDay")
    const char* Description;  // what assistive tools call it ("Day")
    const char* Placeholder;  // the text shown until the owner sets a value
    int MaxLength;            // the limit on typing
    int Width;                // pixels
    const char* Label;        // the fixed text after the field ("/", "º")
    int LabelWidth;           // pixels
};

class PickerFields : public QObject {
    Q_OBJECT

  public:
    static constexpr int FieldCount = 3;
    using Specs = std::array<PickerFieldSpec, FieldCount>;

    // Builds the fields, labels and spin inside `host` and holds the host at `size` (pixels), or
    // wider where the window's font needs more room for the fields' texts and the labels, or the
    // style wider spin buttons.
    PickerFields(QWidget* host, const Specs& specs, QSize size);

    QLineEdit* Field(int index) const { return fields_[index]; }
    // Rewrites a field's text. A text longer than the typing limit (a degree count spun past four
    // characters) widens the limit rather than being cut.
    void SetFieldText(int index, const std::string& text);

    // Stops every callback; the owner calls it first thing in its destructor, before the fields go.
    void Detach();

    // Validation of field `index` from `text` (the owner stores the value and rewrites the text).
    std::function<void(int index, const std::string& text)> ValidateField;
    // The end of a user edit: Enter, a spin, or the focus leaving the picker.
    std::function<void()> FinishEdit;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int IndexOf(const QObject* object) const;
    void OnSpinChange();
    // A step of `step` on field `index` (none when -1), then the end of the edit: what a click on
    // the spin button or the Up and Down keys do.
    void StepField(int index, int step);
    void Validate(int index, const std::string& text);
    void Finish();

    QWidget* host_;
    QSize size_;
    std::array<QLineEdit*, FieldCount> fields_{};
    std::array<int, FieldCount> maxLengths_{};
    std::array<bool, FieldCount> selectOnRelease_{};
    SpinControl* spin_ = nullptr;
    bool spinGuard_ = false;  // set while the picker puts its own spin back to 0
    bool resizing_ = false;
    bool detached_ = false;
};

}  // namespace heliomark
