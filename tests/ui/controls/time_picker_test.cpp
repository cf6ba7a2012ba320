#include "ui/controls/time_picker.h"

#include "control_test_support.h"
#include "engine/engine.h"

namespace heliomark::test {
namespace {

class TimePickerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picker = new TimePicker(&host.window);
        picker->move(10, 10);
        ASSERT_TRUE(host.Activate());
        hour = Child<QLineEdit>(picker, "txtHour");
        min = Child<QLineEdit>(picker, "txtMin");
        sec = Child<QLineEdit>(picker, "txtSec");
        updated = std::make_unique<QSignalSpy>(picker, &TimePicker::Updated);
    }
    QString Shown() const { return hour->text() + ":" + min->text() + ":" + sec->text(); }
    void Show(int h, int m, double s) {
        picker->SetHourValue(h);
        picker->SetMinuteValue(m);
        picker->SetSecondValue(s);
    }
    QLineEdit* Field(char which) const { return which == 'h' ? hour : which == 'm' ? min : sec; }

    TestWindow host;
    TimePicker* picker = nullptr;
    QLineEdit *hour = nullptr, *min = nullptr, *sec = nullptr;
    std::unique_ptr<QSignalSpy> updated;
};

TEST_F(TimePickerTest, StartsWithPlaceholderTextsLimitsAndFixedSize) {
    EXPECT_EQ(Shown(), "12:00:04.356");
    EXPECT_EQ(hour->maxLength(), 2);
    EXPECT_EQ(min->maxLength(), 2);
    EXPECT_EQ(sec->maxLength(), 6);
    EXPECT_EQ(picker->size(), QSize(97, 20));
}

TEST_F(TimePickerTest, ValueDropsTheFractionWhileTheFieldSettersKeepIt) {
    picker->setProperty("Value", TimeSerial(6, 30, 15.75));
    EXPECT_EQ(Shown(), "06:30:15.000");
    picker->SetValue(TimeSerial(12, 0, 1));  // read back exactly, not as 12:00:00.99999
    EXPECT_EQ(Shown(), "12:00:01.000");
    picker->SetSecondValue(59.5);
    EXPECT_EQ(sec->text(), "59.500");
    EXPECT_DOUBLE_EQ(picker->SecondValue(), 59.5);
    EXPECT_EQ(picker->Value(), TimeSerial(12, 0, 1)) << "field setters leave Value alone";
    EXPECT_EQ(updated->count(), 0);
}

TEST_F(TimePickerTest, EditsNormaliseWithCarryAndWrapAroundMidnight) {
    struct Case {
        int h, m;
        double s;
        char field;
        const char* typed;  // nullptr: spin by `step`
        int step;
        const char* shown;
    } cases[] = {
        {23, 59, 59.5, 's', nullptr, 1, "00:00:00.500"}, {0, 0, 0, 'm', nullptr, -1, "23:59:00.000"},
        {0, 10, 0, 'h', nullptr, -1, "23:10:00.000"},    {23, 10, 0, 'h', nullptr, 1, "00:10:00.000"},
        {10, 59, 0, 'm', nullptr, 1, "11:00:00.000"},    {10, 0, 0.25, 's', nullptr, -1, "09:59:59.250"},
        {10, 0, 0, 'm', "75", 0, "11:15:00.000"},        {10, 0, 0, 'h', "25", 0, "01:00:00.000"},
        {10, 0, 0, 'h', "-1", 0, "23:00:00.000"},        {10, 0, 0, 'h', "-3", 0, "21:00:00.000"},
        {10, 0, 0, 's', "125.25", 0, "10:02:05.250"},    {10, 0, 0, 's', "-0.5", 0, "09:59:59.500"},
    };
    for (const Case& c : cases) {
        Show(c.h, c.m, c.s);
        const int before = updated->count();
        const std::string what = QString("%1:%2:%3 ").arg(c.h).arg(c.m).arg(c.s).toStdString() +
                                 EditField(picker, Field(c.field), c.typed, c.step);
        EXPECT_EQ(Shown(), c.shown) << what;
        EXPECT_EQ(updated->count(), before + 1) << what;
        EXPECT_NEAR(picker->Value(),
                    TimeSerial(picker->HourValue(), picker->MinuteValue(), std::floor(picker->SecondValue())),
                    1e-12)
            << what;
    }
}

TEST_F(TimePickerTest, LeavingTheControlNormalisesAndSpinningOutsideDoesNot) {
    Show(8, 0, 0);
    TypeInto(min, "90");
    EXPECT_EQ(updated->count(), 0);
    host.outside->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Shown(), "09:30:00.000");
    EXPECT_EQ(updated->count(), 1);
    Spin(picker, 1);
    Spin(picker, -1);
    EXPECT_EQ(Shown(), "09:30:00.000");
    EXPECT_EQ(updated->count(), 1);
}

}  // namespace
}  // namespace heliomark::test
