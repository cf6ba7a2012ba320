#include <gtest/gtest.h>

#include <QWidget>

#include "app/start_program.h"

TEST(StartProgram, ShowsTheMainWindowWithItsCaption) {
    QWidget* w = heliomark::StartProgram(QString());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), "frmMain");
    EXPECT_EQ(w->windowTitle(), "Heliomark Pro  v1.3");
    EXPECT_TRUE(w->isVisible());
    delete w;
}
