#pragma once
// The decoders and the sound output live in a library of their own, loaded on the first sound
// rather than at the start of every program that may play one: libsndfile and ALSA bring nine
// libraries, which would cost each start-up their loading.
#include "SoundFile.h"

#include <memory>

namespace audio {

struct Backend {
    std::optional<DecodedSound> (*decode)(const std::filesystem::path& file, double max_seconds);
    void (*play)(std::shared_ptr<const DecodedSound> sound);
};

// The backend, loaded once from the folder of this library; nullptr when it cannot be loaded
// (then there is no sound, as without a sound device).
const Backend* backend();

} // namespace audio

// The one symbol the backend library exports.
extern "C" const audio::Backend* os_audio_backend();
