// The date, time and angle pickers as the user edits them: typing with Enter, spinning, and leaving
// the control; what the fields then show, and when the owner hears of it (Updated).
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyleOptionSpinBox>

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
    struct Case {
        int y, m, d;
        const char *field, *typed;  // typed nullptr: spin by `step` instead
        int step;
        const char* shown;  // nullptr: refused, the date stays
    } cases[] = {
        {2004, 1, 31, "txtDay", nullptr, 1, "01 02 2004"},
        {2004, 3, 1, "txtDay", "0", 0, "29 02 2004"},
        {2003, 3, 1, "txtDay", nullptr, -1, "28 02 2003"},
        {2004, 12, 15, "txtMonth", nullptr, 1, "15 01 2005"},
        {2004, 1, 31, "txtMonth", nullptr, 1, "02 03 2004"},  // 31 February carries into March
        {2004, 1, 10, "txtMonth", nullptr, -1, "10 12 2003"},
        {2004, 5, 10, "txtMonth", "13", 0, "10 01 2005"},
        {2004, 5, 10, "txtDay", "-1", 0, "29 04 2004"},
        {2004, 1, 10, "txtYear", "5", 0, "10 01 2005"},
        {2004, 1, 10, "txtYear", "29", 0, "10 01 2029"},
        {2004, 1, 10, "txtYear", "30", 0, "10 01 1930"},
        {2004, 1, 10, "txtYear", "99", 0, "10 01 1999"},
        {2004, 1, 10, "txtYear", "100", 0, "10 01 0100"},
        {2004, 5, 10, "txtYear", "2.5", 0, "10 05 2002"},   // half to even
        {1900, 2, 28, "txtDay", nullptr, 1, "01 03 1900"},  // no 29 February in 1900
        {2000, 2, 28, "txtDay", nullptr, 1, "29 02 2000"},
        {2000, 6, 15, "txtYear", "-5", 0, nullptr},
        {2000, 6, 15, "txtYear", "1e9", 0, nullptr},
        {9999, 12, 31, "txtDay", nullptr, 1, nullptr},
        {9999, 12, 1, "txtMonth", nullptr, 1, nullptr},
        {100, 1, 1, "txtDay", nullptr, -1, nullptr},
    };
    Host<DatePicker> h;
    EXPECT_EQ(h.Texts(), "31 05 2004") << "the placeholder";
    for (const Case& c : cases) {
        h.picker->SetValue(DateSerial(c.y, c.m, c.d));
        const QString before = h.Texts();
        const int updates = h.updated.count();
        const std::string what = before.toStdString() + ", " + h.Edit(c.field, c.typed, c.step);
        const QStringList dmy = QString(c.shown ? c.shown : "").split(' ');
        EXPECT_EQ(h.Texts(), c.shown ? QString(c.shown) : before) << what;
        EXPECT_EQ(h.updated.count(), updates + (c.shown ? 1 : 0)) << what;
        EXPECT_EQ(h.picker->Value(), c.shown ? DateSerial(dmy[2].toInt(), dmy[1].toInt(), dmy[0].toInt())
                                             : DateSerial(c.y, c.m, c.d))
            << what;
    }
    h.picker->setProperty("EnabledYears", false);
    EXPECT_FALSE(h.Field("txtYear")->isEnabled());
}

TEST(TimePicker, EditsNormaliseWithCarryAndWrapAroundMidnight) {
    struct Case {
        int h, m;
        double s;
        const char *field, *typed;  // typed nullptr: spin by `step`
        int step;
        const char* shown;
    } cases[] = {
        {23, 59, 59.5, "txtSec", nullptr, 1, "00 00 00.500"},
        {0, 0, 0, "txtMin", nullptr, -1, "23 59 00.000"},
        {0, 10, 0, "txtHour", nullptr, -1, "23 10 00.000"},
        {23, 10, 0, "txtHour", nullptr, 1, "00 10 00.000"},
        {10, 59, 0, "txtMin", nullptr, 1, "11 00 00.000"},
        {10, 0, 0.25, "txtSec", nullptr, -1, "09 59 59.250"},
        {10, 0, 0, "txtMin", "75", 0, "11 15 00.000"},
        {10, 0, 0, "txtHour", "25", 0, "01 00 00.000"},
        {10, 0, 0, "txtHour", "-3", 0, "21 00 00.000"},
        {10, 0, 0, "txtSec", "125.25", 0, "10 02 05.250"},
        {10, 0, 0, "txtSec", "-0.5", 0, "09 59 59.500"},
    };
    Host<TimePicker> h;
    EXPECT_EQ(h.Texts(), "12 00 04.356") << "the placeholder";
    for (const Case& c : cases) {
        h.picker->SetHourValue(c.h);
        h.picker->SetMinuteValue(c.m);
        h.picker->SetSecondValue(c.s);
        const int updates = h.updated.count();
        const std::string what = h.Texts().toStdString() + ", " + h.Edit(c.field, c.typed, c.step);
        const QStringList hms = QString(c.shown).split(' ');
        EXPECT_EQ(h.Texts(), c.shown) << what;
        EXPECT_EQ(h.updated.count(), updates + 1) << what;
        EXPECT_NEAR(h.picker->Value(),
                    TimeSerial(hms[0].toInt(), hms[1].toInt(), std::floor(hms[2].toDouble())), 1e-12)
            << what;
    }
    h.picker->setProperty("Value", TimeSerial(6, 30, 15.75));  // Value keeps whole seconds
    EXPECT_EQ(h.Texts(), "06 30 15.000");
}

TEST(AnglePicker, EditsKeepTheSignApartAndFieldsInRange) {
    struct Case {
        const char *start, *field, *typed;  // start: typed into the degrees; typed nullptr: spin by `step`
        int step;
        const char* shown;
        double value;
    } cases[] = {
        {"10", "txtMin", "75", 0, "10 00 00.0", 10},  // out of range: no carry into the degrees
        {"10", "txtMin", "59", 0, "10 59 00.0", 10 + 59 / 60.0},
        {"10", "txtMin", "-1", 0, "10 00 00.0", 10},
        {"10", "txtMin", "2x", 0, "10 02 00.0", 10 + 2 / 60.0},       // the leading number only
        {"10", "txtSec", "7.25", 0, "10 00 07.3", 10 + 7.25 / 3600},  // only the text is rounded
        {"10", "txtSec", "60", 0, "10 00 00.0", 10},
        {"10", "txtDeg", "-0", 0, "-00 00 00.0", 0},
        {"10", "txtDeg", "-2.5", 0, "-02 00 00.0", -2},  // half to even
        {"10", "txtDeg", "3.5", 0, "04 00 00.0", 4},
        {"10", "txtDeg", "abc", 0, "00 00 00.0", 0},
        {"10", "txtDeg", "-12345", 0, "-123 00 00.0", -123},  // four characters at most
        {"00", "txtDeg", nullptr, -1, "-01 00 00.0", -1},
        {"-01", "txtDeg", nullptr, 1, "00 00 00.0", 0},
        {"-00", "txtDeg", nullptr, 1, "01 00 00.0", 1},
        {"-00", "txtDeg", nullptr, -1, "-01 00 00.0", -1},
        {"89", "txtDeg", nullptr, 1, "90 00 00.0", 90},
        {"-5", "txtDeg", nullptr, -1, "-06 00 00.0", -6},
        {"10", "txtMin", nullptr, -1, "10 00 00.0", 10},  // -1 minutes is out of range
    };
    Host<AnglePicker> h;
    EXPECT_EQ(h.Texts(), "-125 05 31.2") << "the placeholder";
    for (const Case& c : cases) {
        h.picker->SetValue(0);
        TypeInto(h.Field("txtDeg"), c.start, false);
        const int updates = h.updated.count();
        const std::string what = std::string(c.start) + ", " + h.Edit(c.field, c.typed, c.step);
        EXPECT_EQ(h.Texts(), c.shown) << what;
        EXPECT_DOUBLE_EQ(h.picker->Value(), c.value) << what;
        EXPECT_EQ(h.updated.count(), updates + 1) << what;
        EXPECT_EQ(QApplication::focusWidget(), h.Field(c.field)) << what << ": the focus stays in the field";
    }
    TypeInto(h.Field("txtSec"), "12.345", false);
    EXPECT_EQ(h.Field("txtSec")->text(), "12.3") << "four characters at most";
    // A click in a field selects its whole text, so typing replaces it.
    QTest::mouseClick(h.Field("txtMin"), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(h.Field("txtMin")->selectedText(), "00");
}

// Typing without Enter only validates each field as the user moves on (`inside`); leaving the control
// finishes the edit with one Updated, and a spin with the focus outside does nothing.
template <class Picker>
void ExpectLeavingFinishesOnce(double start, std::vector<std::pair<const char*, const char*>> typed,
                               const char* inside, const char* after, double value) {
    Host<Picker> h;
    h.picker->SetValue(start);
    for (const auto& [field, text] : typed)
        TypeInto(h.Field(field), text, false);
    EXPECT_EQ(h.Texts(), inside ? QString(inside) : h.Texts());
    EXPECT_EQ(h.updated.count(), 0) << after;
    h.outside->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.Texts(), after);
    EXPECT_DOUBLE_EQ(h.picker->Value(), value) << after;
    h.Spin(1);
    EXPECT_EQ(h.Texts(), after);
    EXPECT_EQ(h.updated.count(), 1) << after;
}

TEST(Pickers, LeavingTheControlFinishesTheEditOnce) {
    ExpectLeavingFinishesOnce<DatePicker>(DateSerial(2004, 1, 10), {{"txtYear", "5"}, {"txtDay", "321"}},
                                          "32 01 0005", "01 02 2005",
                                          DateSerial(2005, 2, 1));  // the day keeps two digits
    ExpectLeavingFinishesOnce<TimePicker>(TimeSerial(8, 0, 0), {{"txtMin", "90"}}, nullptr, "09 30 00.000",
                                          TimeSerial(9, 30, 0));
    ExpectLeavingFinishesOnce<AnglePicker>(0, {{"txtDeg", "-7"}, {"txtMin", "61"}, {"txtSec", "30"}},
                                           "-07 00 30", "-07 00 30.0", -(7 + 30.0 / 3600));
}

TEST(AnglePicker, ValuesSetByTheOwnerAreShownWithoutUpdated) {
    const std::pair<double, const char*> cases[] = {
        {-0.5, "-00 30 00.0"}, {10.99999999, "11 00 00.0"}, {52.52, "52 31 12.0"}, {-125.25, "-125 15 00.0"}};
    Host<AnglePicker> h;
    for (const auto& [value, shown] : cases) {
        h.picker->setProperty("Value", value);
        EXPECT_EQ(h.Texts(), shown) << value;
    }
    h.picker->SetSecondValue(60.0);  // out of range: 0
    EXPECT_EQ(h.Field("txtSec")->text(), "00.0");
    h.picker->SetSignValue(1);
    EXPECT_EQ(h.Texts(), "125 15 00.0");
    EXPECT_EQ(h.picker->SignValue(), 1);
    EXPECT_EQ(h.updated.count(), 0);
    const QSize fixed = h.picker->size();  // 100 x 20 at least, more where the font needs it
    EXPECT_TRUE(fixed.width() >= 100 && fixed.height() >= 20) << fixed.width() << " x " << fixed.height();
    h.picker->resize(300, 60);  // the host cannot change its size
    EXPECT_EQ(h.picker->size(), fixed);
}

// Up and Down in a field step it as a click on the spin button does, Updated and all; and the window's
// font for the texts, the style's width for the spin buttons, and room for every mark.
template <class Picker>
void ExpectKeysStepAndFitted(const char* field) {
    for (const int step : {1, -1}) {
        QString spun;
        int spunUpdates = 0;
        {
            Host<Picker> h;
            h.Edit(field, nullptr, step);
            spun = h.Texts();
            spunUpdates = h.updated.count();
        }
        Host<Picker> keyed;
        const QString before = keyed.Texts();
        keyed.Field(field)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(keyed.Field(field), step > 0 ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(keyed.Texts(), spun) << field << " stepped by " << step;
        EXPECT_NE(keyed.Texts(), before) << field << " stepped by " << step;
        EXPECT_EQ(keyed.updated.count(), spunUpdates) << field << " stepped by " << step;
    }
    Host<Picker> h;
    QSpinBox styled;
    styled.resize(100, h.picker->height());
    QStyleOptionSpinBox option;
    option.initFrom(&styled);
    option.subControls = QStyle::SC_SpinBoxUp;
    const QRect up =
        styled.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &styled);
    EXPECT_EQ(Find(h.picker, "UpDown1")->width(), up.width()) << field;
    for (QLineEdit* f : h.picker->template findChildren<QLineEdit*>()) {
        EXPECT_EQ(QFontInfo(f->font()).pixelSize(), QFontInfo(h.window.font()).pixelSize()) << field;
        EXPECT_GE(f->width(), f->fontMetrics().horizontalAdvance(f->text())) << field;
    }
    for (QLabel* mark : h.picker->template findChildren<QLabel*>())
        EXPECT_GE(mark->width(), mark->fontMetrics().horizontalAdvance(mark->text()))
            << field << " clips " << mark->text().toStdString();
}

TEST(Pickers, UpAndDownStepAFieldAndEveryPickerFitsItsFontAndStyle) {
    ExpectKeysStepAndFitted<DatePicker>("txtDay");
    ExpectKeysStepAndFitted<TimePicker>("txtMin");
    ExpectKeysStepAndFitted<AnglePicker>("txtDeg");
}

}  // namespace
}  // namespace heliomark::testing
