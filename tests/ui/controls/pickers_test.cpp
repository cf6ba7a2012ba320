// The date, time and angle pickers as the user types, spins and leaves them, and Updated.
#include <QSignalSpy>

#include "support/test_support.h"
#include "ui/controls/angle_picker.h"
#include "ui/controls/date_picker.h"
#include "ui/controls/time_picker.h"

namespace heliomark::testing {
namespace {

// A shown, active window holding one picker, with an ordinary text box beside it for the focus.
template <class Picker>
struct Host {
    Host() {
        window.resize(300, 80);
        picker->move(10, 10);
        outside->setGeometry(150, 50, 100, 20);
        ShowActive(&window);
    }
    QLineEdit* Field(const char* name) { return Find<QLineEdit>(picker, name); }
    QString Texts() {
        QStringList texts;
        for (QLineEdit* f : picker->template findChildren<QLineEdit*>())
            texts << f->text();
        return texts.join(" ");
    }
    // One click on the upper (+1) or lower (-1) half of the spin button.
    void Spin(int step) {
        QWidget* spin = Find(picker, "UpDown1");
        QTest::mouseClick(spin, Qt::LeftButton, {},
                          QPoint(spin->width() / 2, step > 0 ? 2 : spin->height() - 3));
    }
    // An edit of one field: `typed` and Enter, or with `typed` null a spin by `step` from the field.
    std::string Edit(const char* field, const char* typed, int step) {
        if (typed) {
            TypeInto(Field(field), typed);
            return std::string(field) + " typed " + typed;
        }
        Field(field)->setFocus(Qt::TabFocusReason);
        Spin(step);
        return std::string(field) + " spun " + std::to_string(step);
    }
    QWidget window;
    Picker* picker = new Picker(&window);
    QLineEdit* outside = new QLineEdit(&window);
    QSignalSpy updated{picker, &Picker::Updated};
};

TEST(DatePicker, EditsNormaliseWithCarryAndTwoDigitYears) {
    // From y, m, d: the field typed into (typed nullptr: spun by `step`), then shown (nullptr: refused).
    const std::tuple<int, int, int, const char*, const char*, int, const char*> cases[] = {
        {2004, 1, 31, "txtDay", nullptr, 1, "01 02 2004"},
        {2004, 3, 1, "txtDay", "0", 0, "29 02 2004"},
        {2004, 12, 15, "txtMonth", nullptr, 1, "15 01 2005"},
        {2004, 1, 31, "txtMonth", nullptr, 1, "02 03 2004"},  // 31 February carries into March
        {2004, 1, 10, "txtMonth", nullptr, -1, "10 12 2003"},
        {2004, 1, 10, "txtYear", "29", 0, "10 01 2029"},
        {2004, 1, 10, "txtYear", "30", 0, "10 01 1930"},
        {2004, 1, 10, "txtYear", "100", 0, "10 01 0100"},
        {2004, 5, 10, "txtYear", "2.5", 0, "10 05 2002"},  // half to even
        {2000, 6, 15, "txtYear", "-5", 0, nullptr},
        {9999, 12, 31, "txtDay", nullptr, 1, nullptr},
        {100, 1, 1, "txtDay", nullptr, -1, nullptr},
    };
    Host<DatePicker> h;
    EXPECT_EQ(h.Texts(), "31 05 2004") << "the placeholder";
    for (const auto& [y, m, d, field, typed, step, shown] : cases) {
        h.picker->SetValue(DateSerial(y, m, d));
        const QString before = h.Texts();
        const int updates = h.updated.count();
        const std::string what = before.toStdString() + ", " + h.Edit(field, typed, step);
        const QStringList dmy = QString(shown ? shown : "").split(' ');
        EXPECT_EQ(h.Texts(), shown ? QString(shown) : before) << what;
        EXPECT_EQ(h.updated.count(), updates + (shown ? 1 : 0)) << what;
        EXPECT_EQ(h.picker->Value(),
                  shown ? DateSerial(dmy[2].toInt(), dmy[1].toInt(), dmy[0].toInt()) : DateSerial(y, m, d))
            << what;
    }
}

TEST(TimePicker, EditsNormaliseWithCarryAndWrapAroundMidnight) {
    const std::tuple<int, int, double, const char*, const char*, int, const char*> cases[] = {
        {23, 59, 59.5, "txtSec", nullptr, 1, "00 00 00.500"},
        {0, 0, 0, "txtMin", nullptr, -1, "23 59 00.000"},
        {23, 10, 0, "txtHour", nullptr, 1, "00 10 00.000"},
        {10, 0, 0, "txtMin", "75", 0, "11 15 00.000"},
        {10, 0, 0, "txtSec", "125.25", 0, "10 02 05.250"},
    };
    Host<TimePicker> h;
    EXPECT_EQ(h.Texts(), "12 00 04.356") << "the placeholder";
    for (const auto& [hour, minute, second, field, typed, step, shown] : cases) {
        h.picker->SetHourValue(hour);
        h.picker->SetMinuteValue(minute);
        h.picker->SetSecondValue(second);
        const int updates = h.updated.count();
        const std::string what = h.Texts().toStdString() + ", " + h.Edit(field, typed, step);
        const QStringList hms = QString(shown).split(' ');
        EXPECT_TRUE(h.Texts() == shown && h.updated.count() == updates + 1) << what;
        EXPECT_NEAR(h.picker->Value(),
                    TimeSerial(hms[0].toInt(), hms[1].toInt(), std::floor(hms[2].toDouble())), 1e-12)
            << what;
    }
    h.picker->setProperty("Value", TimeSerial(6, 30, 15.75));  // Value keeps whole seconds
    EXPECT_EQ(h.Texts(), "06 30 15.000");
}

TEST(AnglePicker, EditsKeepTheSignApartAndFieldsInRange) {
    // start: typed into the degrees; typed nullptr: spin by `step`.
    const std::tuple<const char*, const char*, const char*, int, const char*, double> cases[] = {
        {"10", "txtMin", "59", 0, "10 59 00.0", 10 + 59 / 60.0},
        {"10", "txtMin", "-1", 0, "10 00 00.0", 10},             // out of range: no carry into the degrees
        {"10", "txtMin", "2x", 0, "10 02 00.0", 10 + 2 / 60.0},  // the leading number only
        {"10", "txtSec", "7.25", 0, "10 00 07.3", 10 + 7.25 / 3600},  // only the text is rounded
        {"10", "txtSec", "60", 0, "10 00 00.0", 10},
        {"10", "txtDeg", "-0", 0, "-00 00 00.0", 0},
        {"10", "txtDeg", "-12345", 0, "-123 00 00.0", -123},  // four characters at most
        {"00", "txtDeg", nullptr, -1, "-01 00 00.0", -1},
        {"-01", "txtDeg", nullptr, 1, "00 00 00.0", 0},
        {"-00", "txtDeg", nullptr, 1, "01 00 00.0", 1},
        {"10", "txtMin", nullptr, -1, "10 00 00.0", 10},  // -1 minutes is out of range
    };
    Host<AnglePicker> h;
    EXPECT_EQ(h.Texts(), "-125 05 31.2") << "the placeholder";
    for (const auto& [start, field, typed, step, shown, value] : cases) {
        h.picker->SetValue(0);
        TypeInto(h.Field("txtDeg"), start, false);
        const int updates = h.updated.count();
        const std::string what = std::string(start) + ", " + h.Edit(field, typed, step);
        EXPECT_EQ(h.Texts(), shown) << what;
        EXPECT_DOUBLE_EQ(h.picker->Value(), value) << what;
        EXPECT_TRUE(h.updated.count() == updates + 1 && QApplication::focusWidget() == h.Field(field))
            << what << ": one Updated, the focus stays in the field";
    }
    h.outside->setFocus(Qt::TabFocusReason);  // a click in a field then selects its whole text
    QTest::mouseClick(h.Field("txtMin"), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(h.Field("txtMin")->selectedText(), "00");
    // Values set by the owner are shown without Updated.
    const int updates = h.updated.count();
    for (const auto& [value, shown] :
         {std::pair{-0.5, "-00 30 00.0"}, {10.99999999, "11 00 00.0"}, {-125.25, "-125 15 00.0"}}) {
        h.picker->setProperty("Value", value);
        EXPECT_EQ(h.Texts(), shown) << value;
    }
    EXPECT_EQ(h.updated.count(), updates);
}

// Typing without Enter only validates; leaving finishes the edit once; a spin from outside does nothing.
template <class Picker>
void ExpectLeavingFinishesOnce(double start, std::vector<std::pair<const char*, const char*>> typed,
                               const char* inside, const char* after, double value) {
    Host<Picker> h;
    h.picker->SetValue(start);
    for (const auto& [field, text] : typed)
        TypeInto(h.Field(field), text, false);
    EXPECT_TRUE((!inside || h.Texts() == inside) && h.updated.count() == 0) << after;
    h.outside->setFocus(Qt::TabFocusReason);
    EXPECT_DOUBLE_EQ(h.picker->Value(), value) << after;
    h.Spin(1);
    EXPECT_TRUE(h.Texts() == after && h.updated.count() == 1) << after;
}

TEST(Pickers, LeavingTheControlFinishesTheEditOnce) {
    ExpectLeavingFinishesOnce<DatePicker>(DateSerial(2004, 1, 10), {{"txtYear", "5"}, {"txtDay", "321"}},
                                          "32 01 0005", "01 02 2005",
                                          DateSerial(2005, 2, 1));  // the day keeps two digits
    ExpectLeavingFinishesOnce<AnglePicker>(0, {{"txtDeg", "-7"}, {"txtMin", "61"}, {"txtSec", "30"}},
                                           "-07 00 30", "-07 00 30.0", -(7 + 30.0 / 3600));
}

// Up and Down in a field step it as a click on the spin button does, Updated and all.
template <class Picker>
void ExpectKeysStep(const char* field) {
    Host<Picker> h;
    const double start = h.picker->Value();
    for (const int step : {1, -1}) {
        h.picker->SetValue(start);
        const QString before = h.Texts();
        const qsizetype updates = h.updated.count();
        h.Edit(field, nullptr, step);
        const QString spun = h.Texts();
        const qsizetype spunUpdates = h.updated.count() - updates;
        h.picker->SetValue(start);
        QTest::keyClick(h.Field(field), step > 0 ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_TRUE(h.Texts() == spun && spun != before && h.updated.count() == updates + 2 * spunUpdates)
            << field << " stepped by " << step;
    }
}

TEST(Pickers, UpAndDownStepAField) {
    ExpectKeysStep<DatePicker>("txtDay");
    ExpectKeysStep<TimePicker>("txtMin");
    ExpectKeysStep<AnglePicker>("txtDeg");
}

}  // namespace
}  // namespace heliomark::testing
