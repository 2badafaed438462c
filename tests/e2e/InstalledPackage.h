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
    InstalledPackage()
    {
        const std::string build = TORTAMOS_BUILD_DIR;
        // Cases run side by side: one CPack run at a time in the build tree, and none when the
        // package is newer than everything the build made, so each test run makes it once (CPack
        // strips, resolves the libraries' dependencies and compresses: most of a minute).
        const std::filesystem::path script = root() / "make-package";
        std::ofstream(script)
            << "cd '" << build
            << "' && cmake --build . && deb=$(ls -t *.deb 2>/dev/null | head -n 1) &&\n"
            << "[ -n \"$deb\" ] && [ -z \"$(find . -newer \"$deb\" -type f ! -path "
               "'./_CPack_Packages/*'"
            << " ! -path './Testing/*' ! -name package.lock -print -quit)\" ] ||\n"
            << "cmake --build . --target package\n";
        if (run_command("flock '" + build + "/package.lock' sh '" + script.string() + "' >'" +
                        log().string() + "' 2>&1") != 0)
            return;
        for (const auto& entry : std::filesystem::directory_iterator(build))
            if (entry.path().extension() == ".deb")
                deb_ = entry.path();
        const std::string admin = path("/var/lib/dpkg").string();
        std::filesystem::create_directories(admin + "/info");
        std::filesystem::create_directories(admin + "/updates");
        std::ofstream(admin + "/status");
        // The machine's libraries are not in dpkg's record of the temporary root.
        installed_ = !deb_.empty() && dpkg("--force-depends -i '" + deb_.string() + "'") == 0;
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
