#include "ui/controls/time_picker.h"

#include "engine/engine.h"
#include "ui/controls/picker_fields.h"
#include "ui/controls/picker_rules.h"

namespace heliomark {

namespace {
enum { HourIndex, MinuteIndex, SecondIndex };

const PickerFields::Specs TimeFields = {{
    {"txtHour", "Hour", "12", 2, 18, ":", 4},
    {"txtMin", "Minute", "00", 2, 18, ":", 4},
    {"txtSec", "Second", "04.356", 6, 40, nullptr, 0},
}};
const QSize TimeSize(97, 20);  // 1455 x 300 twips
}  // namespace

TimePicker::TimePicker(QWidget* parent)
    : QWidget(parent), fields_(new PickerFields(this, TimeFields, TimeSize)) {
    fields_->ValidateField = [this](int index, const std::string& text) { ValidateField(index, text); };
    fields_->FinishEdit = [this] { NormalizeTime(); };
}

TimePicker::~TimePicker() {
    fields_->Detach();
}

double TimePicker::SecondValue() const {
    return second_;
}
void TimePicker::SetSecondValue(double seconds) {
    second_ = seconds;
    fields_->SetFieldText(SecondIndex, FormatTwoDigitFixed(second_, 3));
}
int TimePicker::MinuteValue() const {
    return minute_;
}
void TimePicker::SetMinuteValue(int minute) {
    minute_ = minute;
    fields_->SetFieldText(MinuteIndex, FormatPadded(minute_, 2));
}
int TimePicker::HourValue() const {
    return hour_;
}
void TimePicker::SetHourValue(int hour) {
    hour_ = hour;
    fields_->SetFieldText(HourIndex, FormatPadded(hour_, 2));
}

double TimePicker::Value() const {
    return value_;
}
void TimePicker::SetValue(double timeOfDay) {
    const std::optional<ClockTime> t = SplitTimeOfDay(timeOfDay);
    if (!t) return;
    value_ = timeOfDay;
    SetHourValue(t->Hour);
    SetMinuteValue(t->Minute);
    SetSecondValue(t->Second);
}

void TimePicker::ValidateField(int index, const std::string& text) {
    switch (index) {
        case HourIndex:
            SetHourValue(FieldWholeNumber(text));
            break;
        case MinuteIndex:
            SetMinuteValue(FieldWholeNumber(text));
            break;
        default:
            SetSecondValue(FieldNumber(text));  // seconds keep their fraction
            break;
    }
}

void TimePicker::NormalizeTime() {
    const ClockTime t = NormalizedTime(hour_, minute_, second_);
    value_ = t.Value;
    SetHourValue(t.Hour);
    SetMinuteValue(t.Minute);
    SetSecondValue(t.Second);
    emit Updated();
}

}  // namespace heliomark
