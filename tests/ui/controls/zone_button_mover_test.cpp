// The hour-zone picker and the flat toolbar button, each in a shown window of its own.
#include <QListWidget>
#include <QSignalSpy>

#include "support/test_support.h"
#include "ui/controls/flat_button.h"
#include "ui/controls/hour_zone_picker.h"

namespace heliomark::testing {
namespace {

// A shown, active window with one control at (10, 10) and a text box below it for the focus.
template <class Control>
struct Host {
    Host() {
        window.resize(420, 260);
        control->move(10, 10);
        outside->setGeometry(300, 220, 100, 20);
        ShowActive(&window);
    }
    QWidget window;
    Control* control = new Control(&window);
    QLineEdit* outside = new QLineEdit(&window);
};

struct ZoneHost : Host<HourZonePicker> {
    ZoneHost() {
        control->SetClock([this] { return now; });  // a clock that moves only when told
        below->setGeometry(10, 60, 200, 20);        // made after the picker, under its open list
        below->show();
    }
    void Drop() { QTest::mouseClick(Find(control, "cmdOp"), Qt::LeftButton); }
    QListWidget* List() { return Find<QListWidget>(control, "List1"); }
    int TopRow() { return List()->indexAt(QPoint(3, 3)).row(); }
    double now = 1000;
    QLineEdit* below = new QLineEdit(&window);
    QSignalSpy clicks{control, &HourZonePicker::Click};
};

TEST(HourZonePicker, TheDropButtonOpensTheListOverItsNeighboursAndAClickPicks) {
    ZoneHost h;
    h.control->SetListIndex(27);
    h.control->SetListIndex(75);  // a position the table does not have is ignored
    h.Drop();
    EXPECT_TRUE(h.control->FullSize() && QApplication::focusWidget() == h.List());
    EXPECT_EQ(h.TopRow(), 27) << "the selected zone on top";
    EXPECT_TRUE(h.List()->isAncestorOf(h.window.childAt(50, 70))) << "the open list lies on top";
    const QRect row = h.List()->visualItemRect(h.List()->item(29));
    QTest::mouseClick(h.List()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_TRUE(Shown(&h.window, "Text1") == "GMT+01:00" && h.clicks.count() == 2 && !h.control->FullSize());
    EXPECT_EQ(QApplication::focusWidget(), Find(h.control, "Text1"));
    h.now += 0.5;  // keys move the selection with the list kept open; leaving closes it
    h.Drop();
    QTest::keyClick(h.List(), Qt::Key_Down);
    QTest::keyClick(h.List(), Qt::Key_Down);
    EXPECT_TRUE(h.control->ListIndex() == 31 && h.clicks.count() == 4 && h.control->FullSize());
    h.outside->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(h.control->FullSize());
}

TEST(HourZonePicker, TheDropButtonOfTheOpenListClosesItForGood) {
    ZoneHost h;
    h.Drop();
    EXPECT_EQ(h.TopRow(), 0) << "nothing selected: the first zone on top";
    h.now += 0.02;  // the press takes the focus from the list; the click comes within 0.1 s
    h.Drop();
    EXPECT_FALSE(h.control->FullSize());
    h.now += 0.5;  // a later click opens it again
    h.Drop();
    EXPECT_TRUE(h.control->FullSize());
    h.control->resize(40, 10);  // any size from outside snaps back and closes
    EXPECT_TRUE(h.control->size() == Find(h.control, "Text1")->size() && !h.control->FullSize());
    h.control->setProperty("FullSize", true);  // open from code, the focus elsewhere
    h.Drop();
    EXPECT_FALSE(h.control->FullSize());
}

struct ButtonHost : Host<FlatButton> {
    ButtonHost() { control->move(50, 50); }
    QSignalSpy clicks{control, &FlatButton::Click};
};

TEST(FlatButton, PushClicksOnReleaseOverItAndToggleStaysDown) {
    struct Case {
        int style;
        QPoint release;  // where the press at (5, 5) is let go
        int clicks;      // so far
        bool value;
        int look;  // 0 flat, 1 raised, 2 pressed
    } cases[] = {
        {0, {23, 23}, 1, false, 1},                            // the far edges count as over it
        {0, {60, 10}, 1, false, 0},                            // dragged off
        {1, {8, 8}, 2, true, 2},    {1, {8, 8}, 3, false, 0},  // a second click lets it up
        {1, {60, 10}, 3, false, 0},
    };
    ButtonHost h;
    for (const Case& c : cases) {
        h.control->SetStyle(c.style);
        QTest::mousePress(h.control, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(h.control->VisualState(), 2) << "pressed, style " << c.style;
        QTest::mouseMove(h.control, c.release);
        QTest::mouseRelease(h.control, Qt::LeftButton, {}, c.release);
        const std::string what =
            "style " + std::to_string(c.style) + " to x " + std::to_string(c.release.x());
        EXPECT_EQ(h.clicks.count(), c.clicks) << what;
        EXPECT_EQ(h.control->Value(), c.value) << what;
        EXPECT_EQ(h.control->VisualState(), c.look) << what;
    }
}

}  // namespace
}  // namespace heliomark::testing
