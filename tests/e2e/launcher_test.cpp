// The package's commands on a user's own device: the first start lays it out, later starts keep
// its data, a package upgrade runs the upgrade step once, and a folder the launcher cannot use
// is refused with a message and left as it was.
#include "InstalledPackage.h"
#include "SettingsTable.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

namespace {

namespace fs = std::filesystem;

const std::string kStamp = "/var/lib/tortamos/installed-version";
const std::string kCurrentLayout = "1|0|0|1|1|11|0|0";

// Every entry under a folder with what distinguishes it: type, size, time, link target.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        struct stat s {};
        ::lstat(it->path().c_str(), &s);
        std::string what = std::to_string(s.st_mode) + " " + std::to_string(s.st_uid) + " " +
                           std::to_string(s.st_size) + " " + std::to_string(s.st_mtim.tv_nsec);
        if (it->is_symlink())
            what += " -> " + fs::read_symlink(it->path()).string();
        entries[fs::relative(it->path(), folder).string()] = what;
    }
    return entries;
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(package.installed()) << read_file(package.log());
        version = read_file(package.path("/var/lib/dpkg/status"));
        const size_t at = version.find("\nVersion: ");
        ASSERT_NE(at, std::string::npos);
        version = version.substr(at + 10, version.find('\n', at + 10) - at - 10) + "\n";
        home = package.path("/home/ana");
        device = home / ".local/share/tortamos/device";
        fs::create_directories(home);
    }

    // Runs a package command as Ana; its exit status, its standard error in `said`.
    int run(const std::string& command_and_arguments, const std::string& environment = "")
    {
        const fs::path errors = package.root() / "stderr";
        const int status = run_command(
            package.command("HOME='" + home.string() + "' " + environment, command_and_arguments) +
            " >/dev/null 2>'" + errors.string() + "'");
        said = read_file(errors);
        return status;
    }
    fs::path in_device(const std::string& device_path) const
    {
        return device / device_path.substr(1);
    }

    InstalledPackage package;
    std::string version;
    fs::path home;
    fs::path device;
    std::string said;
};

TEST_F(Launcher, LaysOutTheUsersDeviceKeepsItsDataAndUpgradesItOnce)
{
    ASSERT_EQ(run("tortamos-contacts list"), 0) << said;
    EXPECT_EQ(settings_table(in_device(kSettingsFile)).at(1), kCurrentLayout);
    EXPECT_EQ(read_file(in_device(kStamp)), version);
    EXPECT_EQ(fs::read_symlink(in_device("/Applications/Tortamos.app")),
              package.path("/usr/lib/tortamos/device/Applications/Tortamos.app"));
    EXPECT_TRUE(fs::is_regular_file(in_device("/Library/DynamicLibraries/Tortamos.dylib")));
    EXPECT_EQ(read_file(in_device("/System/Library/CoreServices/SystemVersion")), "3.1.3\n");
    struct stat s {};
    ASSERT_EQ(::stat(device.c_str(), &s), 0);
    EXPECT_EQ(s.st_uid, ::getuid());
    for (const auto& entry : fs::directory_iterator(device.parent_path()))
        EXPECT_EQ(entry.path(), device) << "left over from laying out";

    // The user's choices and persons stay, whichever command starts next.
    ASSERT_TRUE(settings_exec(in_device(kSettingsFile), "UPDATE Settings SET iTimerHour=8"));
    ASSERT_EQ(run("tortamos-contacts add --first Ana --last Lima --birthday 1990-05-10"), 0)
        << said;
    ASSERT_EQ(run("tortamos -updateDB"), 0) << said;
    EXPECT_EQ(settings_table(in_device(kSettingsFile)).at(1), "1|0|0|1|1|8|0|0");
    ASSERT_EQ(run("tortamos-contacts list"), 0) << said;
    EXPECT_NE(read_file(in_device("/var/mobile/Library/AddressBook/AddressBook.sqlitedb")).size(),
              0u);

    // The home screen loads the agent on the user's device, and says when alerts cannot reach
    // the desktop.
    const fs::path script = package.root() / "home-screen.script";
    std::ofstream(script) << "wait 200\ndump " << (package.root() / "home-screen.json").string()
                          << "\nquit\n";
    ASSERT_EQ(run("tortamos-springboard", "XDG_RUNTIME_DIR='" + package.root().string() +
                                              "' QT_QPA_PLATFORM=offscreen "
                                              "UIKIT_AUTOMATION='" +
                                              script.string() + "'"),
              0)
        << said;
    EXPECT_NE(said.find("tortamos-springboard: no D-Bus session bus"), std::string::npos) << said;
    EXPECT_EQ(said.find("not loaded"), std::string::npos) << said;
    EXPECT_NE(read_file(package.root() / "home-screen.json").find("\"Tortamos\""),
              std::string::npos);

    // Elsewhere when the user names another folder.
    ASSERT_EQ(
        run("tortamos-contacts list", "XDG_DATA_HOME='" + package.path("/data").string() + "'"), 0)
        << said;
    EXPECT_EQ(
        settings_table(package.path("/data/tortamos/device" + std::string(kSettingsFile))).at(1),
        kCurrentLayout);
    // A relative XDG_DATA_HOME is no folder of the standard's; the default holds.
    ASSERT_EQ(run("tortamos-contacts list", "XDG_DATA_HOME=relative"), 0) << said;
    EXPECT_TRUE(fs::exists(in_device(kStamp)));
    ASSERT_EQ(run("tortamos-contacts list", "DEVICE_ROOT='" + package.path("/own").string() + "'"),
              0)
        << said;
    EXPECT_EQ(read_file(package.path("/own" + kStamp)), version);

    // A package upgrade: the upgrade step runs once, at the next start.
    const std::string older =
        "DROP TABLE Settings; CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
        "INSERT INTO Settings VALUES (0, 1);";
    ASSERT_TRUE(settings_exec(in_device(kSettingsFile), older));

    // The same version: no upgrade step, the file stays as it is.
    ASSERT_EQ(run("tortamos-contacts list"), 0) << said;
    EXPECT_EQ(settings_table(in_device(kSettingsFile)).at(1), "0|1");

    // A device of an older version: its settings file is brought up to date, keeping the user's
    // choices, the programs linked again, and the stamp moved on.
    std::ofstream(in_device(kStamp)) << "1.0.0\n";
    fs::remove(in_device("/var/mobile/Library/Tortamos/trick.aif"));
    ASSERT_EQ(run("tortamos-contacts list"), 0) << said;
    EXPECT_EQ(settings_table(in_device(kSettingsFile)).at(1), "0|1|0|1|1|11|0|0");
    EXPECT_TRUE(fs::is_symlink(in_device("/var/mobile/Library/Tortamos/trick.aif")));
    EXPECT_EQ(read_file(in_device(kStamp)), version);
}

TEST_F(Launcher, RefusesAFolderItCannotUseAndChangesNothing)
{
    const auto refused = [&](const std::string& message, const std::string& environment = "",
                             const fs::path& untouched = {}) {
        const fs::path& watched = untouched.empty() ? home : untouched;
        const auto before = snapshot(watched);
        EXPECT_EQ(run("tortamos-contacts list", environment), 1) << said;
        EXPECT_NE(said.find(message), std::string::npos) << said;
        EXPECT_EQ(snapshot(watched), before);
    };

    // A folder of something else.
    fs::create_directories(device);
    std::ofstream(device / "notes.txt") << "mine\n";
    refused("is not a Tortamos device");
    fs::remove_all(device);

    // A device whose settings file, or whose program at the same version, is gone.
    ASSERT_EQ(run("tortamos-contacts list"), 0) << said;
    fs::rename(in_device(kSettingsFile), home / "birthdays.sql");
    refused("is half laid out: var/mobile/Library/Tortamos/birthdays.sql is missing");
    fs::rename(home / "birthdays.sql", in_device(kSettingsFile));
    fs::remove(in_device("/Library/DynamicLibraries/Tortamos.dylib"));
    refused("is half laid out: Library/DynamicLibraries/Tortamos.dylib is missing");

    fs::permissions(device, fs::perms::others_write, fs::perm_options::add);
    refused("other users can write");
    fs::permissions(device, fs::perms::others_write, fs::perm_options::remove);

    // Another user's device, even an empty folder.
    ASSERT_EQ(::chown(device.c_str(), 65534, 65534), 0);
    refused("not to you");
    fs::remove_all(device);
    fs::create_directories(device);
    ASSERT_EQ(::chown(device.c_str(), 65534, 65534), 0);
    refused("not to you");
    fs::remove_all(device);

    // A device where another user could swap it for theirs between the checks and the start:
    // in a folder that others can write, or one that belongs to another user. A sticky folder
    // (only an entry's owner may move it) is no such place.
    const fs::path shared = package.path("/shared");
    const std::string in_shared = "DEVICE_ROOT='" + (shared / "device").string() + "'";
    fs::create_directories(shared / "device");
    fs::permissions(shared, fs::perms::all);
    refused("which other users can write", in_shared, shared);
    ASSERT_EQ(::chown(shared.c_str(), 65534, 65534), 0);
    fs::permissions(shared, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    refused("which belongs to", in_shared, shared);
    ASSERT_EQ(::chown(shared.c_str(), ::getuid(), ::getgid()), 0);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    EXPECT_EQ(run("tortamos-contacts list", in_shared), 0) << said;
    // A folder name ending in a line break, which the shell's $(dirname ...) drops: the checks
    // would look at "shared" while the device lies in a folder that others can write.
    const fs::path broken = package.path("/shared\n");
    fs::create_directories(broken / "device");
    fs::permissions(broken, fs::perms::all);
    refused("holds a line break", "DEVICE_ROOT='" + (broken / "device").string() + "'", broken);

    // Laying out stops at the first failure and leaves no half device (a settings tool that fails).
    fs::create_directories(home / "bin");
    std::ofstream(home / "bin/sqlite3") << "#!/bin/sh\nexit 1\n";
    fs::permissions(home / "bin/sqlite3", fs::perms::owner_all);
    EXPECT_EQ(run("tortamos-contacts list",
                  "PATH='" + (home / "bin").string() + ":" + std::getenv("PATH") + "'"),
              1);
    EXPECT_NE(said.find("cannot make the settings file"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(device.parent_path() / "device"));
    for (const auto& entry : fs::directory_iterator(device.parent_path()))
        ADD_FAILURE() << "left over from laying out: " << entry.path();
    fs::remove_all(home / "bin");

    // A user who cannot write the folder the device would go in.
    fs::permissions(package.root(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const auto untouched = snapshot(home);
    ASSERT_EQ(
        run_command("setpriv --reuid=65534 --regid=65534 --clear-groups " +
                    package.command("HOME='" + home.string() + "'", "tortamos-contacts list") +
                    " 2>'" + (package.root() / "stderr").string() + "' >/dev/null"),
        1);
    const std::string message = read_file(package.root() / "stderr");
    EXPECT_NE(message.find("tortamos-contacts: cannot lay out a device in " + home.string()),
              std::string::npos)
        << message;
    EXPECT_EQ(snapshot(home), untouched);

    // The launcher run by any other name.
    EXPECT_EQ(run_command(package.path("/usr/lib/tortamos/launch").string() + " 2>/dev/null"), 2);
}

} // namespace
