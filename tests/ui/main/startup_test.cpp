// Start-up from good, missing and damaged files, and the close sequence that writes them back.
#include <QGuiApplication>
#include <QScreen>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

TEST(StartUp, ARefractionTableMissingOrDamagedStopsTheStartNamingTheFile) {
    for (const bool present : {false, true}) {
        ProgramFolder folder;
        present ? WriteText(folder / "refs.txt", std::string(100, 'x'))
                : (void)std::filesystem::remove(folder / "refs.txt");
        ExpectRefused([&folder] { Program p(folder); }, folder / "refs.txt", "refs.txt",
                      present ? "a damaged refs.txt" : "no refs.txt");
    }
}

TEST(StartUp, DamagedPositionsCentreTheMainWindowAndAMinimisedCloseKeepsThem) {
    ProgramFolder folder;
    WriteText(folder / "pos.ini", "12,34\r\nnonsense\r\n");
    Program p(folder);
    const QPoint off = QRect(p.Main().pos(), p.Main().size()).center() -
                       QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_TRUE(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1) << off.x() << "," << off.y();
    std::filesystem::remove(folder / "settings.ini");
    p.Main().showMinimized();
    p.Close();
    EXPECT_TRUE(std::filesystem::exists(folder / "settings.ini"));
    EXPECT_EQ(ReadText(folder / "pos.ini"), "12,34\r\nnonsense\r\n")
        << "a minimised window's place means nothing";
}

TEST(StartUp, ExitWritesBothFilesByteForByteWhenNothingMoved) {
    ProgramFolder folder("Berlin");
    SaveWindowPositions(
        folder / "pos.ini",
        {{{1500.5f, 1200.0f}, {30.0f, 45.0f}, {1234.5f, 987.25f}, {3015.0f, 1515.0f}, {60.0f, 90.0f}}});
    const std::string files = ReadText(folder / "settings.ini") + ReadText(folder / "pos.ini");
    Program p(folder);
    EXPECT_EQ(p.Find("frmTW")->pos(), QPoint(201, 101));
    p.Find<QAction>("mnuExit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(p.Alive()) << "Exit closes the program";
    EXPECT_EQ(ReadText(folder / "settings.ini") + ReadText(folder / "pos.ini"), files);
}

TEST(StartUp, AFailedSaveAtCloseIsToldAndTheOtherFileStillWritten) {
    StartedProgram p;
    std::filesystem::remove(p / "settings.ini");
    std::filesystem::create_directory(p / "settings.ini");  // nothing can be written there
    p.Close();
    QMessageBox* told = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "msgSaveFailed") told = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(told, nullptr);
    EXPECT_TRUE(told->isVisible() && told->text().contains("settings.ini")) << told->text().toStdString();
    EXPECT_NO_THROW(LoadWindowPositions(p / "pos.ini"));
    told->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace heliomark::testing
