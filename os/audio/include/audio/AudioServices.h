#pragma once
// System sounds: short sound files (WAV, AIFF and whatever else libsndfile reads, at most 30
// seconds) created once, played on the device's sound output without blocking the caller, and
// disposed. A file that is missing or does not decode gives no sound; playing an identifier that
// names no sound does nothing; no sound device means silence. Nothing here ever fails loudly.
//
// Every play of a sound is the journal line "sound PATH", with the device path the sound was
// created from.
//
// Thread: any. Playback runs on a thread of its own and keeps its samples alive, so a sound may be
// disposed while it plays.
#include <cstdint>
#include <string_view>

using SystemSoundID = uint32_t;
using OSStatus = int32_t;

inline constexpr OSStatus kAudioServicesNoError = 0;
inline constexpr OSStatus kAudioServicesSystemSoundUnspecifiedError = -1500;

// Decodes the sound file at the device path ("/var/mobile/Library/Tortamos/birthday.wav") and
// stores its new identifier in *outSystemSoundID. On failure stores 0 and returns an error.
OSStatus AudioServicesCreateSystemSoundID(std::string_view devicePath,
                                          SystemSoundID* outSystemSoundID);

void AudioServicesPlaySystemSound(SystemSoundID sound);

OSStatus AudioServicesDisposeSystemSoundID(SystemSoundID sound);
