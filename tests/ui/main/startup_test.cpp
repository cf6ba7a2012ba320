// Start-up from good, missing and damaged files, and the close sequence.
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>

#include "program_fixture.h"

namespace heliomark::testing {
namespace {

QMessageBox* DamagedFilesBox(Program& p) {
    return p.Main().findChild<QMessageBox*>("msgDamagedFiles");
}

bool OnSomeScreen(const QWidget* w) {
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersects(QRect(w->pos(), w->size()))) return true;
    return false;
}

TEST(StartUp, RefractionTableMissingOrDamagedStopsTheStartNamingTheFile) {
    for (const bool present : {false, true}) {
        ProgramFolder folder;
        folder.WriteStandardData();
        std::filesystem::remove(folder.Path("refs.txt"));
        if (present) WriteBytes(folder.Path("refs.txt"), std::string(100, 'x'));
        try {
            Program p(folder);
            ADD_FAILURE() << "started without a usable refs.txt (present: " << present << ")";
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.File.filename(), "refs.txt");
            EXPECT_NE(std::string(e.what()).find("refs.txt"), std::string::npos);
        }
    }
}

TEST(StartUp, MissingListsGiveEmptyListsWithoutAMessage) {
    ProgramFolder folder;
    Program p(folder);
    EXPECT_EQ(p.Find<QComboBox>("cmbCities")->count(), 0);
    EXPECT_EQ(p.Find<QComboBox>("cmbDST")->count(), 1);
    EXPECT_EQ(DamagedFilesBox(p), nullptr);
    EXPECT_EQ(p.Main().State().ZoneHours, 0);
    EXPECT_NE(p.Text("txtSR"), "") << "the default place is computed";
}

TEST(StartUp, DamagedListIsMovedAsideAndToldOnce) {
    const char* files[] = {"dst_types.txt", "city_db.txt"};
    for (const char* damagedName : files) {
        ProgramFolder folder;
        folder.WriteStandardData("Lima");
        const std::string junk("\x05\x00\x41\x42", 4);  // five records announced, two bytes present
        WriteBytes(folder.Path(damagedName), junk);
        WriteBytes(folder.Path(std::string(damagedName) + ".damaged"), "an older damaged copy");
        {
            Program p(folder);
            QMessageBox* box = DamagedFilesBox(p);
            ASSERT_NE(box, nullptr) << damagedName;
            EXPECT_TRUE(box->isVisible());
            EXPECT_TRUE(box->text().contains(damagedName)) << box->text().toStdString();
            EXPECT_EQ(p.Main().findChildren<QMessageBox*>().size(), 1);
            const bool citiesBad = std::string(damagedName) == "city_db.txt";
            EXPECT_EQ(p.Find<QComboBox>("cmbCities")->count(), citiesBad ? 0 : 5) << damagedName;
            EXPECT_EQ(p.Find<QComboBox>("cmbDST")->count(), citiesBad ? 4 : 1) << damagedName;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.Path(damagedName))) << damagedName;
        EXPECT_EQ(ReadBytes(folder.Path(std::string(damagedName) + ".damaged2")), junk) << damagedName;
        EXPECT_EQ(ReadBytes(folder.Path(std::string(damagedName) + ".damaged")), "an older damaged copy");
    }
}

TEST(StartUp, DamagedSettingsGiveDefaultsAndAGoodFileAtClose) {
    ProgramFolder folder;
    folder.WriteStandardData();
    WriteBytes(folder.Path("settings.ini"), "1,#MAYBE#,\"unterminated\r\n");
    Program p(folder);
    const Settings& s = p.Main().State().Settings;
    EXPECT_EQ(s.ShowSecondsSetting, 0);
    EXPECT_EQ(s.GridQuality, 20);
    EXPECT_EQ(p.Find<QComboBox>("cmbCities")->currentIndex(), -1);
    p.Close();
    EXPECT_EQ(ReadBytes(folder.Path("settings.ini")), SerializeSettings(Settings{}));
}

TEST(StartUp, MissingOrDamagedPositionsCentreTheMainWindow) {
    for (const bool present : {false, true}) {
        ProgramFolder folder;
        folder.WriteStandardData();
        if (present) WriteBytes(folder.Path("pos.ini"), "12,34\r\nnonsense\r\n");
        Program p(folder);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect main(p.Main().pos(), p.Main().size());
        EXPECT_LE(std::abs(main.center().x() - screen.center().x()), 1) << "pos.ini present: " << present;
        EXPECT_LE(std::abs(main.center().y() - screen.center().y()), 1) << "pos.ini present: " << present;
        p.Close();
        EXPECT_NO_THROW(LoadWindowPositions(folder.Path("pos.ini")));
    }
}

TEST(StartUp, OffScreenPositionsComeBackAndTheOthersAreKeptExactly) {
    ProgramFolder folder;
    folder.WriteStandardData();
    const WindowPositions saved{
        {{1e30f, 150.0f}, {1234.5f, 987.25f}, {-3e6f, 75.0f}, {-4.0e5f, 3.0e5f}, {15.0f, 30.0f}}};
    SaveWindowPositions(folder.Path("pos.ini"), saved);
    Program p(folder);
    EXPECT_TRUE(OnSomeScreen(&p.Main()));
    EXPECT_TRUE(OnSomeScreen(p.Find("frmTW")));
    EXPECT_TRUE(OnSomeScreen(p.Find("frmGraf")));
    p.Close();
    const WindowPositions written = LoadWindowPositions(folder.Path("pos.ini"));
    // A view not built yet keeps its numbers, whatever they are; a place on a screen is kept too.
    for (int i : {1, 4}) {
        EXPECT_EQ(written[i].Left, saved[i].Left) << "window " << i;
        EXPECT_EQ(written[i].Top, saved[i].Top) << "window " << i;
    }
    for (int i : {0, 2, 3})
        EXPECT_LT(std::abs(written[i].Left), 1e6f) << "window " << i;
}

TEST(StartUp, CloseWritesBothFilesByteForByteWhenNothingMoved) {
    ProgramFolder folder;
    folder.WriteStandardData("Berlin");
    const WindowPositions saved{
        {{1500.5f, 1200.0f}, {30.0f, 45.0f}, {1234.5f, 987.25f}, {3015.0f, 1515.0f}, {60.0f, 90.0f}}};
    SaveWindowPositions(folder.Path("pos.ini"), saved);
    const std::string settings = ReadBytes(folder.Path("settings.ini"));
    const std::string positions = ReadBytes(folder.Path("pos.ini"));
    Program p(folder);
    EXPECT_EQ(p.Find("frmTW")->pos(), QPoint(201, 101));
    p.Find<QMenu>("mnuFile")->findChild<QAction*>("mnuExit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(p.Alive());
    EXPECT_EQ(ReadBytes(folder.Path("settings.ini")), settings);
    EXPECT_EQ(ReadBytes(folder.Path("pos.ini")), positions);
}

TEST(StartUp, AFailedSaveAtCloseIsToldAndTheOtherFileStillWritten) {
    ProgramFolder folder;
    folder.WriteStandardData();
    Program p(folder);
    std::filesystem::remove(folder.Path("settings.ini"));
    std::filesystem::create_directory(folder.Path("settings.ini"));  // nothing can be written there
    p.Close();
    QMessageBox* told = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "msgSaveFailed") told = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(told, nullptr);
    EXPECT_TRUE(told->isVisible());
    EXPECT_TRUE(told->text().contains("settings.ini")) << told->text().toStdString();
    EXPECT_NO_THROW(LoadWindowPositions(folder.Path("pos.ini")));
    told->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(StartUp, MinimisedCloseWritesSettingsButKeepsPositions) {
    ProgramFolder folder;
    folder.WriteStandardData();
    SaveWindowPositions(folder.Path("pos.ini"), {{{150, 150}, {0, 0}, {0, 0}, {300, 300}, {0, 0}}});
    const std::string positions = ReadBytes(folder.Path("pos.ini"));
    Program p(folder);
    std::filesystem::remove(folder.Path("settings.ini"));
    p.Main().move(400, 300);
    p.Main().showMinimized();
    p.Close();
    EXPECT_TRUE(std::filesystem::exists(folder.Path("settings.ini")));
    EXPECT_EQ(ReadBytes(folder.Path("pos.ini")), positions);
}

TEST(StartUp, RestartShowsEveryViewHiddenAtItsSavedPlace) {
    ProgramFolder folder;
    folder.WriteStandardData();
    {
        Program p(folder);
        QAction* item = p.Find<QAction>("mnuTW");
        item->trigger();
        EXPECT_TRUE(p.Main().ExtTW);
        EXPECT_TRUE(item->isChecked());
        EXPECT_TRUE(p.Find("frmTW")->isVisible());
        p.Find("frmTW")->move(222, 111);
        p.Close();
    }
    Program p(folder);
    EXPECT_FALSE(p.Main().ExtTW);
    EXPECT_FALSE(p.Find<QAction>("mnuTW")->isChecked());
    EXPECT_FALSE(p.Find("frmTW")->isVisible());
    EXPECT_FALSE(p.Find("fbTW")->property("Value").toBool());
    EXPECT_EQ(p.Find("frmTW")->pos(), QPoint(222, 111));
}

}  // namespace
}  // namespace heliomark::testing
