#pragma once
// The extensions of the home screen: every "*.dylib" file in the device's Library/DynamicLibraries,
// loaded in order of their names, each one's initialiser running as it loads. A file that does
// not load is logged and skipped. Libraries stay loaded for the life of the process.
#include <filesystem>

namespace springboard {

// Returns how many libraries loaded.
int load_extensions(const std::filesystem::path& folder);

} // namespace springboard
