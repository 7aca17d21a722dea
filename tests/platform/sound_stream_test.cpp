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

TEST_F(SoundStream, ARefusedFileTellsWhyAndTheNextFilePlays)
{
    WaveFormat noBlock{1, 1, 11025, 16};
    std::string noBlockBody = FormatBody(noBlock);
    noBlockBody[12] = noBlockBody[13] = 0;
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"not a WAVE file", "plain text, not sound", "WAVEファイルではありません。"},
        {"block alignment 0", RiffFile(Chunk("fmt ", noBlockBody) + Chunk("data", std::string(4000, '\0'))),
         "正しいＷＡＶＥフォーマットではありません。"},
        {"no data chunk", RiffFile(Chunk("fmt ", FormatBody({1, 1, 11025, 8}))), nullptr},
        {"empty file", "", nullptr},
    };
    const std::string good = WriteTestFile("refused-good.wav", ToneFile({1, 1, 11025, 8}, 0.2));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownMessages.clear();
        EXPECT_FALSE(PlayWaveStream(WriteTestFile("refused" + std::to_string(n++) + ".wav", c.bytes).c_str()));
        EXPECT_EQ(SoundPlaying, 0);
        if (c.message) {
            ASSERT_EQ(ShownMessages.size(), 1u);
            EXPECT_EQ(ShownMessages[0].text, c.message);
            EXPECT_EQ(ShownMessages[0].caption, WaveErrorCaption);
            EXPECT_EQ(ShownMessages[0].owner, MainWindow);
        } else {
            EXPECT_TRUE(ShownMessages.empty());
        }
        EXPECT_TRUE(PlayWaveStream(good.c_str()));
        EXPECT_TRUE(WaitUntilQuiet(10000));
    }
}

namespace {

// While the reader's message is up, the window thread goes on dispatching ticks: this
// stands in for an alarm or a drop that comes due meanwhile, through either player.
std::string ReentrantPath;
BOOL ReentrantStarted;

int WINAPI PlayAgainWhileShowing(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    RecordMessage(owner, text, caption, style);
    if (ShownMessages.size() == 1) {
        ReentrantStarted = PlayWaveStream(ReentrantPath.c_str());
        PlayWaveMci(ReentrantPath.c_str());
    }
    return IDOK;
}

}  // namespace

TEST_F(SoundStream, PlaysDuringTheReadersMessageAreRefusedQuietly)
{
    const std::string bad = WriteTestFile("reentrant-bad.wav", "not a WAVE file at all");
    const std::string good = WriteTestFile("reentrant-good.wav", ToneFile({1, 1, 11025, 8}, 0.2));
    struct Case {
        const char* name;
        std::string path;
    } cases[] = {
        {"a good file", good},
        {"another bad file", WriteTestFile("reentrant-bad2.wav", "still not a WAVE file")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownMessages.clear();
        ReentrantPath = c.path;
        ReentrantStarted = FALSE;
        SoundMessageBoxTestHook = PlayAgainWhileShowing;
        EXPECT_FALSE(PlayWaveStream(bad.c_str()));
        SoundMessageBoxTestHook = RecordMessage;
        EXPECT_EQ(ShownMessages.size(), 1u) << "no second message nested in the first";
        EXPECT_FALSE(ReentrantStarted);
        EXPECT_NE(CloseWaveMci(), 0u) << "the MCI player must not have opened the file";
        EXPECT_EQ(SoundPlaying, 0);
        EXPECT_TRUE(PlayWaveStream(good.c_str()));
        EXPECT_TRUE(WaitUntilQuiet(10000));
    }
}
