#include "AudioBackend.h"

#include <dlfcn.h>

#include <string>

namespace audio {
namespace {

constexpr const char* kBackendLibrary = "libos_audio_backend.so";

const Backend* load()
{
    Dl_info self{};
    if (dladdr(reinterpret_cast<const void*>(&backend), &self) == 0 || self.dli_fname == nullptr)
        return nullptr;
    const std::filesystem::path library =
        std::filesystem::path(self.dli_fname).parent_path() / kBackendLibrary;
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    const auto entry = reinterpret_cast<const Backend* (*)()>(dlsym(handle, "os_audio_backend"));
    return entry ? entry() : nullptr;
}

} // namespace

const Backend* backend()
{
    static const Backend* const loaded = load();
    return loaded;
}

} // namespace audio
