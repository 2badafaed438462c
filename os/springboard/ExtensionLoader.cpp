#include "ExtensionLoader.h"

#include "foundation/Log.h"

#include <dlfcn.h>

#include <algorithm>
#include <vector>

namespace springboard {

int load_extensions(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> libraries;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        // Only "*.dylib": a kept copy ("Tortamos.dylib.orig") or the half-installed one that an
        // interrupted install leaves ("Tortamos.dylib.new") must not load beside the real one.
        if (entry.path().extension() == ".dylib" && entry.is_regular_file(error))
            libraries.push_back(entry.path());
    std::sort(libraries.begin(), libraries.end());

    int loaded = 0;
    for (const auto& library : libraries) {
        if (dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL) == nullptr) {
            NSLog("SpringBoard: extension %s not loaded: %s", library.filename().c_str(),
                  dlerror());
            continue;
        }
        ++loaded;
    }
    return loaded;
}

} // namespace springboard
