#pragma once
// The Debian package, built with CPack, installed by dpkg into a temporary root as on a machine
// (its files, conffiles and dpkg's record of it), and the package's commands run from there as
// a user of that machine would run them.
#include "SettingsTable.h"
#include "TempDevice.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class InstalledPackage {
public:
    // The newest package of the build tree, which the case PackageBuilt makes before the cases
    // that need it (run alone, they take the package last made:
    // `cmake --build build/asan --target package`).
    InstalledPackage()
    {
        std::filesystem::file_time_type newest;
        for (const auto& entry : std::filesystem::directory_iterator(TORTAMOS_BUILD_DIR))
            if (entry.path().extension() == ".deb" &&
                (deb_.empty() || entry.last_write_time() > newest)) {
                deb_ = entry.path();
                newest = entry.last_write_time();
            }
        if (deb_.empty()) {
            std::ofstream(log()) << "no package in " TORTAMOS_BUILD_DIR
                                    ": make it with its target 'package'\n";
            return;
        }
        const std::string admin = path("/var/lib/dpkg").string();
        std::filesystem::create_directories(admin + "/info");
        std::filesystem::create_directories(admin + "/updates");
        std::ofstream(admin + "/status");
        // The machine's libraries are not in dpkg's record of the temporary root.
        installed_ = dpkg("--force-depends -i '" + deb_.string() + "'") == 0;
    }

    // False when the package was not built or dpkg refused it; log() says why.
    bool installed() const { return installed_; }
    std::filesystem::path log() const { return root_.root() / "dpkg.log"; }
    const std::filesystem::path& deb() const { return deb_; }
    const std::filesystem::path& root() const { return root_.root(); }
    // A path of the installed machine ("/usr/bin/tortamos").
    std::filesystem::path path(std::string_view machine_path) const
    {
        return root_.path(machine_path);
    }

    // dpkg on the temporary root with its options; the exit status, the output appended to log().
    int dpkg(const std::string& options) const
    {
        return run_command("dpkg --root='" + root().string() + "' --log=/dev/null " + options +
                           " >>'" + log().string() + "' 2>&1");
    }

    // The command line that runs a package command (with its arguments) as a user with the
    // environment entries given (HOME=..., XDG_DATA_HOME=..., DEVICE_ROOT=...) and no other of
    // those, and no session bus; the program's libraries come from the temporary root.
    std::string command(const std::string& environment,
                        const std::string& command_and_arguments) const
    {
        return "env -u DEVICE_ROOT -u XDG_DATA_HOME -u HOME -u DBUS_SESSION_BUS_ADDRESS "
               "LD_LIBRARY_PATH='" +
               path("/usr/lib/tortamos/lib").string() + "' " + environment + " '" +
               path("/usr/bin").string() + "'/" + command_and_arguments;
    }

private:
    TempDevice root_;
    std::filesystem::path deb_;
    bool installed_ = false;
};

inline std::string read_file(const std::filesystem::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}
