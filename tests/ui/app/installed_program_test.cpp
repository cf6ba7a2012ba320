// The program as installed: shipped files in a folder it never writes, the user's files in folders
// of their own (empty, filled, damaged, cut short), and a first start that a user can use at once.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <map>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

// A shipped folder (refs.txt, pictures, the test cities and rules) and two user folders; the
// user folders do not exist until the program makes them.
class InstalledFolders {
  public:
    InstalledFolders() {
        std::filesystem::create_directories(Folders.Shipped);
        for (const char* name : {"refs.txt", "graf.bmp", "graf_hours.bmp", "graf_altitudes.bmp", "world.bmp"})
            std::filesystem::copy_file(std::filesystem::path(HELIOMARK_SOURCE_DIR) / "resources" / name,
                                       Folders.Shipped / name);
        SaveDstRules(Folders.ShippedFile("dst_types.txt"), TestRules());
        SaveCities(Folders.ShippedFile("city_db.txt"), TestCities());
    }
    // Every file under the shipped folder with its bytes, to see that nothing there changed.
    std::map<std::string, std::vector<unsigned char>> ShippedContents() const {
        std::map<std::string, std::vector<unsigned char>> contents;
        for (const auto& e : std::filesystem::directory_iterator(Folders.Shipped))
            contents[e.path().filename().string()] = ReadBytes(e.path());
        return contents;
    }

    TempFolder Root;
    ProgramFolders Folders{Root / "share", Root / "config" / "heliomark", Root / "data" / "heliomark"};
};

QComboBox* Cities(Program& p) {
    return p.Find<QComboBox>("cmbCities");
}
QString DamageMessage(Program& p) {
    auto* box = p.Main().findChild<QMessageBox*>("msgDamagedFiles");
    return box ? box->text() : QString();
}

TEST(InstalledProgram, EmptyUserFoldersReadTheShippedFilesAndWriteOnlyTheirOwn) {
    InstalledFolders f;
    const auto shipped = f.ShippedContents();
    {
        Program p(f.Folders);
        EXPECT_EQ(Cities(p)->count(), 6);
        EXPECT_EQ(DamageMessage(p), "");
        // An edit in the city editor lands in the user's copy.
        QTimer::singleShot(0, [] {
            auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            editor->findChild<QLineEdit*>("txtName")->setText("Zurich");
            editor->findChild<QPushButton*>("cmdAct")->click();
            editor->findChild<QPushButton*>("cmdEx")->click();
        });
        p.Main().findChild<QAction*>("mnuCities")->trigger();
    }
    EXPECT_EQ(f.ShippedContents(), shipped);
    EXPECT_TRUE(std::filesystem::exists(f.Folders.Config / "settings.ini"));
    EXPECT_TRUE(std::filesystem::exists(f.Folders.Config / "pos.ini"));
    EXPECT_EQ(LoadCities(f.Folders.Data / "city_db.txt").size(), 7u);
    EXPECT_FALSE(std::filesystem::exists(f.Folders.Data / "dst_types.txt")) << "the rules were not edited";
    Program again(f.Folders);
    EXPECT_GE(Cities(again)->findText("Zurich"), 0) << "the user's copy wins at the next start";
}

TEST(InstalledProgram, ABadUserCopyIsSetAsideAndToldInOneMessage) {
    const struct {
        std::size_t CutBytes;  // 0: the count is made negative instead
        int Cities;
        const char* Told;
        const char* What;
    } cases[] = {{0, 6, "the shipped city list, ", "damaged: the shipped list is read instead"},
                 {60, 4, "the 4 whole cities it holds", "cut short: its whole records are kept"}};
    for (const auto& c : cases) {
        InstalledFolders f;
        std::filesystem::create_directories(f.Folders.Data);
        const auto mine = f.Folders.Data / "city_db.txt";
        SaveCities(mine, TestCities());
        std::vector<unsigned char> bytes = ReadBytes(mine);
        if (c.CutBytes == 0) bytes[1] = 0xff;
        bytes.resize(bytes.size() - c.CutBytes);
        WriteBytes(mine, bytes);
        Program p(f.Folders);
        EXPECT_EQ(Cities(p)->count(), c.Cities) << c.What;
        const std::string text = DamageMessage(p).toStdString();
        EXPECT_NE(text.find(mine.string()), std::string::npos) << c.What << ": " << text;
        EXPECT_NE(text.find(c.Told), std::string::npos) << c.What << ": " << text;
        if (c.CutBytes == 0) {
            EXPECT_NE(text.find(f.Folders.ShippedFile("city_db.txt").string()), std::string::npos) << text;
        }
        EXPECT_EQ(ReadBytes(f.Folders.Data / "city_db.txt.damaged"), bytes) << c.What;
        EXPECT_FALSE(std::filesystem::exists(mine)) << c.What;
    }
}

TEST(InstalledProgram, AFirstStartShowsTheCityNearestTheComputersZoneAndASkyGrid) {
    const struct {
        const char* Zone;
        bool SettingsSaved;
        const char* City;
        int Parallels, Meridians;
    } cases[] = {{"Europe/Berlin", false, "Berlin", 3, 2},
                 {"Australia/Sydney", false, "Sydney", 3, 2},
                 {"Etc/UTC", false, "", 3, 2},
                 {"Europe/Berlin", true, "", 0, 0}};  // not a first start: the settings stand
    for (const auto& c : cases) {
        InstalledFolders f;
        if (c.SettingsSaved) {
            std::filesystem::create_directories(f.Folders.Config);
            SaveSettings(f.Folders.Config / "settings.ini", Settings{});
        }
        TempFolder zoneinfo;
        WriteText(zoneinfo / "zone1970.tab",
                  "DE\t+5230+01322\tEurope/Berlin\tGermany\nAU\t-3352+15113\tAustralia/Sydney\tNSW\n");
        Program p(f.Folders, {c.Zone, zoneinfo.Path()});
        EXPECT_EQ(Cities(p)->currentText(), c.City) << c.Zone;
        const Settings& s = p.Main().State().Settings;
        EXPECT_EQ(s.ParallelsDensity, c.Parallels) << c.Zone;
        EXPECT_EQ(s.MeridiansDensity, c.Meridians) << c.Zone;
        p.Close();
        EXPECT_EQ(LoadSettings(f.Folders.Config / "settings.ini").DefaultCitySetting, c.City) << c.Zone;
    }
}

}  // namespace
}  // namespace heliomark::testing
