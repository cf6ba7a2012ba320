// Three-field date input (day / month / year) with a spin control.
#pragma once

#include <QWidget>
#include <string>

class QLineEdit;

namespace heliomark {

class PickerFields;
class SpinControl;

class DatePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int YearValue READ YearValue WRITE SetYearValue)
    Q_PROPERTY(int MonthValue READ MonthValue WRITE SetMonthValue)
    Q_PROPERTY(int DayValue READ DayValue WRITE SetDayValue)
    Q_PROPERTY(double Value READ Value WRITE SetValue)  // OLE date (days since 1899-12-30)
    Q_PROPERTY(bool EnabledYears READ EnabledYears WRITE SetEnabledYears)

  public:
    explicit DatePicker(QWidget* parent = nullptr);
    ~DatePicker() override;

    int YearValue() const;
    void SetYearValue(int year);
    int MonthValue() const;
    void SetMonthValue(int month);
    int DayValue() const;
    void SetDayValue(int day);
    double Value() const;
    void SetValue(double oleDate);
    bool EnabledYears() const;
    void SetEnabledYears(bool enabled);

  signals:
    // Raised only by the user's own edits (Enter, spin, leaving the control), never by setters.
    void Updated();

  private:
    void ValidateField(int index, const std::string& text);
    void RewriteTexts();
    // Applies the carry rules to the fields, stores the date and raises Updated; a year outside
    // 100..9999 is refused and the previous date shown again.
    void NormalizeDate();

    PickerFields* fields_ = nullptr;
    int year_ = 0, month_ = 0, day_ = 0;
    double value_ = 0;  // OLE date
};

}  // namespace heliomark
