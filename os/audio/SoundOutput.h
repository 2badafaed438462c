#pragma once
// The device's sound output (ALSA's default device).
#include "SoundFile.h"

#include <memory>

namespace audio {

// Plays the sound once on a thread of its own and returns at once. Without a usable output
// device nothing is heard and nothing is reported.
void play_in_background(std::shared_ptr<const DecodedSound> sound);

} // namespace audio
