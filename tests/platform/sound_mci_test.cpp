#include <gtest/gtest.h>

#include "shell/shell.h"
#include "sound/sound.h"
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
        CloseWaveMci();
        SoundPlaying = 0;
    }
};

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
        EXPECT_NE(CloseWaveMci(), 0u) << "the notice has closed the device already";
        EXPECT_EQ(CapturedSince(before, c.capture), samples);
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

TEST_F(SoundMci, APlayWhileOnePlaysIsIgnoredAndClosingStopsIt)
{
    const std::string longer = WriteTestFile("mci-long.wav", ToneFile({1, 1, 22050, 16}, 20));
    const std::string other = WriteTestFile("mci-other.wav", ToneFile({1, 1, 8000, 8}, 0.2));
    const CaptureSnapshot before = TakeCaptureSnapshot();
    PlayWaveMci(longer.c_str());
    ASSERT_EQ(SoundPlaying, 1);
    PlayWaveMci(other.c_str());
    PlayWaveMci(nullptr);
    EXPECT_EQ(SoundPlaying, 1);
    const DWORD start = GetTickCount();
    EXPECT_EQ(CloseWaveMci(), 0u);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(SoundPlaying, 0);
    EXPECT_TRUE(CapturedSince(before, "8000-1-8").empty()) << "the second file must not play";
}

// A close with no device open fails and leaves the flag to the player that set it.
TEST_F(SoundMci, ACloseWithNothingOpenLeavesTheFlagAlone)
{
    SoundPlaying = 1;
    EXPECT_NE(CloseWaveMci(), 0u);
    EXPECT_EQ(SoundPlaying, 1);
}
