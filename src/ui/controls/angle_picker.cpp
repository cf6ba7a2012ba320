#include "ui/controls/angle_picker.h"

#include <cmath>

#include "engine/engine.h"
#include "ui/controls/picker_fields.h"
#include "ui/controls/picker_rules.h"

namespace heliomark {

namespace {
enum { DegreeIndex, MinuteIndex, SecondIndex };

const PickerFields::Specs AngleFields = {{
    {"txtDeg", "Degrees", "-125", 4, 28, "º", 5},
    {"txtMin", "Minutes", "05", 2, 18, "'", 4},
    {"txtSec", "Seconds", "31.2", 4, 26, "''", 6},
}};
const QSize AngleSize(100, 20);  // 1500 x 300 twips
}  // namespace

AnglePicker::AnglePicker(QWidget* parent)
    : QWidget(parent), fields_(new PickerFields(this, AngleFields, AngleSize)) {
    fields_->ValidateField = [this](int index, const std::string& text) { ValidateField(index, text); };
    // The angle has no normalisation: the end of an edit only tells the owner.
    fields_->FinishEdit = [this] { emit Updated(); };
}

AnglePicker::~AnglePicker() {
    fields_->Detach();
}

double AnglePicker::SecondValue() const {
    return seconds_;
}
void AnglePicker::SetSecondValue(double seconds) {
    seconds_ = (seconds >= 0 && seconds < 60) ? seconds : 0.0;
    fields_->SetFieldText(SecondIndex, FormatTwoDigitFixed(seconds_, 1));
}
int AnglePicker::MinuteValue() const {
    return minutes_;
}
void AnglePicker::SetMinuteValue(int minute) {
    minutes_ = (minute >= 0 && minute < 60) ? minute : 0;
    fields_->SetFieldText(MinuteIndex, FormatPadded(minutes_, 2));
}
int AnglePicker::DegreeValue() const {
    return degrees_;
}
void AnglePicker::SetDegreeValue(int degrees) {
    sign_ = degrees < 0 ? -1 : 1;
    degrees_ = std::abs(degrees);
    RewriteDegrees();
}

double AnglePicker::Value() const {
    return FromDMS(static_cast<int16_t>(degrees_), static_cast<int16_t>(minutes_), seconds_,
                   static_cast<int16_t>(sign_ == -1 ? -1 : 1));
}
void AnglePicker::SetValue(double degrees) {
    // Whole degrees are 16-bit: an angle beyond that (or not a number) is ignored.
    if (!(std::fabs(degrees) < 32767)) return;
    const Dms d = SplitDMS(degrees);
    sign_ = d.Sign;
    degrees_ = d.Degrees;
    RewriteDegrees();
    SetMinuteValue(d.Minutes);
    SetSecondValue(d.Seconds);
}

int AnglePicker::SignValue() const {
    return sign_;
}
void AnglePicker::SetSignValue(int sign) {
    sign_ = sign;
    RewriteDegrees();
}

void AnglePicker::RewriteDegrees() {
    fields_->SetFieldText(DegreeIndex, FormatDegreeField(degrees_, sign_));
}

void AnglePicker::ValidateField(int index, const std::string& text) {
    switch (index) {
        case DegreeIndex: {
            const DegreeField d = ParseDegreeField(text);
            sign_ = d.Sign;
            degrees_ = d.Degrees;
            RewriteDegrees();
            break;
        }
        case MinuteIndex:
            SetMinuteValue(ParseMinuteField(text));
            break;
        default:
            SetSecondValue(ParseAngleSecondField(text));
            break;
    }
}

}  // namespace heliomark
