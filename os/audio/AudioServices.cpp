#include "audio/AudioServices.h"

#include "AudioBackend.h"
#include "foundation/Device.h"
#include "foundation/Journal.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

// The platform refuses system sounds longer than this.
constexpr double kMaxSeconds = 30.0;

struct SystemSound {
    std::string path;
    std::shared_ptr<const audio::DecodedSound> data;
};

struct SoundTable {
    std::mutex mutex;
    std::map<SystemSoundID, SystemSound> sounds;
    SystemSoundID next = 4096;
};

SoundTable& table()
{
    static auto* sounds = new SoundTable; // never destroyed: playback threads may outlive main
    return *sounds;
}

} // namespace

OSStatus AudioServicesCreateSystemSoundID(std::string_view devicePath,
                                          SystemSoundID* outSystemSoundID)
{
    if (outSystemSoundID == nullptr)
        return kAudioServicesSystemSoundUnspecifiedError;
    *outSystemSoundID = 0;
    const audio::Backend* backend = audio::backend();
    if (backend == nullptr)
        return kAudioServicesSystemSoundUnspecifiedError;
    auto decoded = backend->decode(os::device_path(devicePath), kMaxSeconds);
    if (!decoded)
        return kAudioServicesSystemSoundUnspecifiedError;
    auto& t = table();
    std::lock_guard lock(t.mutex);
    const SystemSoundID id = t.next++;
    t.sounds.emplace(id,
                     SystemSound{std::string(devicePath),
                                 std::make_shared<const audio::DecodedSound>(std::move(*decoded))});
    *outSystemSoundID = id;
    return kAudioServicesNoError;
}

void AudioServicesPlaySystemSound(SystemSoundID sound)
{
    SystemSound found;
    {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        const auto it = t.sounds.find(sound);
        if (it == t.sounds.end())
            return;
        found = it->second;
    }
    os::journal("sound " + found.path);
    // A sound exists only once decoded, so the backend is loaded by now.
    audio::backend()->play(std::move(found.data));
}

OSStatus AudioServicesDisposeSystemSoundID(SystemSoundID sound)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    return t.sounds.erase(sound) == 1 ? kAudioServicesNoError
                                      : kAudioServicesSystemSoundUnspecifiedError;
}
