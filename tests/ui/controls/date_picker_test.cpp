#include "ui/controls/date_picker.h"

#include "control_test_support.h"
#include "engine/engine.h"

namespace heliomark::test {
namespace {

class DatePickerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picker = new DatePicker(&host.window);
        picker->move(10, 10);
        ASSERT_TRUE(host.Activate());
        day = Child<QLineEdit>(picker, "txtDay");
        month = Child<QLineEdit>(picker, "txtMonth");
        year = Child<QLineEdit>(picker, "txtYear");
        updated = std::make_unique<QSignalSpy>(picker, &DatePicker::Updated);
    }
    QString Shown() const { return day->text() + "/" + month->text() + "/" + year->text(); }
    QLineEdit* Field(char which) const { return which == 'd' ? day : which == 'm' ? month : year; }

    TestWindow host;
    DatePicker* picker = nullptr;
    QLineEdit *day = nullptr, *month = nullptr, *year = nullptr;
    std::unique_ptr<QSignalSpy> updated;
};

TEST_F(DatePickerTest, StartsWithPlaceholderTextsLimitsAndFixedSize) {
    EXPECT_EQ(Shown(), "31/05/2004");
    EXPECT_EQ(day->maxLength(), 2);
    EXPECT_EQ(month->maxLength(), 2);
    EXPECT_EQ(year->maxLength(), 4);
    EXPECT_EQ(picker->size(), QSize(97, 20));
    picker->resize(10, 10);
    EXPECT_EQ(picker->size(), QSize(97, 20));
}

TEST_F(DatePickerTest, SettersNeitherNormaliseNorRaiseUpdated) {
    picker->setProperty("Value", DateSerial(2004, 2, 29));
    EXPECT_EQ(Shown(), "29/02/2004");
    picker->SetDayValue(45);  // kept as given until the user's next edit
    picker->SetMonthValue(0);
    picker->SetYearValue(7);
    EXPECT_EQ(Shown(), "45/00/0007");
    EXPECT_EQ(picker->Value(), DateSerial(2004, 2, 29)) << "field setters leave Value alone";
    EXPECT_EQ(picker->DayValue(), 45);
    picker->SetValue(1e300);  // no such date: ignored
    EXPECT_EQ(picker->Value(), DateSerial(2004, 2, 29));
    EXPECT_EQ(updated->count(), 0);
}

// Each row: the date shown, the field acted on, what is done, and the date that results.
TEST_F(DatePickerTest, EditsNormaliseWithCarryAndTwoDigitYears) {
    struct Case {
        int y, m, d;
        char field;
        const char* typed;  // nullptr: spin by `step` instead
        int step;
        const char* shown;
    } cases[] = {
        {2004, 1, 31, 'd', nullptr, 1, "01/02/2004"},
        {2004, 3, 1, 'd', "0", 0, "29/02/2004"},
        {2003, 3, 1, 'd', nullptr, -1, "28/02/2003"},
        {2004, 12, 15, 'm', nullptr, 1, "15/01/2005"},
        {2004, 1, 31, 'm', nullptr, 1, "02/03/2004"},  // 31 February carries into March
        {2004, 1, 10, 'm', nullptr, -1, "10/12/2003"},
        {2004, 1, 10, 'y', "5", 0, "10/01/2005"},
        {2004, 1, 10, 'y', "29", 0, "10/01/2029"},
        {2004, 1, 10, 'y', "30", 0, "10/01/1930"},
        {2004, 1, 10, 'y', "99", 0, "10/01/1999"},
        {2004, 1, 10, 'y', "100", 0, "10/01/0100"},
        {1900, 2, 28, 'd', nullptr, 1, "01/03/1900"},  // no 29 February in 1900
        {2000, 2, 28, 'd', nullptr, 1, "29/02/2000"},
        {2004, 5, 10, 'd', "-1", 0, "29/04/2004"},
        {2004, 5, 10, 'm', "13", 0, "10/01/2005"},
        {2004, 5, 10, 'y', "2.5", 0, "10/05/2002"},  // half to even
    };
    for (const Case& c : cases) {
        picker->SetValue(DateSerial(c.y, c.m, c.d));
        const int before = updated->count();
        const std::string what = QString("%1-%2-%3 ").arg(c.y).arg(c.m).arg(c.d).toStdString() +
                                 EditField(picker, Field(c.field), c.typed, c.step);
        EXPECT_EQ(Shown(), c.shown) << what;
        EXPECT_EQ(updated->count(), before + 1) << what;
        EXPECT_EQ(picker->Value(), DateSerial(picker->YearValue(), picker->MonthValue(), picker->DayValue()))
            << what;
    }
}

TEST_F(DatePickerTest, LeavingTheControlNormalisesOnce) {
    picker->SetValue(DateSerial(2004, 1, 10));
    TypeInto(year, "5");
    TypeInto(day, "32");  // still inside: validated only
    EXPECT_EQ(Shown(), "32/01/0005");
    EXPECT_EQ(updated->count(), 0);
    host.outside->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Shown(), "01/02/2005");
    EXPECT_EQ(updated->count(), 1);
    EXPECT_EQ(picker->Value(), DateSerial(2005, 2, 1));
}

TEST_F(DatePickerTest, YearsOutsideTheCalendarAreRefusedKeepingThePreviousDate) {
    struct Case {
        int y, m, d;
        char field;
        const char* typed;  // nullptr: spin by `step`
        int step;
    } cases[] = {
        {2000, 6, 15, 'y', "-5", 0},      //
        {9999, 12, 31, 'd', nullptr, 1},  // past 31 December 9999
        {9999, 12, 1, 'm', nullptr, 1},   //
        {100, 1, 1, 'd', nullptr, -1},    // before 1 January 100
        {2000, 6, 15, 'y', "1e9", 0},     // far beyond 16 bits: no overflow either
    };
    for (const Case& c : cases) {
        picker->SetValue(DateSerial(c.y, c.m, c.d));
        const QString before = Shown();
        const std::string what =
            before.toStdString() + " " + EditField(picker, Field(c.field), c.typed, c.step);
        EXPECT_EQ(Shown(), before) << what;
        EXPECT_EQ(picker->Value(), DateSerial(c.y, c.m, c.d)) << what;
    }
    // Year 0 stands for 2000, but spun down it becomes -1, which stands for nothing.
    picker->SetValue(DateSerial(2000, 6, 15));
    picker->SetYearValue(0);
    year->setFocus(Qt::TabFocusReason);
    Spin(picker, -1);
    EXPECT_EQ(Shown(), "15/06/2000");
    EXPECT_EQ(updated->count(), 0);
}

TEST_F(DatePickerTest, SpinningWithTheFocusOutsideDoesNothing) {
    picker->SetValue(DateSerial(2010, 7, 4));
    host.outside->setFocus(Qt::TabFocusReason);
    Spin(picker, 1);
    EXPECT_EQ(Shown(), "04/07/2010");
    EXPECT_EQ(updated->count(), 0);
}

TEST_F(DatePickerTest, EnabledYearsSwitchesTheYearField) {
    EXPECT_TRUE(picker->EnabledYears());
    picker->setProperty("EnabledYears", false);
    EXPECT_FALSE(year->isEnabled());
    EXPECT_FALSE(picker->EnabledYears());
}

}  // namespace
}  // namespace heliomark::test
