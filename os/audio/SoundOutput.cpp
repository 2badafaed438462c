#include "SoundOutput.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <thread>

namespace audio {
namespace {

// ALSA prints its own complaints (no card, no configuration) on standard error; a system sound
// that cannot play is not worth a message.
void quiet_alsa_errors(const char*, int, const char*, int, const char*, ...) {}

constexpr int kMaxPlaying = 8;
std::atomic<int> playing{0};

void play(const DecodedSound& sound)
{
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(sound.channels),
                           static_cast<unsigned>(sound.sampleRate), 1, 200000) == 0) {
        const int16_t* next = sound.samples.data();
        snd_pcm_uframes_t left = sound.samples.size() / sound.channels;
        while (left > 0) {
            snd_pcm_sframes_t written = snd_pcm_writei(pcm, next, left);
            if (written < 0)
                written = snd_pcm_recover(pcm, static_cast<int>(written), 1);
            if (written < 0)
                break;
            next += written * sound.channels;
            left -= static_cast<snd_pcm_uframes_t>(written);
        }
        snd_pcm_drain(pcm);
    }
    snd_pcm_close(pcm);
}

} // namespace

void play_in_background(std::shared_ptr<const DecodedSound> sound)
{
    static const bool quieted = (snd_lib_error_set_handler(quiet_alsa_errors), true);
    (void)quieted;
    if (playing.fetch_add(1) >= kMaxPlaying) {
        playing.fetch_sub(1);
        return;
    }
    std::thread([sound = std::move(sound)] {
        play(*sound);
        playing.fetch_sub(1);
    }).detach();
}

} // namespace audio
