// Where the program's files are found and written: a portable folder, a read-only one, and the
// installed layout with the user's XDG folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "data/program_folders.h"
#include "support/test_support.h"

namespace heliomark {
namespace {

TEST(ProgramFolders, TheExecutablesFolderDecidesWhereEachFileIs) {
    testing::TempFolder root;
    const auto bin = root / "bin", share = root / "share" / "heliomark";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    const UserFolders user{root / "config", root / "data"};
    const struct {
        bool RefsBesideExecutable, Writable;
        ProgramFolders Expected;
        const char* What;
    } cases[] = {
        {true, true, {bin, bin, bin}, "a writable copy with refs.txt keeps everything"},
        {true, false, {bin, user.Config, user.Data}, "a read-only copy keeps the user's files apart"},
        {false, true, {share, user.Config, user.Data}, "installed, never written even when it could"},
        {false, false, {share, user.Config, user.Data}, "installed"}};
    for (const auto& c : cases) {
        std::filesystem::remove(bin / "refs.txt");
        if (c.RefsBesideExecutable) testing::WriteText(bin / "refs.txt", "table");
        const bool writable = c.Writable;
        const ProgramFolders f =
            FindProgramFolders(bin, user, [=](const std::filesystem::path&) { return writable; });
        EXPECT_EQ(f.Shipped, c.Expected.Shipped) << c.What;
        EXPECT_EQ(f.SettingsFile(), c.Expected.Config / "settings.ini") << c.What;
        EXPECT_EQ(f.CitiesToWrite(), c.Expected.Data / "city_db.txt") << c.What;
        EXPECT_EQ(f.CitiesToRead(), c.Expected.Shipped / "city_db.txt") << c.What << ": no user's copy yet";
    }
}

TEST(ProgramFolders, UserFoldersFollowTheXdgVariablesAsQtDoes) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/ann", 1);
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("XDG_DATA_HOME", "relative", 1);  // ignored: not absolute
    const UserFolders f = XdgUserFolders();
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(f.Config, "/cfg/heliomark");
    EXPECT_EQ(f.Data, "/home/ann/.local/share/heliomark");
}

}  // namespace
}  // namespace heliomark
