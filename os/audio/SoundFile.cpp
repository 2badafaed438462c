#include "SoundFile.h"

#include <sndfile.h>

namespace audio {

std::optional<DecodedSound> decode_sound_file(const std::filesystem::path& file, double max_seconds)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt; // never wait on a pipe
    SF_INFO info{};
    SNDFILE* handle = sf_open(file.c_str(), SFM_READ, &info);
    if (handle == nullptr)
        return std::nullopt;
    const bool sane = info.channels >= 1 && info.channels <= 8 && info.samplerate >= 1000 &&
                      info.samplerate <= 384000 && info.frames > 0 &&
                      static_cast<double>(info.frames) <= max_seconds * info.samplerate;
    std::optional<DecodedSound> sound;
    if (sane) {
        DecodedSound decoded{info.channels, info.samplerate, {}};
        decoded.samples.resize(static_cast<size_t>(info.frames) * info.channels);
        const sf_count_t read = sf_readf_short(handle, decoded.samples.data(), info.frames);
        if (read > 0) {
            decoded.samples.resize(static_cast<size_t>(read) * info.channels);
            sound = std::move(decoded);
        }
    }
    sf_close(handle);
    return sound;
}

} // namespace audio
