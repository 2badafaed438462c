#include "TempDevice.h"
#include "audio/AudioServices.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace {

constexpr const char* kChime = "/var/mobile/Library/Tortamos/birthday.wav";
constexpr const char* kTick = "/var/mobile/Library/Tortamos/trick.aif";

// Writes a sine tone of the given length in the given container.
void write_tone(const std::filesystem::path& file, int format, double seconds)
{
    std::filesystem::create_directories(file.parent_path());
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
    std::vector<short> samples(static_cast<size_t>(seconds * info.samplerate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(8000 * std::sin(double(i) * 0.3));
    sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(out);
}

void write_bytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(SystemSound, WavAndAiffPlayOnceEachAndWriteTheDevicePathToTheJournal)
{
    TempDevice device;
    write_tone(device.path(kChime), SF_FORMAT_WAV, 0.2);
    write_tone(device.path(kTick), SF_FORMAT_AIFF, 0.05);

    SystemSoundID chime = 0, tick = 0;
    ASSERT_EQ(AudioServicesCreateSystemSoundID(kChime, &chime), kAudioServicesNoError);
    ASSERT_EQ(AudioServicesCreateSystemSoundID(kTick, &tick), kAudioServicesNoError);
    EXPECT_NE(chime, 0u);
    EXPECT_NE(chime, tick);
    EXPECT_EQ(device.journal(), "") << "creating a sound plays nothing";

    AudioServicesPlaySystemSound(chime);
    AudioServicesPlaySystemSound(tick);
    AudioServicesPlaySystemSound(chime);
    const std::string journal = device.journal();
    EXPECT_EQ(count(journal, " sound /var/mobile/Library/Tortamos/birthday.wav\n"), 2u) << journal;
    EXPECT_EQ(count(journal, " sound /var/mobile/Library/Tortamos/trick.aif\n"), 1u) << journal;

    EXPECT_EQ(AudioServicesDisposeSystemSoundID(chime), kAudioServicesNoError);
    EXPECT_EQ(AudioServicesDisposeSystemSoundID(tick), kAudioServicesNoError);
}

TEST(SystemSound, DisposedOrUnknownIdentifiersPlayNothing)
{
    TempDevice device;
    write_tone(device.path(kTick), SF_FORMAT_AIFF, 0.05);
    SystemSoundID tick = 0;
    ASSERT_EQ(AudioServicesCreateSystemSoundID(kTick, &tick), kAudioServicesNoError);
    AudioServicesPlaySystemSound(tick); // still playing while it is disposed
    EXPECT_EQ(AudioServicesDisposeSystemSoundID(tick), kAudioServicesNoError);
    EXPECT_NE(AudioServicesDisposeSystemSoundID(tick), kAudioServicesNoError);
    AudioServicesPlaySystemSound(tick);
    AudioServicesPlaySystemSound(0);
    AudioServicesPlaySystemSound(123456);
    EXPECT_EQ(count(device.journal(), " sound "), 1u);
}

TEST(SystemSound, FilesThatDoNotDecodeGiveNoSoundAndNoJournalLine)
{
    TempDevice device;
    write_bytes(device.path("/sounds/garbage.wav"),
                "RIFF\x10\0\0\0WAVEfmt garbage that is no sound");
    write_bytes(device.path("/sounds/empty.aif"), "");
    std::filesystem::create_directories(device.path("/sounds/folder.wav"));
    write_tone(device.path("/sounds/long.wav"), SF_FORMAT_WAV, 31.0);
    write_tone(device.path("/sounds/good.wav"), SF_FORMAT_WAV, 0.1);
    std::string truncated;
    {
        std::ifstream in(device.path("/sounds/good.wav"), std::ios::binary);
        truncated.assign(std::istreambuf_iterator<char>(in), {});
        truncated.resize(40);
    }
    write_bytes(device.path("/sounds/truncated.wav"), truncated);

    for (const char* path : {"/sounds/missing.wav", "/sounds/garbage.wav", "/sounds/empty.aif",
                             "/sounds/folder.wav", "/sounds/long.wav", "/sounds/truncated.wav"}) {
        SystemSoundID sound = 99;
        EXPECT_NE(AudioServicesCreateSystemSoundID(path, &sound), kAudioServicesNoError) << path;
        EXPECT_EQ(sound, 0u) << path;
        AudioServicesPlaySystemSound(sound);
    }
    EXPECT_NE(AudioServicesCreateSystemSoundID(kChime, nullptr), kAudioServicesNoError);
    EXPECT_EQ(device.journal(), "");
}

} // namespace
