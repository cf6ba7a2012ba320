// Three-field time-of-day input (hour : minute : second with fraction) with a spin control.
#pragma once

#include <QWidget>
#include <string>

namespace heliomark {

class PickerFields;

class TimePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double SecondValue READ SecondValue WRITE SetSecondValue)
    Q_PROPERTY(int MinuteValue READ MinuteValue WRITE SetMinuteValue)
    Q_PROPERTY(int HourValue READ HourValue WRITE SetHourValue)
    Q_PROPERTY(double Value READ Value WRITE SetValue)  // time of day as a fraction of a day

  public:
    explicit TimePicker(QWidget* parent = nullptr);
    ~TimePicker() override;

    double SecondValue() const;
    void SetSecondValue(double seconds);
    int MinuteValue() const;
    void SetMinuteValue(int minute);
    int HourValue() const;
    void SetHourValue(int hour);
    double Value() const;
    void SetValue(double timeOfDay);  // whole seconds only; the fraction of a second is dropped

  signals:
    void Updated();

  private:
    void ValidateField(int index, const std::string& text);
    // Applies the carry rules to the fields, stores the time and raises Updated.
    void NormalizeTime();

    PickerFields* fields_ = nullptr;
    int hour_ = 0, minute_ = 0;
    double second_ = 0;
    double value_ = 0;  // time of day as a fraction of a day
};

}  // namespace heliomark
