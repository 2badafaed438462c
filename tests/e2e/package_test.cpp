// The Debian package: built with CPack and installed by dpkg into a temporary root, where its
// files, their library search paths, its desktop entries and its removal are checked.
#include "InstalledPackage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The standard output of a command line.
std::string output_of(const std::string& command_line)
{
    std::string out;
    if (FILE* pipe = ::popen(command_line.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

bool is_elf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    return in && std::string(magic, 4) == "\x7f"
                                          "ELF";
}

class Package : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(package.installed()) << read_file(package.log()); }
    // Where a link of the installed machine leads, as a path of that machine.
    fs::path target(std::string_view link) const
    {
        return "/" / fs::relative(fs::weakly_canonical(package.path(link)), package.root());
    }

    void puts_everything_under_usr_and_the_autostart_folder()
    {
        std::set<std::string> tops;
        std::istringstream listing(
            output_of("dpkg-deb --fsys-tarfile '" + package.deb().string() + "' | tar -t"));
        for (std::string line; std::getline(listing, line);) {
            if (line == "./")
                continue;
            tops.insert(line.substr(2, line.find('/', 2) - 2));
            if (line.rfind("./etc/", 0) == 0) {
                EXPECT_TRUE(line == "./etc/" || line == "./etc/xdg/" ||
                            line.rfind("./etc/xdg/autostart/", 0) == 0)
                    << line;
            }
        }
        EXPECT_EQ(tops, (std::set<std::string>{"etc", "usr"}));

        const std::string image = "/usr/lib/tortamos/device";
        for (const std::string& file :
             {image + "/Applications/Tortamos.app/Tortamos",
              image + "/Applications/Tortamos.app/TortamosApplication.so",
              image + "/Applications/Tortamos.app/Info.plist",
              image + "/Applications/Tortamos.app/contact.png",
              image + "/Applications/Tortamos.app/locale/pt/LC_MESSAGES/Localizable.mo",
              image + "/Applications/Contacts.app/Contacts",
              image + "/Applications/Contacts.app/ContactsApplication.so",
              image + "/Applications/Contacts.app/Info.plist",
              image + "/Applications/Contacts.app/icon.png",
              image + "/System/Library/CoreServices/SpringBoard.app/SpringBoard",
              image + "/System/Library/CoreServices/SpringBoard.app/Info.plist",
              image + "/System/Library/CoreServices/SystemVersion",
              image + "/System/Library/Frameworks/UIKit.framework/UIKit",
              image + "/System/Library/Frameworks/UIKit.framework/locale/pt/LC_MESSAGES/"
                      "Localizable.mo",
              image + "/Library/DynamicLibraries/Tortamos.dylib",
              image + "/var/mobile/Library/Tortamos/birthday.wav",
              image + "/var/mobile/Library/Tortamos/trick.aif",
              std::string("/usr/lib/tortamos/launch"),
              std::string("/usr/lib/tortamos/bin/contacts"),
              std::string("/usr/lib/tortamos/lib/libos_uikit.so"),
              std::string("/usr/share/applications/tortamos.desktop"),
              std::string("/usr/share/applications/tortamos-springboard.desktop"),
              std::string("/usr/share/applications/tortamos-contacts-app.desktop"),
              std::string("/usr/share/icons/hicolor/128x128/apps/tortamos-contacts-app.png"),
              std::string("/etc/xdg/autostart/tortamos-springboard.desktop"),
              std::string("/usr/share/icons/hicolor/16x16/apps/tortamos.png"),
              std::string("/usr/share/icons/hicolor/64x64/apps/tortamos.png"),
              std::string("/usr/share/icons/hicolor/512x512/apps/tortamos.png"),
              std::string("/usr/share/icons/hicolor/scalable/apps/tortamos.svg"),
              image + "/System/Library/CoreServices/SpringBoard.app/icon.png",
              std::string("/usr/share/man/man1/tortamos.1.gz"),
              std::string("/usr/share/doc/tortamos/copyright"),
              std::string("/usr/share/doc/tortamos/changelog.gz")})
            EXPECT_TRUE(fs::is_regular_file(package.path(file))) << file;
        EXPECT_FALSE(fs::exists(package.path(image + kSettingsFile)))
            << "the package must not ship user data";

        EXPECT_EQ(target(image + "/System/Library/Frameworks/UIKit.framework/UIKit"),
                  "/usr/lib/tortamos/lib/libSpringBoardServices.so");
        for (const char* command :
             {"tortamos", "tortamos-springboard", "tortamos-contacts", "tortamos-contacts-app"}) {
            EXPECT_EQ(target(std::string("/usr/bin/") + command), "/usr/lib/tortamos/launch")
                << command;
            EXPECT_TRUE(
                fs::exists(package.path(std::string("/usr/share/man/man1/") + command + ".1.gz")))
                << command;
        }
        // A user's device is laid out by the commands; the package runs no script as root.
        for (const char* script : {"preinst", "postinst", "prerm", "postrm"})
            EXPECT_FALSE(
                fs::exists(package.path(std::string("/var/lib/dpkg/info/tortamos.") + script)))
                << script;
    }

    void has_desktop_entries_for_the_commands_and_the_login()
    {
        const std::string application =
            read_file(package.path("/usr/share/applications/tortamos.desktop"));
        EXPECT_NE(application.find("\nExec=tortamos\n"), std::string::npos) << application;
        EXPECT_NE(application.find("\nIcon=tortamos\n"), std::string::npos) << application;
        const std::string contacts =
            read_file(package.path("/usr/share/applications/tortamos-contacts-app.desktop"));
        // A .vcf opened from the file manager starts the Contacts application with the file.
        for (const char* line :
             {"\nExec=tortamos-contacts-app %f\n", "\nMimeType=text/vcard;text/x-vcard;\n"})
            EXPECT_NE(contacts.find(line), std::string::npos) << contacts;
        EXPECT_NE(contacts.find("\nIcon=tortamos-contacts-app\n"), std::string::npos) << contacts;
        const std::string autostart =
            read_file(package.path("/etc/xdg/autostart/tortamos-springboard.desktop"));
        EXPECT_NE(autostart.find("\nExec=tortamos-springboard --background\n"), std::string::npos)
            << autostart;
        // Once the package is removed (its autostart entry stays as a configuration file), the
        // login starts nothing; the docks match the windows to the entries.
        EXPECT_NE(autostart.find("\nTryExec=tortamos-springboard\n"), std::string::npos)
            << autostart;
        EXPECT_NE(autostart.find("\nStartupWMClass=Tortamos Home Screen\n"), std::string::npos)
            << autostart;
        EXPECT_NE(application.find("\nStartupWMClass=Tortamos\n"), std::string::npos)
            << application;
        const std::string status = read_file(package.path("/var/lib/dpkg/status"));
        EXPECT_NE(status.find("Conffiles:\n /etc/xdg/autostart/tortamos-springboard.desktop "),
                  std::string::npos)
            << status;
    }

    void searches_only_the_installed_library_folder()
    {
        int elf_files = 0;
        for (const auto& entry :
             fs::recursive_directory_iterator(package.path("/usr/lib/tortamos"))) {
            if (!entry.is_regular_file() || entry.is_symlink() || !is_elf(entry.path()))
                continue;
            ++elf_files;
            const std::string dynamic = output_of("readelf -d '" + entry.path().string() + "'");
            EXPECT_EQ(dynamic.find(TORTAMOS_BUILD_DIR), std::string::npos)
                << entry.path() << dynamic;
            std::istringstream lines(dynamic);
            for (std::string line; std::getline(lines, line);) {
                const bool search_path = line.find("(RUNPATH)") != std::string::npos ||
                                         line.find("(RPATH)") != std::string::npos;
                EXPECT_TRUE(!search_path ||
                            line.find("[/usr/lib/tortamos/lib]") != std::string::npos)
                    << entry.path() << line;
            }
        }
        // The application, the home screen, the agent, the contacts tool and notifyutil, the
        // libraries.
        EXPECT_GE(elf_files, 12);
        for (const char* program :
             {"/usr/lib/tortamos/device/Applications/Tortamos.app/Tortamos",
              "/usr/lib/tortamos/device/Library/DynamicLibraries/Tortamos.dylib",
              "/usr/lib/tortamos/lib/libSpringBoardServices.so"})
            EXPECT_NE(output_of("readelf -d '" + package.path(program).string() + "'")
                          .find("Library runpath: [/usr/lib/tortamos/lib]"),
                      std::string::npos)
                << program;
    }

    void passes_lintian_and_the_desktop_entry_check()
    {
        const std::string entries =
            output_of("desktop-file-validate " + package.path("/usr/share/applications").string() +
                      "/*.desktop " +
                      package.path("/etc/xdg/autostart/tortamos-springboard.desktop").string() +
                      " 2>&1; echo status $?");
        EXPECT_EQ(entries, "status 0\n");
        const std::string report = output_of("lintian --fail-on error,warning '" +
                                             package.deb().string() + "' 2>&1; echo status $?");
        EXPECT_NE(report.find("status 0\n"), std::string::npos) << report;
        EXPECT_EQ(report.find("E: "), std::string::npos) << report;
        EXPECT_EQ(report.find("W: "), std::string::npos) << report;
    }

    InstalledPackage package;
};

TEST_F(Package, InstallsAsADebianMaintainerWouldHaveIt)
{
    puts_everything_under_usr_and_the_autostart_folder();
    has_desktop_entries_for_the_commands_and_the_login();
    searches_only_the_installed_library_folder();
    passes_lintian_and_the_desktop_entry_check();
}

TEST_F(Package, RemovalTakesTheProgramsAndPurgeTheAutostartEntry)
{
    ASSERT_EQ(package.dpkg("-r tortamos"), 0) << read_file(package.log());
    for (const char* gone :
         {"/usr/lib/tortamos", "/usr/bin/tortamos", "/usr/share/applications/tortamos.desktop"})
        EXPECT_FALSE(fs::exists(package.path(gone))) << gone;
    EXPECT_TRUE(fs::exists(package.path("/etc/xdg/autostart/tortamos-springboard.desktop")));
    ASSERT_EQ(package.dpkg("-P tortamos"), 0) << read_file(package.log());
    EXPECT_FALSE(fs::exists(package.path("/etc/xdg/autostart/tortamos-springboard.desktop")));
}

// An empty entry in a search path is the current folder: a program run from the build tree
// would then load a library planted wherever it was started.
TEST(BuiltPrograms, NeverSearchTheFolderTheyAreStartedIn)
{
    int elf_files = 0;
    for (const char* folder : {"lib", "bin", "Tortamos.app", "Contacts.app", "SpringBoard.app"}) {
        const fs::path dir = fs::path(TORTAMOS_BUILD_DIR) / folder;
        if (!fs::is_directory(dir))
            continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (!entry.is_regular_file() || !is_elf(entry.path()))
                continue;
            ++elf_files;
            const std::string dynamic = output_of("readelf -d '" + entry.path().string() + "'");
            for (const char* empty_entry : {"[:", "::", ":]"})
                EXPECT_EQ(dynamic.find(empty_entry), std::string::npos) << entry.path() << dynamic;
        }
    }
    EXPECT_GE(elf_files, 12);
}

} // namespace
