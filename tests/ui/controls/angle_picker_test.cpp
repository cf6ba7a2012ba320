#include "ui/controls/angle_picker.h"

#include "control_test_support.h"

namespace heliomark::test {
namespace {

class AnglePickerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picker = new AnglePicker(&host.window);
        picker->move(10, 10);
        ASSERT_TRUE(host.Activate());
        deg = Child<QLineEdit>(picker, "txtDeg");
        min = Child<QLineEdit>(picker, "txtMin");
        sec = Child<QLineEdit>(picker, "txtSec");
        updated = std::make_unique<QSignalSpy>(picker, &AnglePicker::Updated);
    }
    QStringList Texts() const { return {deg->text(), min->text(), sec->text()}; }

    TestWindow host;
    AnglePicker* picker = nullptr;
    QLineEdit *deg = nullptr, *min = nullptr, *sec = nullptr;
    std::unique_ptr<QSignalSpy> updated;
};

TEST_F(AnglePickerTest, StartsWithPlaceholderTextsLimitsAndFixedSize) {
    EXPECT_EQ(Texts(), QStringList({"-125", "05", "31.2"}));
    EXPECT_EQ(picker->Value(), 0.0);
    EXPECT_EQ(picker->SignValue(), 0);
    EXPECT_EQ(picker->size(), QSize(100, 20));
    picker->resize(300, 60);
    EXPECT_EQ(picker->size(), QSize(100, 20));
    picker->setFixedSize(40, 10);
    EXPECT_EQ(picker->size(), QSize(100, 20));
}

TEST_F(AnglePickerTest, SettersRewriteTextsAndNeverRaiseUpdated) {
    picker->setProperty("Value", -0.5);
    EXPECT_EQ(Texts(), QStringList({"-00", "30", "00.0"}));
    EXPECT_DOUBLE_EQ(picker->Value(), -0.5);
    EXPECT_EQ(picker->SignValue(), -1);

    picker->SetDegreeValue(0);  // after a negative angle: positive again
    EXPECT_EQ(picker->SignValue(), 1);
    EXPECT_DOUBLE_EQ(picker->Value(), 0.5);
    EXPECT_EQ(deg->text(), "00");

    picker->SetDegreeValue(-47);
    picker->SetMinuteValue(75);    // out of range: 0
    picker->SetSecondValue(60.0);  // out of range: 0
    EXPECT_EQ(Texts(), QStringList({"-47", "00", "00.0"}));
    picker->SetSignValue(1);
    EXPECT_EQ(deg->text(), "47");
    picker->SetValue(10.99999999);  // the rounded 60 seconds carry
    EXPECT_EQ(Texts(), QStringList({"11", "00", "00.0"}));
    EXPECT_EQ(updated->count(), 0);
}

TEST_F(AnglePickerTest, EnterValidatesTheFieldAndRaisesUpdated) {
    struct Case {
        const char* field;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"txtMin", "75", "00"},      // out of range: no carry into the degrees
        {"txtMin", "59", "59"},      //
        {"txtMin", "-1", "00"},      //
        {"txtMin", "2x", "02"},      // the leading number only
        {"txtSec", "7.25", "07.3"},  // only the text is rounded
        {"txtSec", "60", "00.0"},    //
        {"txtDeg", "-0", "-00"},     // the sign is kept apart from the degrees
        {"txtDeg", "-2.5", "-02"},   // half to even
        {"txtDeg", "3.5", "04"},     //
        {"txtDeg", "abc", "00"},     //
    };
    for (const Case& c : cases) {
        auto* field = Child<QLineEdit>(picker, c.field);
        const int before = updated->count();
        TypeInto(field, c.typed);
        PressEnter();
        EXPECT_EQ(field->text(), c.shown) << c.field << " typed " << c.typed;
        EXPECT_EQ(updated->count(), before + 1) << c.field << " typed " << c.typed;
        EXPECT_EQ(QApplication::focusWidget(), field) << "Enter stays in the field";
    }
    EXPECT_EQ(picker->SignValue(), 1);
    EXPECT_DOUBLE_EQ(picker->SecondValue(), 0.0);
}

TEST_F(AnglePickerTest, TypingStopsAtTheMaximumLength) {
    TypeInto(deg, "-12345");
    TypeInto(min, "123");
    TypeInto(sec, "12.345");
    EXPECT_EQ(Texts(), QStringList({"-123", "12", "12.3"}));
}

TEST_F(AnglePickerTest, SpinningTheDegreesCarriesTheSign) {
    struct Case {
        const char* start;
        int step;
        const char* shown;
        int sign;
    } cases[] = {
        {"00", -1, "-01", -1},  {"-01", 1, "00", 1}, {"-00", 1, "01", 1},
        {"-00", -1, "-01", -1}, {"89", 1, "90", 1},  {"-5", -1, "-06", -1},
    };
    for (const Case& c : cases) {
        deg->setText(c.start);
        deg->setFocus(Qt::TabFocusReason);
        const int before = updated->count();
        Spin(picker, c.step);
        EXPECT_EQ(deg->text(), c.shown) << c.start << " spun " << c.step;
        EXPECT_EQ(picker->SignValue(), c.sign) << c.start << " spun " << c.step;
        EXPECT_EQ(updated->count(), before + 1) << c.start << " spun " << c.step;
    }
}

TEST_F(AnglePickerTest, SpinningPastTheRangeOfMinutesAndSecondsGivesZero) {
    picker->SetValue(10.0 + 59.0 / 60);
    min->setFocus(Qt::TabFocusReason);
    Spin(picker, 1);
    EXPECT_EQ(Texts(), QStringList({"10", "00", "00.0"}));
    sec->setText("59.5");
    sec->setFocus(Qt::TabFocusReason);
    Spin(picker, 1);
    EXPECT_EQ(sec->text(), "00.0");
    Spin(picker, -1);
    EXPECT_EQ(sec->text(), "00.0");  // -1 is out of range too
    EXPECT_EQ(updated->count(), 3);
}

TEST_F(AnglePickerTest, SpinningWithTheFocusOutsideDoesNothing) {
    picker->SetValue(12.5);
    host.outside->setFocus(Qt::TabFocusReason);
    Spin(picker, 1);
    Spin(picker, -1);
    EXPECT_EQ(Texts(), QStringList({"12", "30", "00.0"}));
    EXPECT_EQ(updated->count(), 0);
    EXPECT_EQ(Child<QWidget>(picker, "UpDown1")->property("Value").toInt(), 0);
}

TEST_F(AnglePickerTest, MovingBetweenFieldsValidatesAndLeavingRaisesUpdatedOnce) {
    TypeInto(deg, "-7");
    TypeInto(min, "61");  // the focus moves from txtDeg: validated, still inside
    EXPECT_EQ(deg->text(), "-07");
    EXPECT_EQ(updated->count(), 0);
    TypeInto(sec, "30");
    EXPECT_EQ(min->text(), "00");
    EXPECT_EQ(updated->count(), 0);
    host.outside->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(sec->text(), "30.0");
    EXPECT_EQ(updated->count(), 1);
    EXPECT_DOUBLE_EQ(picker->Value(), -(7 + 30.0 / 3600));
}

TEST_F(AnglePickerTest, FocusSelectsTheWholeText) {
    picker->SetValue(-33.25);
    min->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(min->selectedText(), "15");
    host.outside->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(deg, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(QApplication::focusWidget(), deg);
    EXPECT_EQ(deg->selectedText(), "-33");
}

}  // namespace
}  // namespace heliomark::test
