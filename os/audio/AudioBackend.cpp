#include "AudioBackend.h"

#include "SoundOutput.h"

extern "C" __attribute__((visibility("default"))) const audio::Backend* os_audio_backend()
{
    static const audio::Backend backend{audio::decode_sound_file, audio::play_in_background};
    return &backend;
}
