#include "foundation/CommandLine.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace os {

bool answered_help_or_version(int argc, char** argv, std::string_view usage)
{
    if (argc != 2)
        return false;
    const std::string_view option = argv[1];
    if (option == "--help") {
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return true;
    }
    if (option == "--version") {
        const std::string name = std::filesystem::path(argv[0]).filename().string();
        std::printf("%s %s\n", name.c_str(), TORTAMOS_VERSION);
        return true;
    }
    return false;
}

} // namespace os
