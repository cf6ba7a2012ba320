#include "data/program_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace heliomark {

namespace {

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path XdgFolder(const char* variable, const char* underHome) {
    std::filesystem::path base = EnvironmentPath(variable);
    if (base.empty() || base.is_relative()) {
        std::filesystem::path home = EnvironmentPath("HOME");
        if (home.empty()) home = "/";  // where Qt looks without a HOME, too
        base = home / underHome;
    }
    return base / ApplicationFolderName;
}

bool Exists(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::exists(file, ec);
}

}  // namespace

std::filesystem::path ProgramFolders::ListToRead(std::string_view name) const {
    const std::filesystem::path user = DataFile(name);
    return Exists(user) ? user : ShippedFile(name);
}

std::filesystem::path ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

UserFolders XdgUserFolders() {
    return {XdgFolder("XDG_CONFIG_HOME", ".config"), XdgFolder("XDG_DATA_HOME", ".local/share")};
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

ProgramFolders FindProgramFolders(const std::filesystem::path& executableFolder, const UserFolders& user,
                                  const std::function<bool(const std::filesystem::path&)>& isWritable) {
    const std::filesystem::path own =
        executableFolder.empty() ? std::filesystem::path(".") : executableFolder;
    if (Exists(own / RefractionFileName)) {
        if (isWritable(own)) return {own, own, own};
        return {own, user.Config, user.Data};
    }
    // Installed: bin/heliomark beside share/heliomark. When that folder is missing too, the
    // executable's own folder is named, so the start-up error points at the build tree's folder.
    const std::filesystem::path share = own.parent_path() / "share" / ApplicationFolderName;
    std::error_code ec;
    const std::filesystem::path shipped = std::filesystem::is_directory(share, ec) ? share : own;
    return {shipped, user.Config, user.Data};
}

void CreateFolderFor(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    if (folder.empty() || Exists(folder)) return;
    CreateFolderFor(folder);
    ::mkdir(folder.c_str(), 0700);
}

}  // namespace heliomark
