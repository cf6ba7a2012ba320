// Three-field angle input (degrees º minutes ' seconds '') with a separate sign and a spin control.
#pragma once

#include <QWidget>
#include <string>

namespace heliomark {

class PickerFields;

class AnglePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double SecondValue READ SecondValue WRITE SetSecondValue)
    Q_PROPERTY(int MinuteValue READ MinuteValue WRITE SetMinuteValue)
    Q_PROPERTY(int DegreeValue READ DegreeValue WRITE SetDegreeValue)
    Q_PROPERTY(double Value READ Value WRITE SetValue)  // decimal degrees
    Q_PROPERTY(int SignValue READ SignValue WRITE SetSignValue)

  public:
    explicit AnglePicker(QWidget* parent = nullptr);
    ~AnglePicker() override;

    double SecondValue() const;
    void SetSecondValue(double seconds);
    int MinuteValue() const;
    void SetMinuteValue(int minute);
    int DegreeValue() const;
    void SetDegreeValue(int degrees);
    double Value() const;
    void SetValue(double degrees);
    int SignValue() const;
    void SetSignValue(int sign);

  signals:
    void Updated();

  private:
    void ValidateField(int index, const std::string& text);
    void RewriteDegrees();

    PickerFields* fields_ = nullptr;
    int degrees_ = 0;  // magnitude
    int minutes_ = 0;
    double seconds_ = 0;
    int sign_ = 0;  // -1 negative; any other value positive (0 until a value is set)
};

}  // namespace heliomark
