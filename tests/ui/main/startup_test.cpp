// Start-up from good, missing and damaged files, and the close sequence that writes them back.
#include <QGuiApplication>
#include <QScreen>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

bool OnSomeScreen(const QWidget* w) {
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersects(QRect(w->pos(), w->size()))) return true;
    return false;
}

TEST(StartUp, ARefractionTableMissingOrDamagedStopsTheStartNamingTheFile) {
    for (const bool present : {false, true}) {
        ProgramFolder folder;
        std::filesystem::remove(folder / "refs.txt");
        if (present) WriteText(folder / "refs.txt", std::string(100, 'x'));
        ExpectRefused([&folder] { Program p(folder); }, folder / "refs.txt", "refs.txt",
                      present ? "a damaged refs.txt" : "no refs.txt");
    }
}

TEST(StartUp, MissingListsGiveEmptyListsAndTheDefaultPlace) {
    ProgramFolder folder("Atlantis");
    std::filesystem::remove(folder / "city_db.txt");
    std::filesystem::remove(folder / "dst_types.txt");
    Program p(folder);
    EXPECT_EQ(p.Find<QComboBox>("cmbCities")->count(), 0);
    EXPECT_EQ(p.Find<QComboBox>("cmbDST")->count(), 1);
    EXPECT_EQ(p.Main().findChild<QMessageBox*>("msgDamagedFiles"), nullptr);
    EXPECT_EQ(p.Text("cmbHZ") + " " + p.Text("cmbDST") + " " + p.Text("txtSR"), "GMT None 05:58")
        << "the default place: the equator at Greenwich";
}

TEST(StartUp, ADamagedListIsMovedAsideAndToldOnce) {
    for (const std::string damaged : {"dst_types.txt", "city_db.txt"}) {
        ProgramFolder folder("Lima");
        const std::string junk("\x05\x00\x41\x42", 4);  // five records announced, two bytes present
        WriteText(folder / damaged, junk);
        WriteText(folder / (damaged + ".damaged"), "an older damaged copy");
        {
            Program p(folder);
            const QList<QMessageBox*> boxes = p.Main().findChildren<QMessageBox*>("msgDamagedFiles");
            ASSERT_EQ(boxes.size(), 1) << damaged;
            EXPECT_TRUE(boxes[0]->isVisible());
            EXPECT_TRUE(boxes[0]->text().contains(damaged.c_str())) << boxes[0]->text().toStdString();
            const bool citiesBad = damaged == "city_db.txt";
            EXPECT_EQ(p.Find<QComboBox>("cmbCities")->count(), citiesBad ? 0 : 6) << damaged;
            EXPECT_EQ(p.Find<QComboBox>("cmbDST")->count(), citiesBad ? 4 : 1) << damaged;
        }
        EXPECT_FALSE(std::filesystem::exists(folder / damaged)) << damaged;
        EXPECT_EQ(ReadText(folder / (damaged + ".damaged2")), junk) << damaged;
        EXPECT_EQ(ReadText(folder / (damaged + ".damaged")), "an older damaged copy");
    }
}

TEST(StartUp, DamagedSettingsGiveTheDefaultsAndAGoodFileAtClose) {
    ProgramFolder folder;
    WriteText(folder / "settings.ini", "1,#MAYBE#,\"unterminated\r\n");
    Program p(folder);
    EXPECT_EQ(p.Text("txtSR"), "05:58") << "no seconds, no city";
    p.Close();
    EXPECT_EQ(ReadText(folder / "settings.ini"), SerializeSettings(Settings{}));
}

TEST(StartUp, MissingOrDamagedPositionsCentreTheMainWindow) {
    for (const bool present : {false, true}) {
        ProgramFolder folder;
        if (present) WriteText(folder / "pos.ini", "12,34\r\nnonsense\r\n");
        Program p(folder);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint off = QRect(p.Main().pos(), p.Main().size()).center() - screen.center();
        EXPECT_TRUE(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1) << "pos.ini present: " << present;
        p.Close();
        EXPECT_NO_THROW(LoadWindowPositions(folder / "pos.ini"));
    }
}

TEST(StartUp, OffScreenPositionsComeBackAndTheOthersAreKeptExactly) {
    ProgramFolder folder;
    const WindowPositions saved{
        {{1e30f, 150.0f}, {1234.5f, 987.25f}, {-3e6f, 75.0f}, {-4.0e5f, 3.0e5f}, {15.0f, 30.0f}}};
    SaveWindowPositions(folder / "pos.ini", saved);
    Program p(folder);
    for (QWidget* window : {p.Find("frmTW"), p.Find("frmGraf"), static_cast<QWidget*>(&p.Main())})
        EXPECT_TRUE(OnSomeScreen(window)) << window->objectName().toStdString();
    p.Close();
    const WindowPositions written = LoadWindowPositions(folder / "pos.ini");
    for (int i : {1, 4})  // the sky view and the map were never shown: their numbers stay
        EXPECT_TRUE(written[i].Left == saved[i].Left && written[i].Top == saved[i].Top) << "window " << i;
    for (int i : {0, 2, 3})
        EXPECT_LT(std::abs(written[i].Left), 1e6f) << "window " << i;
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
    EXPECT_FALSE(p.Alive());
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
    EXPECT_TRUE(told->isVisible());
    EXPECT_TRUE(told->text().contains("settings.ini")) << told->text().toStdString();
    EXPECT_NO_THROW(LoadWindowPositions(p / "pos.ini"));
    told->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(StartUp, AMinimisedCloseWritesTheSettingsButKeepsThePositions) {
    ProgramFolder folder;
    SaveWindowPositions(folder / "pos.ini", {{{150, 150}, {0, 0}, {0, 0}, {300, 300}, {0, 0}}});
    const std::string positions = ReadText(folder / "pos.ini");
    Program p(folder);
    std::filesystem::remove(folder / "settings.ini");
    p.Main().move(400, 300);
    p.Main().showMinimized();
    p.Close();
    EXPECT_TRUE(std::filesystem::exists(folder / "settings.ini"));
    EXPECT_EQ(ReadText(folder / "pos.ini"), positions);
}

TEST(StartUp, ARestartShowsEveryViewHiddenAtItsSavedPlace) {
    ProgramFolder folder;
    {
        Program p(folder);
        p.Show("mnuTW");
        EXPECT_TRUE(p.Find("frmTW")->isVisible());
        p.Find("frmTW")->move(222, 111);
    }
    Program p(folder);
    EXPECT_FALSE(p.Find<QAction>("mnuTW")->isChecked() || p.Find("frmTW")->isVisible() ||
                 p.Find("fbTW")->property("Value").toBool());
    EXPECT_EQ(p.Find("frmTW")->pos(), QPoint(222, 111));
}

}  // namespace
}  // namespace heliomark::testing
