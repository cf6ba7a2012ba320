// What the day view and the world map share: shown and hidden by their toolbar buttons and View
// menu items, hidden (not closed) by their close boxes while still refreshed, and a plain grey
// picture with one message naming the file when a picture cannot be read.
#include <QLabel>
#include <QMessageBox>

#include "view_test_support.h"

namespace heliomark::testing {
namespace {

struct ViewCase {
    const char *Window, *Button, *MenuItem;
    bool MainWindow::*Flag;
};
const ViewCase Views[] = {{"frmGraf", "fbGraf", "mnuGraf", &MainWindow::ExtGraf},
                          {"frmMap", "fbMap", "mnuMap", &MainWindow::ExtMap}};

TEST(ViewWindows, ToolbarButtonAndMenuShowAndHide) {
    for (const ViewCase& v : Views) {
        ProgramFolder folder;
        folder.WriteStandardData("Berlin");
        Program p(folder);
        QWidget* window = View(p, v.Window);
        QWidget* button = p.Find(v.Button);
        QAction* item = p.Find<QAction>(v.MenuItem);
        ASSERT_FALSE(window->isVisible()) << v.Window << " starts hidden";
        ASSERT_EQ(window->parentWidget(), &p.Main()) << v.Window << " is owned by the main window";
        const QImage before = Shown(ViewControl(p, v.Window, "picRes"));
        for (const bool shown : {true, false}) {
            QTest::mouseMove(button, QPoint(5, 5));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
            EXPECT_EQ(window->isVisible(), shown) << v.Button;
            EXPECT_EQ(p.Main().*v.Flag, shown) << v.Button;
            EXPECT_EQ(item->isChecked(), shown) << v.Button;
        }
        EXPECT_NE(Shown(ViewControl(p, v.Window, "picRes")), before) << v.Window << " was drawn when shown";
        for (const bool shown : {true, false}) {
            item->trigger();
            EXPECT_EQ(window->isVisible(), shown) << v.MenuItem;
            EXPECT_EQ(p.Main().*v.Flag, shown) << v.MenuItem;
            EXPECT_EQ(item->isChecked(), shown) << v.MenuItem;
        }
    }
}

TEST(ViewWindows, CloseBoxHidesTheViewWhichKeepsBeingRefreshed) {
    for (const ViewCase& v : Views) {
        ProgramFolder folder;
        const std::unique_ptr<Program> program = StartWithView(folder, v.MenuItem);
        Program& p = *program;
        QWidget* window = View(p, v.Window);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(p.Main().findChild<QWidget*>(v.Window), window) << v.Window;
        EXPECT_FALSE(window->isVisible()) << v.Window;
        EXPECT_TRUE(p.Main().*v.Flag) << v.Window << ": the main window still counts it as shown";
        const QImage before = Shown(ViewControl(p, v.Window, "picRes"));
        p.TypeInto("apLat", "txtDeg", "10");  // a new sunrise, and the place marker moves
        EXPECT_NE(Shown(ViewControl(p, v.Window, "picRes")), before) << v.Window << " was not refreshed";
        p.Find<QAction>(v.MenuItem)->trigger();
        EXPECT_FALSE(p.Main().*v.Flag) << v.Window;
    }
}

TEST(ViewWindows, UnreadablePictureIsGreyWithOneMessageNamingTheFile) {
    struct Case {
        const char* File;
        const char* Content;  // nullptr: the file is removed; "small": a 10 x 10 picture
        const char *Window, *Control;
        QPoint Pixel;
        const char* Problem;
    };
    const Case cases[] = {
        {"graf.bmp", nullptr, "frmGraf", "picRes", {5, 5}, "missing"},
        {"world.bmp", "BM this is no picture", "frmMap", "picRes", {5, 5}, "cannot be read"},
        {"world.bmp", "small", "frmMap", "picRes", {5, 5}, "10 x 10"},
        {"graf_hours.bmp", "small", "frmGraf", "Image1", {100, 5}, "10 x 10"},
        {"graf_altitudes.bmp", nullptr, "frmGraf", "Image2", {10, 100}, "missing"},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.WriteStandardData("Berlin");
        std::filesystem::remove(folder.Path(c.File));
        if (c.Content && std::string(c.Content) == "small") {
            QImage small(10, 10, QImage::Format_RGB888);
            small.fill(Qt::blue);
            ASSERT_TRUE(small.save(QString::fromStdString(folder.Path(c.File).string()), "BMP"));
        } else if (c.Content) {
            WriteBytes(folder.Path(c.File), c.Content);
        }
        Program p(folder);
        QCoreApplication::processEvents();
        const QList<QMessageBox*> boxes = p.Main().findChildren<QMessageBox*>("msgPictureMissing");
        ASSERT_EQ(boxes.size(), 1) << c.File;
        EXPECT_TRUE(boxes[0]->isVisible()) << c.File;
        const std::string text = boxes[0]->text().toStdString();
        EXPECT_NE(text.find(folder.Path(c.File).string()), std::string::npos) << text;
        EXPECT_NE(text.find(c.Problem), std::string::npos) << text;

        ShowView(p, c.Window == std::string("frmGraf") ? "mnuGraf" : "mnuMap");
        const QImage shown = Shown(ViewControl(p, c.Window, c.Control));
        EXPECT_EQ(shown.pixelColor(c.Pixel), QColor(128, 128, 128)) << c.File << " " << c.Control;
    }
}

TEST(ViewWindows, DraggedByTheirBackground) {
    for (const ViewCase& v : Views) {
        ProgramFolder folder;
        const std::unique_ptr<Program> program = StartWithView(folder, v.MenuItem);
        Program& p = *program;
        QWidget* window = View(p, v.Window);
        const QPoint start = window->pos();
        const QPointF corner(1, 1);  // the margin around the plot
        ASSERT_EQ(window->childAt(corner.toPoint()), nullptr) << v.Window;
        QMouseEvent press(QEvent::MouseButtonPress, corner, window->mapToGlobal(corner), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &press);
        const QPointF to = corner + QPointF(30, 20);
        QMouseEvent move(QEvent::MouseMove, to, window->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(window, &move);
        EXPECT_EQ(window->pos() - start, QPoint(30, 20)) << v.Window;
    }
}

}  // namespace
}  // namespace heliomark::testing
