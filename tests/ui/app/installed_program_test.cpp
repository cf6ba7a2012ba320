// The program as installed: shipped files in a folder it never writes, the user's files of their own.
#include <map>

#include "support/test_support.h"

namespace heliomark::testing {
namespace {

// A shipped folder and two user folders; the user folders do not exist until the program makes them.
struct InstalledFolders {
    InstalledFolders() {
        std::filesystem::create_directories(Folders.Shipped);
        PutShippedFiles(Folders.Shipped);
    }
    std::map<std::string, std::string> ShippedContents() const {  // to see that nothing there changed
        std::map<std::string, std::string> contents;
        for (const auto& e : std::filesystem::directory_iterator(Folders.Shipped))
            contents[e.path()] = ReadText(e.path());
        return contents;
    }
    TempFolder Root;
    ProgramFolders Folders{Root / "share", Root / "config" / "heliomark", Root / "data" / "heliomark"};
};

TEST(InstalledProgram, EmptyUserFoldersReadTheShippedFilesAndWriteOnlyTheirOwn) {
    InstalledFolders f;
    const auto shipped = f.ShippedContents();
    {
        Program p(f.Folders);
        EXPECT_EQ(p.Find<QComboBox>("cmbCities")->count(), 6);
        EXPECT_EQ(p.Main().findChild<QMessageBox*>("msgDamagedFiles"), nullptr);
        p.UseDialog("mnuCities", "frmCity", [](QDialog* editor) {  // the edit lands in the user's copy
            TypeInto(Find<QLineEdit>(editor, "txtName"), "Zurich", false);
            Click(Find(editor, "cmdAct"));
            Click(Find(editor, "cmdEx"));
        });
    }
    EXPECT_EQ(f.ShippedContents(), shipped);
    EXPECT_TRUE(exists(f.Folders.Config / "settings.ini") && exists(f.Folders.Config / "pos.ini"));
    EXPECT_EQ(LoadCities(f.Folders.Data / "city_db.txt").size(), 7u);
    EXPECT_FALSE(std::filesystem::exists(f.Folders.Data / "dst_types.txt")) << "the rules were not edited";
    Program again(f.Folders);
    EXPECT_GE(again.Find<QComboBox>("cmbCities")->findText("Zurich"), 0)
        << "the user's copy wins at the next start";
}

TEST(InstalledProgram, ABadUserCopyIsSetAsideAndToldInOneMessage) {
    const std::tuple<std::size_t, int, const char*> cases[] = {
        // bytes cut off (0: the count is made negative instead), the cities then listed, the message
        {0, 6, "the shipped city list, "},
        {60, 4, "the 4 whole cities it holds"}};
    for (const auto& [cut, cities, told] : cases) {
        InstalledFolders f;
        std::filesystem::create_directories(f.Folders.Data);
        const auto mine = f.Folders.Data / "city_db.txt";
        SaveCities(mine, TestCities());
        std::vector<unsigned char> bytes = ReadBytes(mine);
        if (cut == 0) bytes[1] = 0xff;
        bytes.resize(bytes.size() - cut);
        WriteBytes(mine, bytes);
        Program p(f.Folders);
        EXPECT_EQ(p.Find<QComboBox>("cmbCities")->count(), cities) << told;
        auto* box = p.Main().findChild<QMessageBox*>("msgDamagedFiles");
        const QString text = box ? box->text() : QString();
        EXPECT_TRUE(text.contains(mine.c_str()) && text.contains(told)) << text.toStdString();
        EXPECT_TRUE(cut != 0 || text.contains(f.Folders.ShippedFile("city_db.txt").c_str()))
            << text.toStdString();
        EXPECT_TRUE(ReadBytes(f.Folders.Data / "city_db.txt.damaged") == bytes && !exists(mine)) << told;
    }
}

TEST(InstalledProgram, AFirstStartShowsTheCityNearestTheComputersZoneAndASkyGrid) {
    const std::tuple<const char*, bool, const char*, int, int> cases[] = {
        // the computer's zone, whether settings were saved before, the city, the sky grid's densities
        {"Europe/Berlin", false, "Berlin", 3, 2},
        {"Etc/UTC", false, "", 3, 2},
        {"Europe/Berlin", true, "", 0, 0}};  // not a first start: the settings stand
    for (const auto& [zone, saved, city, parallels, meridians] : cases) {
        InstalledFolders f;
        if (saved) {
            std::filesystem::create_directories(f.Folders.Config);
            SaveSettings(f.Folders.Config / "settings.ini", Settings{});
        }
        TempFolder zoneinfo;
        WriteText(zoneinfo / "zone1970.tab",
                  "DE\t+5230+01322\tEurope/Berlin\tGermany\nAU\t-3352+15113\tAustralia/Sydney\tNSW\n");
        Program p(f.Folders, {zone, zoneinfo.Path()});
        EXPECT_EQ(p.Text("cmbCities"), city) << zone;
        const Settings& s = p.Main().State().Settings;
        EXPECT_TRUE(s.ParallelsDensity == parallels && s.MeridiansDensity == meridians) << zone;
        p.Close();
        EXPECT_EQ(LoadSettings(f.Folders.Config / "settings.ini").DefaultCitySetting, city) << zone;
    }
}

}  // namespace
}  // namespace heliomark::testing
