#include <gtest/gtest.h>

#include "shell/shell.h"
#include "sound/sound.h"
#include "sound/wave_reader.h"
#include "sound_harness.h"
#include "wave_files.h"

namespace {

const char DirectSoundCapture[] = "48000-2-32-FLOAT_LE";
const double CaptureRate = 48000;

class SoundStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        ShownMessages.clear();
        SoundMessageBoxTestHook = RecordMessage;
        MainWindow = SoundTestWindow();
        ASSERT_TRUE(InitDSound());
        ASSERT_EQ(SoundPlaying, 0);
    }
    void TearDown() override
    {
        ReleaseDSound();
        SoundMessageBoxTestHook = MessageBoxA;
    }
};

}  // namespace

TEST_F(SoundStream, EachFormatPlaysOnceAtItsPitchAndLength)
{
    struct Case {
        const char* name;
        WaveFormat format;
        double seconds;
        double hz;
    } cases[] = {
        {"11025 Hz 16-bit mono, under three seconds", {1, 1, 11025, 16}, 1.0, 440},
        {"22050 Hz 8-bit mono", {1, 1, 22050, 8}, 0.7, 660},
        {"44100 Hz 16-bit stereo", {1, 2, 44100, 16}, 0.8, 880},
        {"11025 Hz 8-bit stereo", {1, 2, 11025, 8}, 0.6, 440},
        {"22050 Hz 16-bit mono, several refills", {1, 1, 22050, 16}, 4.5, 550},
        {"192000 Hz 16-bit stereo", {1, 2, 192000, 16}, 0.8, 1000},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = WriteTestFile("format" + std::to_string(n++) + ".wav",
                                               ToneFile(c.format, c.seconds, c.hz));
        const CaptureSnapshot before = TakeCaptureSnapshot();
        ASSERT_TRUE(PlayWaveStream(path.c_str()));
        EXPECT_EQ(SoundPlaying, 1);
        ASSERT_TRUE(WaitUntilQuiet(20000)) << "the stream never ended";
        EXPECT_TRUE(ShownMessages.empty());

        const std::vector<float> heard =
            FirstChannel(CapturedSince(before, DirectSoundCapture), 2);
        const ToneSpan tone = FindTone(heard, c.hz, CaptureRate);
        EXPECT_EQ(tone.runs, 1) << "heard once, without gaps";
        // The test sink is not paced: Wine's mixer runs up to a few windows ahead of it,
        // and what is still queued when the buffer stops is never written.
        const double heardSeconds = tone.windows * ToneWindowSeconds;
        EXPECT_GE(heardSeconds, c.seconds - 0.21);
        EXPECT_LE(heardSeconds, c.seconds + 0.06);
        EXPECT_LT(tone.afterPeak, 0.01f) << "silence after the sound, at its own zero";
        EXPECT_EQ(FindTone(heard, c.hz * 1.1, CaptureRate).windows, 0) << "off pitch";
    }
}

TEST_F(SoundStream, NothingPlaysWithoutTheDirectSoundObject)
{
    const std::string path = WriteTestFile("noobject.wav", ToneFile({1, 1, 11025, 8}, 0.2));
    ReleaseDSound();
    EXPECT_FALSE(PlayWaveStream(path.c_str()));
    EXPECT_EQ(SoundPlaying, 0);
    EXPECT_TRUE(ShownMessages.empty());
    ASSERT_TRUE(InitDSound());
    EXPECT_TRUE(PlayWaveStream(path.c_str()));
    EXPECT_TRUE(WaitUntilQuiet(10000));
}

TEST_F(SoundStream, APlayWhileOnePlaysIsRefusedByBothPlayers)
{
    const std::string longer = WriteTestFile("busy-long.wav", ToneFile({1, 1, 11025, 16}, 20));
    const std::string other = WriteTestFile("busy-other.wav", ToneFile({1, 1, 11025, 16}, 0.2, 660));
    const CaptureSnapshot before = TakeCaptureSnapshot();
    ASSERT_TRUE(PlayWaveStream(longer.c_str()));
    EXPECT_FALSE(PlayWaveStream(other.c_str()));
    PlayWaveMci(other.c_str());
    Sleep(300);
    EXPECT_EQ(SoundPlaying, 1);
    EXPECT_TRUE(CapturedSince(before, "11025-1-16").empty()) << "MCI must not have played";
    EXPECT_EQ(FindTone(FirstChannel(CapturedSince(before, DirectSoundCapture), 2), 660, CaptureRate).windows, 0);
}

// Closing the clock releases DirectSound while a long sound streams: the worker is told
// to end and waited for, and the sound stops at once.
TEST_F(SoundStream, ReleasingMidStreamEndsTheWorkerAndTheSound)
{
    const std::string longer = WriteTestFile("release-long.wav", ToneFile({1, 2, 44100, 16}, 30));
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(PlayWaveStream(longer.c_str()));
        Sleep(static_cast<DWORD>(50 * round));
        const DWORD start = GetTickCount();
        ReleaseDSound();
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(SoundPlaying, 0);
        const CaptureSnapshot after = TakeCaptureSnapshot();
        Sleep(200);
        EXPECT_EQ(FindTone(FirstChannel(CapturedSince(after, DirectSoundCapture), 2), 440, CaptureRate).windows, 0)
            << "still sounding after the release";
        ASSERT_TRUE(InitDSound());
    }
    const std::string shortTone = WriteTestFile("release-next.wav", ToneFile({1, 1, 11025, 8}, 0.3));
    ASSERT_TRUE(PlayWaveStream(shortTone.c_str()));
    EXPECT_TRUE(WaitUntilQuiet(10000));
}

// The player shows nothing: it says why, and the caller tells the user in the reader's
// words. A format the device is not known to take is the reader's wrong format.
TEST_F(SoundStream, ARefusedFileSaysWhyAndTheNextFilePlays)
{
    WaveFormat noBlock{1, 1, 11025, 16};
    std::string noBlockBody = FormatBody(noBlock);
    noBlockBody[12] = noBlockBody[13] = 0;
    const char* const badFormat = "正しいＷＡＶＥフォーマットではありません。";
    struct Case {
        const char* name;
        std::string bytes;
        SoundFailure failure;
        const char* message;
    } cases[] = {
        {"not a WAVE file", "plain text, not sound", SoundFailure::NotWave, "WAVEファイルではありません。"},
        {"block alignment 0", RiffFile(Chunk("fmt ", noBlockBody) + Chunk("data", std::string(4000, '\0'))),
         SoundFailure::BadFormat, badFormat},
        {"384000 Hz, above what DirectSound takes", ToneFile({1, 2, 384000, 16}, 0.1),
         SoundFailure::BadFormat, badFormat},
        {"12-bit samples", RiffFile(Chunk("fmt ", FormatBody({1, 1, 11025, 12})) + Chunk("data", std::string(4000, '\0'))),
         SoundFailure::BadFormat, badFormat},
        {"no data chunk", RiffFile(Chunk("fmt ", FormatBody({1, 1, 11025, 8}))), SoundFailure::Unreadable, nullptr},
        {"empty file", "", SoundFailure::Unreadable, nullptr},
    };
    const std::string good = WriteTestFile("refused-good.wav", ToneFile({1, 1, 11025, 8}, 0.2));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownMessages.clear();
        SoundFailure failure = SoundFailure::None;
        EXPECT_FALSE(PlayWaveStream(WriteTestFile("refused" + std::to_string(n++) + ".wav", c.bytes).c_str(), &failure));
        EXPECT_EQ(SoundPlaying, 0);
        EXPECT_TRUE(ShownMessages.empty());
        EXPECT_EQ(failure, c.failure);
        const char* text = SoundFailureText(failure);
        EXPECT_STREQ(text ? text : "(none)", c.message ? c.message : "(none)");
        EXPECT_TRUE(PlayWaveStream(good.c_str(), &failure));
        EXPECT_EQ(failure, SoundFailure::None);
        EXPECT_TRUE(WaitUntilQuiet(10000));
    }
    const std::string path = WriteTestFile("refused-missing.wav", "");
    DeleteFileA(path.c_str());
    SoundFailure failure = SoundFailure::None;
    EXPECT_FALSE(PlayWaveStream(path.c_str(), &failure));
    EXPECT_EQ(failure, SoundFailure::NotOpened);
    ASSERT_TRUE(PlayWaveStream(good.c_str()));
    EXPECT_FALSE(PlayWaveStream(good.c_str(), &failure));
    EXPECT_EQ(failure, SoundFailure::Busy);
    EXPECT_TRUE(WaitUntilQuiet(10000));
    ReleaseDSound();
    EXPECT_FALSE(PlayWaveStream(good.c_str(), &failure));
    EXPECT_EQ(failure, SoundFailure::NoDevice);
}

// The alarms learn from the window's queue how each stream ended: once, after the flag
// is clear, so a chime can follow at once. A stream cut off by the release at shut-down
// reports nothing.
TEST_F(SoundStream, EachStreamsEndIsPostedToTheWindowOnce)
{
    const std::string shortTone = WriteTestFile("ended-short.wav", ToneFile({1, 1, 11025, 8}, 0.2));
    const std::string longer = WriteTestFile("ended-long.wav", ToneFile({1, 1, 11025, 8}, 20));
    SoundEndReports.clear();
    ASSERT_TRUE(PlayWaveStream(shortTone.c_str()));
    ASSERT_TRUE(WaitUntilQuiet(10000));
    PumpMessages(300);
    EXPECT_EQ(SoundEndReports, (std::vector<WPARAM>{0})) << "one end, not broken off";

    SoundEndReports.clear();
    ASSERT_TRUE(PlayWaveStream(longer.c_str()));
    PumpMessages(200);
    ReleaseDSound();
    PumpMessages(300);
    EXPECT_TRUE(SoundEndReports.empty());
}
