#pragma once
// Application bundles made on a temporary device.
#include <filesystem>
#include <fstream>
#include <string>

inline void write_bundle(const std::filesystem::path& bundle, const std::string& dict_entries)
{
    std::filesystem::create_directories(bundle);
    std::ofstream(bundle / "Info.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
        << dict_entries << "</dict>\n</plist>\n";
}

inline std::string entry(const std::string& key, const std::string& value)
{
    return "\t<key>" + key + "</key>\n\t<string>" + value + "</string>\n";
}
