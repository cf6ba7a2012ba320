#include "ui/controls/date_picker.h"

#include <QLineEdit>

#include "engine/engine.h"
#include "ui/controls/picker_fields.h"
#include "ui/controls/picker_rules.h"

namespace heliomark {

namespace {
enum { DayIndex, MonthIndex, YearIndex };

const PickerFields::Specs DateFields = {{
    {"txtDay", "Day", "31", 2, 19, "/", 6},
    {"txtMonth", "Month", "05", 2, 19, "/", 6},
    {"txtYear", "Year", "2004", 4, 34, nullptr, 0},
}};
const QSize DateSize(97, 20);  // 1455 x 300 twips
}  // namespace

DatePicker::DatePicker(QWidget* parent)
    : QWidget(parent), fields_(new PickerFields(this, DateFields, DateSize)) {
    fields_->ValidateField = [this](int index, const std::string& text) { ValidateField(index, text); };
    fields_->FinishEdit = [this] { NormalizeDate(); };
}

DatePicker::~DatePicker() {
    fields_->Detach();
}

int DatePicker::YearValue() const {
    return year_;
}
void DatePicker::SetYearValue(int year) {
    year_ = year;
    fields_->SetFieldText(YearIndex, FormatPadded(year_, 4));
}
int DatePicker::MonthValue() const {
    return month_;
}
void DatePicker::SetMonthValue(int month) {
    month_ = month;
    fields_->SetFieldText(MonthIndex, FormatPadded(month_, 2));
}
int DatePicker::DayValue() const {
    return day_;
}
void DatePicker::SetDayValue(int day) {
    day_ = day;
    fields_->SetFieldText(DayIndex, FormatPadded(day_, 2));
}

double DatePicker::Value() const {
    return value_;
}
void DatePicker::SetValue(double oleDate) {
    // A date the calendar cannot show (outside the years 100..9999, or not a number) is ignored.
    if (!IsPickerDate(oleDate)) return;
    value_ = oleDate;
    year_ = YearOf(oleDate);
    month_ = MonthOf(oleDate);
    day_ = DayOf(oleDate);
    RewriteTexts();
}

bool DatePicker::EnabledYears() const {
    return fields_->Field(YearIndex)->isEnabled();
}
void DatePicker::SetEnabledYears(bool enabled) {
    fields_->Field(YearIndex)->setEnabled(enabled);
}

void DatePicker::RewriteTexts() {
    SetDayValue(day_);
    SetMonthValue(month_);
    SetYearValue(year_);
}

void DatePicker::ValidateField(int index, const std::string& text) {
    // The leading number rounded half to even; no range check here, the carry comes later.
    const int value = FieldWholeNumber(text);
    switch (index) {
        case DayIndex:
            SetDayValue(value);
            break;
        case MonthIndex:
            SetMonthValue(value);
            break;
        default:
            SetYearValue(value);
            break;
    }
}

void DatePicker::NormalizeDate() {
    const std::optional<CalendarDate> date = NormalizedDate(year_, month_, day_);
    if (!date) {
        // No such date (a year spun below 0 or past 9999): the fields go back to the stored date
        // and, nothing having changed, nobody is told.
        year_ = YearOf(value_);
        month_ = MonthOf(value_);
        day_ = DayOf(value_);
        RewriteTexts();
        return;
    }
    value_ = date->Value;
    year_ = date->Year;
    month_ = date->Month;
    day_ = date->Day;
    RewriteTexts();
    emit Updated();
}

}  // namespace heliomark
