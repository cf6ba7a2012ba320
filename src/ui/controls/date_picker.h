// Three-field date input (day / month / year) with a spin control.
#pragma once

#include <QWidget>

class QLineEdit;

namespace heliomark {

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
};

}  // namespace heliomark
