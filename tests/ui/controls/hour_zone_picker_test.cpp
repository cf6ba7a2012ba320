#include "ui/controls/hour_zone_picker.h"

#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "control_test_support.h"

namespace heliomark::test {
namespace {

class HourZonePickerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picker = new HourZonePicker(&host.window);
        picker->move(10, 10);
        // A clock that only moves when the test says so.
        picker->SetClock([this] { return now; });
        ASSERT_TRUE(host.Activate());
        text1 = Child<QLineEdit>(picker, "Text1");
        cmdOp = Child<QToolButton>(picker, "cmdOp");
        list1 = Child<QListWidget>(picker, "List1");
        clicks = std::make_unique<QSignalSpy>(picker, &HourZonePicker::Click);
    }
    void ClickDropButton() { QTest::mouseClick(cmdOp, Qt::LeftButton); }
    int TopIndex() const { return list1->indexAt(QPoint(3, 3)).row(); }

    TestWindow host;
    HourZonePicker* picker = nullptr;
    QLineEdit* text1 = nullptr;
    QToolButton* cmdOp = nullptr;
    QListWidget* list1 = nullptr;
    std::unique_ptr<QSignalSpy> clicks;
    double now = 1000;
};

TEST_F(HourZonePickerTest, HoldsTheSeventyFiveZonesAndStartsClosedWithNothingSelected) {
    EXPECT_EQ(list1->count(), 75);
    EXPECT_EQ(list1->item(18)->text(), "(GMT-03:30) Newfoundland");
    EXPECT_EQ(picker->ListIndex(), -1);
    EXPECT_EQ(picker->Text(), "");
    EXPECT_EQ(picker->HourZone(), 0.0);
    EXPECT_FALSE(picker->FullSize());
    EXPECT_EQ(picker->size(), QSize(86, 21));
}

TEST_F(HourZonePickerTest, WritingListIndexShowsTheShortTextAndRaisesClickOncePerChange) {
    struct Case {
        int position;
        const char* text;
        double hours;
    } cases[] = {{18, "GMT-03:30", -3.5}, {26, "GMT", 0},        {25, "GMT", 0},
                 {49, "GMT+05:45", 5.75}, {0, "GMT-12:00", -12}, {74, "GMT+13:00", 13}};
    for (const Case& c : cases) {
        const int before = clicks->count();
        picker->setProperty("ListIndex", c.position);
        EXPECT_EQ(picker->ListIndex(), c.position);
        EXPECT_EQ(picker->Text(), c.text) << c.position;
        EXPECT_EQ(picker->property("HourZone").toDouble(), c.hours) << c.position;
        EXPECT_EQ(clicks->count(), before + 1) << c.position;
        EXPECT_FALSE(picker->FullSize()) << "selecting from code leaves the list closed";
    }
    picker->SetListIndex(74);  // no change, no click
    picker->SetListIndex(75);  // no such zone: ignored
    picker->SetListIndex(-2);
    EXPECT_EQ(picker->ListIndex(), 74);
    EXPECT_EQ(clicks->count(), 6);
}

TEST_F(HourZonePickerTest, TheDropButtonOpensTheListWithTheSelectedZoneOnTop) {
    picker->SetListIndex(70);
    ClickDropButton();
    EXPECT_TRUE(picker->FullSize());
    EXPECT_EQ(picker->size(), QSize(329, 127));
    EXPECT_EQ(QApplication::focusWidget(), list1);
    EXPECT_EQ(TopIndex(), 70);
    EXPECT_EQ(clicks->count(), 1) << "opening selects nothing";
}

TEST_F(HourZonePickerTest, ClickingTheDropButtonOfTheOpenListClosesItForGood) {
    ClickDropButton();
    ASSERT_TRUE(picker->FullSize());
    EXPECT_EQ(TopIndex(), 0) << "nothing selected: the first zone on top";
    now += 0.02;  // the press takes the focus from the list; the click comes within 0.1 s
    ClickDropButton();
    EXPECT_FALSE(picker->FullSize());
    EXPECT_EQ(QApplication::focusWidget(), text1);
    now += 0.5;  // a later click opens it again
    ClickDropButton();
    EXPECT_TRUE(picker->FullSize());
}

TEST_F(HourZonePickerTest, TheDropButtonClosesAListOpenedFromCode) {
    picker->setProperty("FullSize", true);  // open, but the focus is not in the list
    ASSERT_TRUE(picker->FullSize());
    ClickDropButton();
    EXPECT_FALSE(picker->FullSize());
    EXPECT_EQ(QApplication::focusWidget(), text1);
}

TEST_F(HourZonePickerTest, AClickInTheOpenListSelectsAndCloses) {
    picker->SetListIndex(27);
    ClickDropButton();
    const QRect row = list1->visualItemRect(list1->item(29));
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(picker->ListIndex(), 29);
    EXPECT_EQ(picker->Text(), "GMT+01:00");
    EXPECT_EQ(clicks->count(), 2);
    EXPECT_FALSE(picker->FullSize());
    EXPECT_EQ(QApplication::focusWidget(), text1);
}

TEST_F(HourZonePickerTest, KeysMoveTheSelectionInTheOpenListAndTheFocusLeavingClosesIt) {
    picker->SetListIndex(10);
    ClickDropButton();
    QTest::keyClick(list1, Qt::Key_Down);
    QTest::keyClick(list1, Qt::Key_Down);
    EXPECT_EQ(picker->ListIndex(), 12);
    EXPECT_EQ(clicks->count(), 3);
    EXPECT_TRUE(picker->FullSize()) << "the list stays open while the selection changes";
    host.outside->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(picker->FullSize());
}

TEST_F(HourZonePickerTest, AnySizeTheHostGivesSnapsBackAndCloses) {
    picker->resize(200, 200);
    EXPECT_EQ(picker->size(), QSize(86, 21));
    picker->SetFullSize(true);
    EXPECT_TRUE(picker->FullSize());
    picker->resize(40, 10);
    EXPECT_EQ(picker->size(), QSize(86, 21));
    EXPECT_FALSE(picker->FullSize());
    picker->setProperty("FullSize", true);
    picker->CloseList();
    EXPECT_FALSE(picker->FullSize());
}

TEST(HourZonePicker, SnapsBackAlsoWhileHidden) {
    HourZonePicker picker;
    picker.resize(300, 200);
    EXPECT_EQ(picker.size(), QSize(86, 21));
    picker.setGeometry(5, 5, 20, 20);
    EXPECT_EQ(picker.size(), QSize(86, 21));
}

TEST(HourZonePicker, OpensInPlaceInsideALayout) {
    TestWindow host;
    auto* layout = new QVBoxLayout(&host.window);
    auto* picker = new HourZonePicker;
    layout->addWidget(picker);
    layout->addWidget(new QLineEdit);
    ASSERT_TRUE(host.Activate());
    const QPoint at = picker->pos();
    QTest::mouseClick(Child<QToolButton>(picker, "cmdOp"), Qt::LeftButton);
    QApplication::processEvents();  // a layout would lay the control out again here
    EXPECT_TRUE(picker->FullSize());
    EXPECT_EQ(picker->pos(), at);
    picker->CloseList();
    QApplication::processEvents();
    EXPECT_EQ(picker->size(), QSize(86, 21));
}

}  // namespace
}  // namespace heliomark::test
