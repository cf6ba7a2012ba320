// Where the program's files are found and written: the portable folder, the installed layout, the
// user's XDG folders and which copy of a list is read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "data/program_folders.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

using testing::TempFolder;
using testing::WriteText;

// Sets an environment variable for the life of the object, and puts the old value back.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ProgramFolders, TheExecutablesFolderDecidesWhereEachFileIs) {
    TempFolder root;
    const auto bin = root / "bin", share = root / "share" / "heliomark";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    const UserFolders user{root / "config" / "heliomark", root / "data" / "heliomark"};
    const ProgramFolders expected[] = {
        {bin, bin, bin},                   // a writable folder with refs.txt keeps everything
        {bin, user.Config, user.Data},     // read-only: the user's files go to the XDG folders
        {share, user.Config, user.Data},   // installed, even when share/ could be written
        {share, user.Config, user.Data}};  // installed and read-only
    const struct {
        bool RefsBesideExecutable;
        bool Writable;
        const char* What;
    } cases[] = {{true, true, "portable copy"},
                 {true, false, "read-only copy"},
                 {false, true, "installed, writable"},
                 {false, false, "installed"}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::filesystem::remove(bin / "refs.txt");
        if (cases[i].RefsBesideExecutable) WriteText(bin / "refs.txt", "table");
        const bool writable = cases[i].Writable;
        const ProgramFolders f =
            FindProgramFolders(bin, user, [writable](const std::filesystem::path&) { return writable; });
        EXPECT_EQ(f.Shipped, expected[i].Shipped) << cases[i].What;
        EXPECT_EQ(f.Config, expected[i].Config) << cases[i].What;
        EXPECT_EQ(f.Data, expected[i].Data) << cases[i].What;
        EXPECT_EQ(f.SettingsFile(), expected[i].Config / "settings.ini") << cases[i].What;
        EXPECT_EQ(f.PositionsFile(), expected[i].Config / "pos.ini") << cases[i].What;
        EXPECT_EQ(f.CitiesToWrite(), expected[i].Data / "city_db.txt") << cases[i].What;
    }
}

TEST(ProgramFolders, AFolderWithoutDataNamesTheExecutablesOwnFolder) {
    TempFolder root;
    const ProgramFolders f = FindProgramFolders(root.Path(), {root / "c", root / "d"});
    EXPECT_EQ(f.ShippedFile("refs.txt"), root / "refs.txt");
}

TEST(ProgramFolders, TheUsersCopyOfAListIsReadWhenThereIsOne) {
    TempFolder root;
    const ProgramFolders f{root / "shipped", root / "config", root / "data"};
    std::filesystem::create_directories(f.Data);
    WriteText(f.Data / "dst_types.txt", "mine");
    EXPECT_EQ(f.DstRulesToRead(), root / "data" / "dst_types.txt");
    EXPECT_EQ(f.CitiesToRead(), root / "shipped" / "city_db.txt");
}

TEST(ProgramFolders, UserFoldersFollowTheXdgVariablesAsQtDoes) {
    const struct {
        const char* Home;
        const char* ConfigHome;
        const char* DataHome;
        const char* Config;
        const char* Data;
    } cases[] = {
        {"/home/ann", nullptr, nullptr, "/home/ann/.config/heliomark", "/home/ann/.local/share/heliomark"},
        {"/home/ann", "/cfg", "/dat", "/cfg/heliomark", "/dat/heliomark"},
        {"/home/ann", "", "", "/home/ann/.config/heliomark", "/home/ann/.local/share/heliomark"},
        {"/home/ann", "relative", nullptr, "/home/ann/.config/heliomark", "/home/ann/.local/share/heliomark"},
    };
    for (const auto& c : cases) {
        const ScopedEnvironment home("HOME", c.Home), config("XDG_CONFIG_HOME", c.ConfigHome),
            data("XDG_DATA_HOME", c.DataHome);
        const UserFolders f = XdgUserFolders();
        const std::string what = std::string("XDG_CONFIG_HOME ") + (c.ConfigHome ? c.ConfigHome : "(unset)");
        EXPECT_EQ(f.Config, c.Config) << what;
        EXPECT_EQ(f.Data, c.Data) << what;
    }
}

TEST(ProgramFolders, SavingCreatesTheMissingFoldersForTheUserOnly) {
    TempFolder root;
    const auto file = root / "a" / "b" / "settings.ini";
    CreateFolderFor(file);
    ASSERT_TRUE(std::filesystem::is_directory(root / "a" / "b"));
    const auto perms = std::filesystem::status(root / "a").permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace heliomark
