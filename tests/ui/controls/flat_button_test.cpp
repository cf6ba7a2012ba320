#include "ui/controls/flat_button.h"

#include <QTimer>

#include "control_test_support.h"

namespace heliomark::test {
namespace {

class FlatButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        button = new FlatButton(&host.window);
        button->move(50, 50);
        ASSERT_TRUE(host.Activate());
        clicks = std::make_unique<QSignalSpy>(button, &FlatButton::Click);
    }
    TestWindow host;
    FlatButton* button = nullptr;
    std::unique_ptr<QSignalSpy> clicks;
};

TEST_F(FlatButtonTest, IsAlways23PixelsSquare) {
    EXPECT_EQ(button->size(), QSize(23, 23));
    button->resize(40, 12);
    EXPECT_EQ(button->size(), QSize(23, 23));
    button->setFixedSize(10, 10);
    EXPECT_EQ(button->size(), QSize(23, 23));
}

TEST_F(FlatButtonTest, PushButtonClicksOnReleaseOverIt) {
    EXPECT_EQ(button->property("Style").toInt(), 0) << "push unless told otherwise";
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->VisualState(), 2);
    EXPECT_EQ(clicks->count(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(23, 23));  // the far edges count as over
    EXPECT_EQ(clicks->count(), 1);
    EXPECT_EQ(button->VisualState(), 1);
    EXPECT_FALSE(button->Value());
}

TEST_F(FlatButtonTest, PressDragOffAndReleaseGivesNoClickAndTheFlatLook) {
    for (int style : {0, 1}) {
        button->SetStyle(style);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(button, QPoint(60, 10));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 10));
        EXPECT_EQ(clicks->count(), 0) << "style " << style;
        EXPECT_EQ(button->VisualState(), 0) << "style " << style;
        EXPECT_FALSE(button->Value()) << "style " << style;
    }
}

TEST_F(FlatButtonTest, DraggingOffWhileHeldFlattensOnTheNextTick) {
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));  // no hover before the press
    button->Timer1Tick();
    EXPECT_EQ(button->VisualState(), 2) << "still under the cursor";
    QTest::mouseMove(button, QPoint(40, 10));
    button->Timer1Tick();
    EXPECT_EQ(button->VisualState(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(clicks->count(), 0);
}

TEST_F(FlatButtonTest, ToggleClickedTwiceClicksTwiceAndEndsUpAndFlat) {
    button->SetStyle(1);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(button->VisualState(), 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(button->Value());
    EXPECT_EQ(button->VisualState(), 0);
    EXPECT_EQ(clicks->count(), 2);
}

TEST_F(FlatButtonTest, WritingValue) {
    button->SetStyle(0);
    button->SetValue(false);  // a push button ignores false entirely
    EXPECT_EQ(clicks->count(), 0);
    EXPECT_EQ(button->VisualState(), 0);
    button->setProperty("Value", true);  // true presses it once, keeping nothing
    EXPECT_EQ(clicks->count(), 1);
    EXPECT_FALSE(button->Value());

    button->SetStyle(1);
    button->SetValue(true);
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(button->VisualState(), 2);
    button->SetValue(true);  // a toggle reports every write
    EXPECT_EQ(clicks->count(), 3);
    button->SetValue(false);
    EXPECT_EQ(button->VisualState(), 0);
    EXPECT_EQ(clicks->count(), 4);
}

TEST_F(FlatButtonTest, HoverRaisesTheFrameUntilTheCursorHasLeft) {
    button->SetStyle(0);
    QTest::mouseMove(button, QPoint(11, 11));
    EXPECT_EQ(button->VisualState(), 1);
    auto* timer = Child<QTimer>(button, "Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 10);
    button->Timer1Tick();  // still over it
    EXPECT_EQ(button->VisualState(), 1);
    QTest::mouseMove(&host.window, QPoint(5, 5));
    button->Timer1Tick();
    EXPECT_EQ(button->VisualState(), 0);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(FlatButtonTest, ToggleSwitchedOnFromCodeWhileHoveredStaysDownWhenTheCursorLeaves) {
    button->SetStyle(1);
    QTest::mouseMove(button, QPoint(11, 11));
    ASSERT_EQ(button->VisualState(), 1);
    button->SetValue(true);
    QTest::mouseMove(&host.window, QPoint(5, 5));
    button->Timer1Tick();
    EXPECT_EQ(button->VisualState(), 2);
}

TEST_F(FlatButtonTest, ToggleThatIsDownKeepsItsLookUnderTheCursor) {
    button->SetStyle(1);
    button->SetValue(true);
    QTest::mouseMove(button, QPoint(11, 11));
    EXPECT_EQ(button->VisualState(), 2);
    EXPECT_FALSE(Child<QTimer>(button, "Timer1")->isActive());
}

TEST_F(FlatButtonTest, DrawsThePictureShiftedWhenPressedAndFramesOnlyWhenNotFlat) {
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    const QImage flatWithout = button->grab().toImage();
    button->SetPicture(picture);
    const QImage flat = button->grab().toImage();
    EXPECT_EQ(flat.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_NE(flat.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(flat.pixelColor(0, 10), flatWithout.pixelColor(0, 10)) << "no frame when flat";
    button->SetStyle(1);
    button->SetValue(true);
    const QImage pressed = button->grab().toImage();
    EXPECT_NE(pressed.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(pressed.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(pressed.pixel(0, 10), button->palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(pressed.pixel(22, 10), button->palette().color(QPalette::Light).rgb());
}

}  // namespace
}  // namespace heliomark::test
