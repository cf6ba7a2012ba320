// The close sequence from outside the main window: a quit signal, and a close while a modal window
// is open (which must close that window first and never delete the main window under it).
#include <signal.h>

#include "app/quit_signals.h"
#include "support/test_support.h"
#include "ui/dialogs/calendar_window.h"

namespace heliomark::testing {
namespace {

bool WaitUntilClosed(Program& p) {
    return QTest::qWaitFor([&] { return !p.Alive(); }, 5000);
}

TEST(CloseSequence, QuitSignalsCloseLikeTheCloseBox) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        StartedProgram p("Berlin");
        std::filesystem::remove(p / "settings.ini");
        CloseOnQuitSignals(&p.Main());
        ::kill(::getpid(), signal);
        ASSERT_TRUE(WaitUntilClosed(p)) << "signal " << signal;
        EXPECT_NO_THROW(LoadSettings(p / "settings.ini")) << "signal " << signal;
    }
}

// Opens `menuItem`'s modal window and, once it is up, runs `inside` and closes the main window.
void CloseWithModalOpen(Program& p, const char* menuItem, const char* dialogName,
                        const std::function<void(QDialog*)>& inside = {}) {
    QTimer::singleShot(0, [&p, dialogName, inside] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog && dialog->objectName() == dialogName) << dialogName;
        if (inside) inside(dialog);
        p.Main().close();
    });
    p.Find<QAction>(menuItem)->trigger();
}

TEST(CloseSequence, ClosingUnderAModalWindowClosesThatWindowFirst) {
    const std::pair<const char*, const char*> dialogs[] = {
        {"mnuCal", "frmCal"}, {"mnuOpt", "frmOpt"},   {"mnuCities", "frmCity"},
        {"mnuDST", "frmDST"}, {"mnuDict", "frmDict"}, {"mnuAbout", "frmAbout"}};
    for (const auto& [item, name] : dialogs) {
        StartedProgram p("Lima");
        std::filesystem::remove(p / "settings.ini");
        CloseWithModalOpen(p, item, name);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name;
        ASSERT_TRUE(WaitUntilClosed(p)) << name;
        EXPECT_TRUE(std::filesystem::exists(p / "settings.ini")) << name;
    }
}

TEST(CloseSequence, NestedModalWindowsCloseInnermostFirst) {
    StartedProgram p("Lima");
    CloseWithModalOpen(p, "mnuCal", "frmCal", [&p](QDialog* calendar) {
        // The save dialog runs its own loop inside the calendar's; the close arrives from there.
        auto* window = qobject_cast<CalendarWindow*>(calendar);
        ASSERT_NE(window, nullptr);
        window->AskSaveFileName = [&p](QWidget* parent, const QString&, const QString&, QString*) {
            QDialog inner(parent);
            QTimer::singleShot(0, &p.Main(), &QWidget::close);
            inner.exec();
            return QString();
        };
        Click(Find(calendar, "cmdSave"));
    });
    ASSERT_TRUE(WaitUntilClosed(p));
}

}  // namespace
}  // namespace heliomark::testing
