// Damaged WAVE files, made from good ones by a fixed-seed generator: the reader walks
// each to its end, and both players take each, without a crash, a hang or a sound flag
// left set; a good file plays afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "shell/shell.h"
#include "sound/chunk_chain.h"
#include "sound/sound.h"
#include "sound/wave_reader.h"
#include "sound_harness.h"
#include "wave_files.h"

namespace {

enum class Damage { Truncated, ChunkSizeGarbled, HeaderBytesRandom, FormatFieldsRandom };

std::vector<std::string> GoodFiles()
{
    const WaveFormat mono8{1, 1, 11025, 8}, stereo16{1, 2, 22050, 16}, mono16{1, 1, 8000, 16};
    const WaveFormat stereo8{1, 2, 11025, 8};
    return {
        ToneFile(mono8, 0.15),
        RiffFile(Chunk("LIST", "odd") + Chunk("fmt ", FormatBody(stereo16)) +
                 Chunk("data", ToneSamples(stereo16, 0.1, 440))),
        RiffFile(Chunk("data", ToneSamples(mono16, 0.12, 440)) + Chunk("fmt ", FormatBody(mono16))),
        RiffFile(Chunk("fmt ", FormatBody(stereo8, std::string(2, '\0'))) +
                 Chunk("data", ToneSamples(stereo8, 0.1, 440) + "x") + Chunk("cue ", "1234")),
    };
}

// Offsets of every chunk size field in a file built by RiffFile: the RIFF chunk's, then
// each subchunk's in turn.
std::vector<size_t> SizeFields(const std::string& file)
{
    std::vector<size_t> fields{4};
    for (size_t at = 12; at + 8 <= file.size();) {
        fields.push_back(at + 4);
        uint32_t size;
        std::memcpy(&size, file.data() + at + 4, 4);
        at += 8 + size + (size & 1);
    }
    return fields;
}

std::string Damaged(const std::string& good, Damage damage, std::mt19937& random)
{
    std::string file = good;
    auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
    switch (damage) {
    case Damage::Truncated:
        file.resize(below(file.size()));
        break;
    case Damage::ChunkSizeGarbled: {
        const std::vector<size_t> fields = SizeFields(file);
        const size_t at = fields[below(fields.size())];
        uint32_t size;
        std::memcpy(&size, file.data() + at, 4);
        const uint32_t choices[] = {0, 1, 0xFFFFFFFFu, 0x7FFFFFFFu, static_cast<uint32_t>(random()),
                                    size + 1 + static_cast<uint32_t>(below(16)),
                                    size - 1 - static_cast<uint32_t>(below(16))};
        size = choices[below(std::size(choices))];
        std::memcpy(&file[at], &size, 4);
        break;
    }
    case Damage::HeaderBytesRandom: {
        const size_t count = 1 + below(8);
        for (size_t i = 0; i < count; ++i)
            file[below(std::min<size_t>(file.size(), 64))] = static_cast<char>(random());
        break;
    }
    case Damage::FormatFieldsRandom: {
        // The tag stays PCM, so the odd formats reach the player.
        const size_t format = file.find("fmt ") + 8;
        const size_t field = 2 + 2 * below(7);  // channels to bits per sample
        const uint16_t values[] = {0, 1, 2, 3, 7, 8, 16, 24, 0xFFFF, static_cast<uint16_t>(random())};
        const uint16_t value = values[below(std::size(values))];
        std::memcpy(&file[format + field], &value, 2);
        break;
    }
    }
    return file;
}

struct Tally {
    int files = 0;
    int opened = 0;
    int messages = 0;
    int streamed = 0;
    int streamsCutOff = 0;
    int mciPlayed = 0;
    int mciSkipped = 0;
};

// The reader, straight: open, find the data, read it all in blocks. Gives the format
// when the file opened.
WAVEFORMATEX WalkWithReader(const std::string& path, Tally& tally)
{
    WaveSource source{};
    WAVEFORMATEX format{};
    SoundFailure failure = SoundFailure::None;
    const BOOL opened = OpenWaveReader(path.c_str(), &source.file, &source.format, &source.riffChunk,
                                       &failure);
    EXPECT_EQ(opened, failure == SoundFailure::None) << path;
    if (!opened) {
        if (SoundFailureText(failure)) ++tally.messages;
        EXPECT_EQ(source.file, nullptr) << path;
        EXPECT_EQ(source.format, nullptr) << path;
        return format;
    }
    ++tally.opened;
    format = *source.format;
    if (SeekWaveData(source.file, &source.dataChunk, &source.riffChunk)) {
        std::string block(4096, '\0');
        DWORD got = 0;
        for (int reads = 0; reads < 10000; ++reads) {
            const DWORD before = source.dataChunk.cksize;
            const BOOL read = ReadWaveData(source.file, 4096, &block[0], &source.dataChunk, &got);
            EXPECT_LE(got, 4096u);
            EXPECT_EQ(before - source.dataChunk.cksize, std::min<DWORD>(before, 4096)) << path;
            if (!read || got == 0) break;
        }
    }
    CloseWaveReader(&source.file, &source.format);
    return format;
}

// The MCI player hands files to the device unread, and Wine's own waveaudio driver is
// not proof against absurd formats (41474 channels corrupt its heap). Files whose format
// the reader read and finds absurd are left out of the MCI half; the device refuses the
// rest of the broken ones itself.
bool PlausibleForWaveaudio(const WAVEFORMATEX& format)
{
    if (format.wFormatTag == 0) return true;  // the reader refused it before its format
    return format.nChannels >= 1 && format.nChannels <= 8 &&
           (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) &&
           format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
           format.nSamplesPerSec >= 1000 && format.nSamplesPerSec <= 100000;
}

#ifdef _WIN64
// The size the first 'fmt ' chunk states, found by stepping from chunk to chunk by their
// stated sizes as the device does; 0 when the chain ends before one.
uint32_t FormatChunkSize(const std::string& file)
{
    for (uint64_t at = 12; at + 8 <= file.size();) {
        uint32_t size;
        std::memcpy(&size, file.data() + at + 4, 4);
        if (file.compare(static_cast<size_t>(at), 4, "fmt ") == 0) return size;
        at += 8 + uint64_t{size} + (size & 1);
    }
    return 0;
}
#endif

// Wine's 64-bit waveaudio driver allocates the size a 'fmt ' chunk states and reads it
// with mmioRead, whose count is a signed LONG: from 2 GB up the count is negative, and
// mmioRead then copies (size_t)-1 bytes out of its buffer, a fault in ucrtbase's memcpy
// inside MCI_OPEN. The 32-bit driver cannot allocate that much and refuses the file.
// Such files are left out of the MCI half in the 64-bit build when the player would hand
// them to the device (a chain that leads back, as most of them do, it refuses itself).
bool SafeForWaveaudio(const std::string& path, const std::string& file, const WAVEFORMATEX& format)
{
#ifdef _WIN64
    if (FormatChunkSize(file) > 0x7FFFFFFFu && WaveChunksLeadForward(path.c_str())) return false;
#else
    (void)path;
    (void)file;
#endif
    return PlausibleForWaveaudio(format);
}

void PlayThroughBothPlayers(const std::string& path, bool toMci, Tally& tally)
{
    if (PlayWaveStream(path.c_str())) {
        ++tally.streamed;
        // Damaged formats may make long sounds; closing the clock must stop them.
        if (!WaitUntilQuiet(3000)) {
            ++tally.streamsCutOff;
            ReleaseDSound();
            ASSERT_TRUE(InitDSound());
        }
    }
    EXPECT_EQ(SoundPlaying, 0) << path;

    if (!toMci) {
        ++tally.mciSkipped;
        return;
    }
    PlayWaveMci(path.c_str());
    if (SoundPlaying) {
        ++tally.mciPlayed;
        if (!WaitUntilQuiet(3000)) StopPlay();
    }
    EXPECT_EQ(SoundPlaying, 0) << path;
}

void RunDamaged(Damage damage, int count, uint32_t seed)
{
    SoundMessageBoxTestHook = RecordMessage;
    MainWindow = SoundTestWindow();
    ASSERT_TRUE(InitDSound());
    std::mt19937 random(seed);
    const std::vector<std::string> goods = GoodFiles();
    Tally tally;
    for (int i = 0; i < count; ++i) {
        const std::string bytes = Damaged(goods[static_cast<size_t>(i) % goods.size()], damage, random);
        const std::string path = WriteTestFile("damaged" + std::to_string(i) + ".wav", bytes);
        const size_t shown = ShownMessages.size();
        ++tally.files;
        const WAVEFORMATEX format = WalkWithReader(path, tally);
        PlayThroughBothPlayers(path, SafeForWaveaudio(path, bytes, format), tally);
        EXPECT_EQ(ShownMessages.size(), shown) << "the players show nothing themselves: " << path;
        DeleteFileA(path.c_str());
        if (::testing::Test::HasFatalFailure()) return;
    }
    std::printf("damaged files %d: opened %d, messages %d, streamed %d (cut off %d), "
                "MCI played %d (left out %d)\n",
                tally.files, tally.opened, tally.messages, tally.streamed, tally.streamsCutOff,
                tally.mciPlayed, tally.mciSkipped);

    const std::string good = WriteTestFile("after-damaged.wav", goods[0]);
    ASSERT_TRUE(PlayWaveStream(good.c_str())) << "a good file streams after the damaged ones";
    EXPECT_TRUE(WaitUntilQuiet(5000));
    PlayWaveMci(good.c_str());
    EXPECT_EQ(SoundPlaying, 1) << "a good file plays through MCI after the damaged ones";
    EXPECT_TRUE(WaitUntilQuiet(5000));
    ReleaseDSound();
    SoundMessageBoxTestHook = MessageBoxA;
}

}  // namespace

// A thousand damaged files in all, in runs of 125 so each stays well inside its time limit.
TEST(WaveDamaged, TruncatedFiles) { RunDamaged(Damage::Truncated, 125, 20261207); }
TEST(WaveDamaged, MoreTruncatedFiles) { RunDamaged(Damage::Truncated, 125, 8086); }
TEST(WaveDamaged, GarbledChunkSizes) { RunDamaged(Damage::ChunkSizeGarbled, 125, 4417); }
TEST(WaveDamaged, MoreGarbledChunkSizes) { RunDamaged(Damage::ChunkSizeGarbled, 125, 6502); }
TEST(WaveDamaged, RandomHeaderBytes) { RunDamaged(Damage::HeaderBytesRandom, 125, 90125); }
TEST(WaveDamaged, MoreRandomHeaderBytes) { RunDamaged(Damage::HeaderBytesRandom, 125, 68000); }
TEST(WaveDamaged, RandomFormatFields) { RunDamaged(Damage::FormatFieldsRandom, 125, 31337); }
TEST(WaveDamaged, MoreRandomFormatFields) { RunDamaged(Damage::FormatFieldsRandom, 125, 1979); }
