#include "ui/controls/form_move.h"

#include <QLabel>

#include "control_test_support.h"

namespace heliomark::test {
namespace {

class FormMoveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        label = new QLabel("label", &host.window);
        label->setGeometry(100, 100, 60, 20);
        host.window.move(200, 150);
        ASSERT_TRUE(host.Activate());
        mover.SetFormObject(&host.window);
        start = host.window.pos();
    }
    // A move event with `buttons` held, at `pos` in the window's own pixels.
    void MoveWith(Qt::MouseButtons buttons, QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, host.window.mapToGlobal(pos), Qt::NoButton, buttons, {});
        QApplication::sendEvent(&host.window, &move);
    }
    TestWindow host;
    QLabel* label = nullptr;
    FormMove mover;
    QPoint start;
};

TEST_F(FormMoveTest, BindsToTheWindow) {
    EXPECT_EQ(mover.FormObject(), &host.window);
}

TEST_F(FormMoveTest, LeftDragOnTheBackgroundFollowsTheCursorWithoutDrift) {
    QTest::mousePress(&host.window, Qt::LeftButton, {}, QPoint(20, 30));
    MoveWith(Qt::LeftButton, QPoint(30, 30));  // 10 pixels to the right
    EXPECT_EQ(host.window.pos(), start + QPoint(10, 0));
    // The cursor keeps moving; the grab point stays under it, so positions are relative to the
    // window where it is now.
    for (int i = 0; i < 20; ++i)
        MoveWith(Qt::LeftButton, QPoint(21, 32));
    EXPECT_EQ(host.window.pos(), start + QPoint(30, 40));
    QTest::mouseRelease(&host.window, Qt::LeftButton, {}, QPoint(20, 30));
    MoveWith(Qt::NoButton, QPoint(60, 60));
    EXPECT_EQ(host.window.pos(), start + QPoint(30, 40));
}

TEST_F(FormMoveTest, OtherButtonsDoNotMoveTheWindow) {
    const Qt::MouseButtons held[] = {Qt::RightButton, Qt::LeftButton | Qt::RightButton, Qt::MiddleButton};
    for (Qt::MouseButtons buttons : held) {
        QTest::mousePress(&host.window, Qt::RightButton, {}, QPoint(20, 30));
        MoveWith(buttons, QPoint(50, 70));
        EXPECT_EQ(host.window.pos(), start) << "buttons " << buttons.toInt();
        QTest::mouseRelease(&host.window, Qt::RightButton, {}, QPoint(20, 30));
    }
}

TEST_F(FormMoveTest, APressOnAChildControlStartsNoDrag) {
    // The label does not take the press, so the window sees it too, mapped to its own pixels.
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    MoveWith(Qt::LeftButton, QPoint(150, 150));
    EXPECT_EQ(host.window.pos(), start);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(FormMoveTest, UnbindingStopsTheMoves) {
    mover.SetFormObject(nullptr);
    QTest::mousePress(&host.window, Qt::LeftButton, {}, QPoint(20, 30));
    MoveWith(Qt::LeftButton, QPoint(40, 40));
    EXPECT_EQ(host.window.pos(), start);
    QTest::mouseRelease(&host.window, Qt::LeftButton, {}, QPoint(20, 30));
}

}  // namespace
}  // namespace heliomark::test
