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

#include "../main/program_fixture.h"

namespace heliomark::testing {
namespace {

class TempFolder {
  public:
    std::filesystem::path Path() const { return dir_.path().toStdString(); }
    std::filesystem::path operator/(const std::string& name) const { return Path() / name; }

  private:
    QTemporaryDir dir_;
};

// A shipped folder (refs.txt, pictures, the test cities and rules) and two user folders; the
// user folders do not exist until the program makes them.
class InstalledFolders {
  public:
    InstalledFolders() {
        const ProgramFolder source;  // refs.txt and the pictures
        std::filesystem::create_directories(Folders.Shipped);
        for (const auto& e : std::filesystem::directory_iterator(source.Path("")))
            std::filesystem::copy_file(e.path(), Folders.Shipped / e.path().filename());
        SaveDstRules(Folders.ShippedFile("dst_types.txt"), TestRules());
        SaveCities(Folders.ShippedFile("city_db.txt"), TestCities());
    }
    // Every file under the shipped folder with its bytes, to see that nothing there changed.
    std::map<std::string, std::string> ShippedContents() const {
        std::map<std::string, std::string> contents;
        for (const auto& e : std::filesystem::directory_iterator(Folders.Shipped))
            contents[e.path().filename().string()] = ReadBytes(e.path());
        return contents;
    }

    TempFolder Root;
    ProgramFolders Folders{Root / "share", Root / "config" / "heliomark", Root / "data" / "heliomark"};
};

class Installed {
  public:
    explicit Installed(const InstalledFolders& f, const SystemZone& zone = {})
        : clock_(std::make_shared<FakeClock>(DateSerial(2024, 6, 21) + 0.5)) {
        QApplication::setQuitOnLastWindowClosed(false);
        window_ = qobject_cast<MainWindow*>(StartProgram(f.Folders, clock_, zone));
    }
    ~Installed() { Close(); }
    void Close() {
        if (window_) window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    MainWindow& Main() { return *window_; }
    QComboBox* Cities() { return window_->findChild<QComboBox*>("cmbCities"); }
    QString DamageMessage() {
        auto* box = window_->findChild<QMessageBox*>("msgDamagedFiles");
        return box ? box->text() : QString();
    }

  private:
    std::shared_ptr<FakeClock> clock_;
    QPointer<MainWindow> window_;
};

TEST(InstalledProgram, EmptyUserFoldersReadTheShippedFilesAndWriteOnlyTheirOwn) {
    InstalledFolders f;
    const auto shipped = f.ShippedContents();
    {
        Installed p(f);
        EXPECT_EQ(p.Cities()->count(), 5);
        EXPECT_EQ(p.DamageMessage(), "");
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
    EXPECT_EQ(LoadCities(f.Folders.Data / "city_db.txt").size(), 6u);
    EXPECT_FALSE(std::filesystem::exists(f.Folders.Data / "dst_types.txt")) << "the rules were not edited";
    Installed again(f);
    EXPECT_GE(again.Cities()->findText("Zurich"), 0) << "the user's copy wins at the next start";
}

TEST(InstalledProgram, ABadUserCopyIsSetAsideAndToldInOneMessage) {
    const struct {
        std::size_t CutBytes;  // 0: the count is made negative instead
        int Cities;
        const char* Told;
        const char* What;
    } cases[] = {{0, 5, "the shipped city list, ", "damaged: the shipped list is read instead"},
                 {60, 3, "the 3 whole cities it holds", "cut short: its whole records are kept"}};
    for (const auto& c : cases) {
        InstalledFolders f;
        std::filesystem::create_directories(f.Folders.Data);
        const auto mine = f.Folders.Data / "city_db.txt";
        SaveCities(mine, TestCities());
        std::string bytes = ReadBytes(mine);
        if (c.CutBytes == 0) bytes[1] = '\xff';
        bytes.resize(bytes.size() - c.CutBytes);
        WriteBytes(mine, bytes);
        Installed p(f);
        EXPECT_EQ(p.Cities()->count(), c.Cities) << c.What;
        const std::string text = p.DamageMessage().toStdString();
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
        WriteBytes(zoneinfo / "zone1970.tab",
                   "DE\t+5230+01322\tEurope/Berlin\tGermany\nAU\t-3352+15113\tAustralia/Sydney\tNSW\n");
        Installed p(f, {c.Zone, zoneinfo.Path()});
        EXPECT_EQ(p.Cities()->currentText(), c.City) << c.Zone;
        const Settings& s = p.Main().State().Settings;
        EXPECT_EQ(s.ParallelsDensity, c.Parallels) << c.Zone;
        EXPECT_EQ(s.MeridiansDensity, c.Meridians) << c.Zone;
        p.Close();
        EXPECT_EQ(LoadSettings(f.Folders.Config / "settings.ini").DefaultCitySetting, c.City) << c.Zone;
    }
}

}  // namespace
}  // namespace heliomark::testing
