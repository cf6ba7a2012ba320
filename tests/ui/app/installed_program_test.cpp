// The program as installed: shipped files in a folder it never writes, the user's files in folders
// of their own (empty, filled, damaged, cut short), and a first start that a user can use at once.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <map>

#include "../main/program_fixture.h"
#include "app/window_placement.h"

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

TEST(InstalledProgram, FilledUserFoldersWinOverTheShippedFiles) {
    InstalledFolders f;
    std::filesystem::create_directories(f.Folders.Data);
    std::filesystem::create_directories(f.Folders.Config);
    SaveCities(f.Folders.Data / "city_db.txt", {{"Home Town", 10, 20, 30, "Mine"}});
    SaveDstRules(f.Folders.Data / "dst_types.txt", {{"Mine", {1, 1, 4}, {1, 1, 10}, {}}});
    Settings settings;
    settings.DefaultCitySetting = "Home Town";
    SaveSettings(f.Folders.Config / "settings.ini", settings);
    Installed p(f);
    EXPECT_EQ(p.Cities()->count(), 1);
    EXPECT_EQ(p.Cities()->currentText(), "Home Town");
    EXPECT_EQ(p.Main().findChild<QComboBox*>("cmbDST")->currentText(), "Mine");
}

TEST(InstalledProgram, ADamagedUserCopyIsSetAsideForTheShippedOneInOneMessage) {
    InstalledFolders f;
    std::filesystem::create_directories(f.Folders.Data);
    const auto mine = f.Folders.Data / "city_db.txt";
    WriteBytes(mine, std::string("\xff\xff", 2));  // a negative count
    Installed p(f);
    EXPECT_EQ(p.Cities()->count(), 5) << "the shipped list";
    const QString text = p.DamageMessage();
    EXPECT_TRUE(text.contains(QString::fromStdString(mine.string()))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(f.Folders.ShippedFile("city_db.txt").string())))
        << text.toStdString();
    EXPECT_TRUE(text.contains("city_db.txt.damaged")) << text.toStdString();
    EXPECT_EQ(ReadBytes(f.Folders.Data / "city_db.txt.damaged"), std::string("\xff\xff", 2));
    EXPECT_FALSE(std::filesystem::exists(mine));
}

TEST(InstalledProgram, AUserCopyCutShortKeepsItsWholeRecordsAndSaysHowMany) {
    InstalledFolders f;
    std::filesystem::create_directories(f.Folders.Data);
    const auto mine = f.Folders.Data / "city_db.txt";
    SaveCities(mine, TestCities());
    std::string bytes = ReadBytes(mine);
    bytes.resize(bytes.size() - 60);  // the fifth city and part of the fourth are gone
    WriteBytes(mine, bytes);
    Installed p(f);
    EXPECT_EQ(p.Cities()->count(), 3);
    EXPECT_EQ(p.Cities()->itemText(2), "Longyearbyen");
    const QString text = p.DamageMessage();
    EXPECT_TRUE(text.contains("the 3 whole cities it holds")) << text.toStdString();
    EXPECT_TRUE(std::filesystem::exists(f.Folders.Data / "city_db.txt.damaged"));
}

TEST(InstalledProgram, AReadOnlyProgramFolderKeepsItsFilesUntouched) {
    // The program's own folder holds refs.txt but cannot be written: the user's files go to the
    // XDG folders. Root writes anywhere, so there the check is told the folder is read-only.
    InstalledFolders f;
    const auto own = f.Folders.Shipped;
    const bool root = ::geteuid() == 0;
    std::filesystem::permissions(own, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const ProgramFolders folders =
        root ? FindProgramFolders(own, {f.Folders.Config, f.Folders.Data},
                                  [](const std::filesystem::path&) { return false; })
             : FindProgramFolders(own, {f.Folders.Config, f.Folders.Data});
    std::filesystem::permissions(own, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(folders.Shipped, own);
    EXPECT_EQ(folders.Config, f.Folders.Config);
    EXPECT_EQ(folders.Data, f.Folders.Data);
}

TEST(InstalledProgram, AFirstStartShowsTheCityNearestTheComputersZoneAndASkyGrid) {
    const struct {
        const char* Zone;
        const char* City;
    } cases[] = {{"Europe/Berlin", "Berlin"}, {"Australia/Sydney", "Sydney"}, {"Etc/UTC", ""}};
    for (const auto& c : cases) {
        InstalledFolders f;
        TempFolder zoneinfo;
        WriteBytes(zoneinfo / "zone1970.tab",
                   "DE\t+5230+01322\tEurope/Berlin\tGermany\nAU\t-3352+15113\tAustralia/Sydney\tNSW\n");
        Installed p(f, {c.Zone, zoneinfo.Path()});
        EXPECT_EQ(p.Cities()->currentText(), c.City) << c.Zone;
        const Settings& s = p.Main().State().Settings;
        EXPECT_EQ(s.ParallelsDensity, 3) << c.Zone;
        EXPECT_EQ(s.MeridiansDensity, 2) << c.Zone;
        p.Close();
        EXPECT_EQ(LoadSettings(f.Folders.Config / "settings.ini").DefaultCitySetting, c.City) << c.Zone;
    }
}

TEST(InstalledProgram, ExistingSettingsKeepTheirGridAndCity) {
    InstalledFolders f;
    std::filesystem::create_directories(f.Folders.Config);
    SaveSettings(f.Folders.Config / "settings.ini", Settings{});
    TempFolder zoneinfo;
    WriteBytes(zoneinfo / "zone1970.tab", "DE\t+5230+01322\tEurope/Berlin\tGermany\n");
    Installed p(f, {"Europe/Berlin", zoneinfo.Path()});
    EXPECT_EQ(p.Cities()->currentIndex(), -1);
    EXPECT_EQ(p.Main().State().Settings.ParallelsDensity, 0);
}

// The program's own windows at their real sizes, arranged on common screens.
TEST(InstalledProgram, TheFirstLayoutPutsEveryWindowOnTheScreenWithoutOverlap) {
    InstalledFolders f;
    Installed p(f);
    std::vector<PixelSize> sizes;
    for (const char* name : {"frmMain", "frm3D", "frmGraf", "frmTW", "frmMap"}) {
        QWidget* w = name == std::string("frmMain") ? &p.Main() : p.Main().findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        sizes.push_back({w->width(), w->height()});
    }
    for (const PixelRect screen :
         {PixelRect{0, 0, 1366, 768}, PixelRect{0, 0, 1920, 1080}, PixelRect{1920, 30, 1600, 870}}) {
        const std::vector<PixelPoint> at = ArrangeWindows(screen, sizes);
        for (std::size_t i = 0; i < at.size(); ++i) {
            const QRect a(at[i].X, at[i].Y, sizes[i].Width + TightFrame.Width,
                          sizes[i].Height + TightFrame.Height);
            EXPECT_TRUE(QRect(screen.Left, screen.Top, screen.Width, screen.Height).contains(a))
                << "window " << i << " (" << sizes[i].Width << " x " << sizes[i].Height << ") on a "
                << screen.Width << " x " << screen.Height << " screen";
            for (std::size_t j = 0; j < i; ++j) {
                const QRect b(at[j].X, at[j].Y, sizes[j].Width + TightFrame.Width,
                              sizes[j].Height + TightFrame.Height);
                EXPECT_FALSE(a.intersects(b)) << "windows " << j << " and " << i << " on " << screen.Width;
            }
        }
    }
}

}  // namespace
}  // namespace heliomark::testing
