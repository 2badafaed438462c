#pragma once
// A sound file decoded into memory as interleaved 16-bit samples.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace audio {

struct DecodedSound {
    int channels = 0;
    int sampleRate = 0;
    std::vector<int16_t> samples; // interleaved
};

// nullopt for a missing, unreadable or undecodable file, and for one longer than max_seconds.
std::optional<DecodedSound> decode_sound_file(const std::filesystem::path& file,
                                              double max_seconds);

} // namespace audio
