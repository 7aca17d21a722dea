#include <gtest/gtest.h>

#include "shell/shell.h"
#include "sound/sound.h"
#include "sound/stream_math.h"
#include "sound_harness.h"
#include "wave_files.h"

namespace {

class SoundMci : public ::testing::Test {
protected:
    void SetUp() override
    {
        MainWindow = SoundTestWindow();
        ASSERT_EQ(SoundPlaying, 0);
    }
    void TearDown() override
    {
        StopPlay();
        SoundPlaying = 0;
    }
};

// The capture of one play: every frame of the data chunk once and in order, with nothing
// between or after them but silence. Wine's ALSA driver writes a period of silence (10 ms)
// whenever the device holds none of its data and it has less than a period to give: on a
// busy machine that happens in the middle of a sound and after its last sample.
::testing::AssertionResult DataWithSilence(const std::string& captured, const std::string& data,
                                           char silence, size_t frame)
{
    auto silent = [&](size_t at) {
        return captured.find_first_not_of(silence, at) >= at + frame;
    };
    size_t in = 0;
    size_t out = 0;
    while (in < data.size()) {
        if (out + frame > captured.size())
            return ::testing::AssertionFailure() << "the capture (" << captured.size()
                   << " bytes) ends after " << in << " of the " << data.size() << " data bytes";
        if (captured.compare(out, frame, data, in, frame) == 0) {
            in += frame;
            out += frame;
            continue;
        }
        // A frame that is not the data's next one must be the start of an underrun's
        // silence; the data goes on where that silence ends.
        if (!silent(out))
            return ::testing::AssertionFailure() << "data byte " << in << " is captured as byte "
                   << out << " with other sound";
        while (out + frame <= captured.size() && silent(out)) out += frame;
    }
    for (; out < captured.size(); out += frame)
        if (!silent(out))
            return ::testing::AssertionFailure() << "byte " << out << " after the data is not silence";
    return ::testing::AssertionSuccess();
}

}  // namespace

// The device writes the file's own format unchanged, so the capture is the data chunk.
TEST_F(SoundMci, PlaysTheWholeFileOnceAndClosesOnTheNotice)
{
    struct Case {
        const char* name;
        WaveFormat format;
        const char* capture;
    } cases[] = {
        {"8-bit mono 11025 Hz", {1, 1, 11025, 8}, "11025-1-8-U8"},
        {"16-bit stereo 44100 Hz", {1, 2, 44100, 16}, "44100-2-16-S16_LE"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string samples = ToneSamples(c.format, 0.5, 440);
        const std::string path = WriteTestFile(
            "mci" + std::to_string(n++) + ".wav",
            RiffFile(Chunk("fmt ", FormatBody(c.format)) + Chunk("data", samples)));
        const CaptureSnapshot before = TakeCaptureSnapshot();
        PlayWaveMci(path.c_str());
        EXPECT_EQ(SoundPlaying, 1);
        ASSERT_TRUE(WaitUntilQuiet(10000)) << "no notice closed the device";
        EXPECT_EQ(StopPlay(), 0u) << "the notice has closed the device already";
        EXPECT_TRUE(DataWithSilence(CapturedSince(before, c.capture), samples,
                                    static_cast<char>(SilenceByte(c.format.bits)),
                                    c.format.blockAlign()));
    }
}

// The device only says it could not open a file; the player says why in the reader's
// terms, so a dropped file is told in the same words whichever player takes it.
TEST_F(SoundMci, AFileTheDeviceCannotOpenSaysWhyAndLeavesTheNextPlayFree)
{
    const std::string good = WriteTestFile("mci-good.wav", ToneFile({1, 1, 11025, 8}, 0.2));
    struct Case {
        const char* name;
        std::string path;
        SoundFailure failure;
    } cases[] = {
        {"missing file", TestWaveDir() + "\\mci-missing.wav", SoundFailure::NotOpened},
        {"not a WAVE file", WriteTestFile("mci-text.wav", "just some text, not sound"), SoundFailure::NotWave},
        {"empty file", WriteTestFile("mci-empty.wav", ""), SoundFailure::Unreadable},
        // The device's own chunk search would go round for ever on this one.
        {"a chunk size that leads back",
         WriteTestFile("mci-loop.wav", RiffFile(Chunk("LIST", std::string("odd", 4), 0xFFFFFFF7) +
                                                Chunk("fmt ", FormatBody({1, 1, 11025, 8})) +
                                                Chunk("data", std::string(100, '\x80')))),
         SoundFailure::Unreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundFailure failure = SoundFailure::None;
        EXPECT_FALSE(PlayWaveMci(c.path.c_str(), &failure));
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(SoundPlaying, 0);
        EXPECT_TRUE(PlayWaveMci(good.c_str(), &failure));
        EXPECT_EQ(failure, SoundFailure::None);
        EXPECT_EQ(SoundPlaying, 1);
        EXPECT_FALSE(PlayWaveMci(good.c_str(), &failure));
        EXPECT_EQ(failure, SoundFailure::Busy);
        EXPECT_TRUE(WaitUntilQuiet(10000));
    }
}

// So is a late notice of an earlier play, which names the device now playing under Wine.
TEST_F(SoundMci, APlayWhileOnePlaysIsIgnoredAndClosingStopsIt)
{
    const std::string longer = WriteTestFile("mci-long.wav", ToneFile({1, 1, 22050, 16}, 20));
    const std::string other = WriteTestFile("mci-other.wav", ToneFile({1, 1, 8000, 8}, 0.2));
    const CaptureSnapshot before = TakeCaptureSnapshot();
    PlayWaveMci(longer.c_str());
    ASSERT_EQ(SoundPlaying, 1);
    PlayWaveMci(other.c_str());
    PlayWaveMci(nullptr);
    for (LPARAM device = 1; device < 16; ++device)
        EXPECT_EQ(PlayEnded(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, device), 0u) << device;
    EXPECT_EQ(SoundPlaying, 1);
    const DWORD start = GetTickCount();
    EXPECT_NE(StopPlay(), 0u);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(SoundPlaying, 0);
    EXPECT_TRUE(CapturedSince(before, "8000-1-8").empty()) << "the second file must not play";
}

// A close with no device open fails and leaves the flag to the player that set it.
TEST_F(SoundMci, ACloseWithNothingOpenLeavesTheFlagAlone)
{
    SoundPlaying = 1;
    StopPlay();
    EXPECT_EQ(SoundPlaying, 1);
}
