#include <gtest/gtest.h>

#include "shell/shell.h"
#include "sound/wave_reader.h"
#include "wave_files.h"

namespace {

const WaveFormat Mono16{1, 1, 11025, 16};
const char NotOpened[] = "WAVファイルが開けません。";
const char NotWave[] = "WAVEファイルではありません。";
const char BadFormat[] = "正しいＷＡＶＥフォーマットではありません。";

class WaveReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        ShownMessages.clear();
        SoundMessageBoxTestHook = RecordMessage;
    }
    void TearDown() override
    {
        CloseWaveReader(&source.file, &source.format);
        SoundMessageBoxTestHook = MessageBoxA;
    }
    BOOL Open(const std::string& path)
    {
        return OpenWaveReader(path.c_str(), &source.file, &source.format, &source.riffChunk,
                              &failure);
    }
    // Everything the data chunk holds, read in blocks of `block` bytes.
    std::string ReadAll(DWORD block)
    {
        std::string all;
        std::string buffer(block, '\0');
        DWORD got = 0;
        while (ReadWaveData(source.file, block, &buffer[0], &source.dataChunk, &got) && got > 0)
            all.append(buffer, 0, got);
        return all;
    }

    WaveSource source{};
    SoundFailure failure = SoundFailure::None;
};

}  // namespace

TEST_F(WaveReader, UsableFilesOpenAndHandOutTheirSampleData)
{
    const std::string tone = ToneSamples(Mono16, 0.25, 440);
    const std::string odd = ToneSamples({1, 1, 8000, 8}, 0.0125, 440) + "z";  // 101 bytes
    struct Case {
        const char* name;
        const char* file;
        std::string bytes;
        std::string samples;
    } cases[] = {
        {"fmt then data", "plain.wav", RiffFile(Chunk("fmt ", FormatBody(Mono16)) + Chunk("data", tone)), tone},
        {"data before fmt", "datafirst.wav", RiffFile(Chunk("data", tone) + Chunk("fmt ", FormatBody(Mono16))), tone},
        {"fmt of 18 bytes with cbSize", "fmt18.wav", RiffFile(Chunk("fmt ", FormatBody(Mono16, std::string(2, '\x16'))) + Chunk("data", tone)), tone},
        {"fmt of 40 bytes", "fmt40.wav", RiffFile(Chunk("fmt ", FormatBody(Mono16, std::string(24, '\x7f'))) + Chunk("data", tone)), tone},
        {"odd-sized chunks with pad bytes before both", "padded.wav",
         RiffFile(Chunk("LIST", "abc") + Chunk("fmt ", FormatBody(Mono16)) + Chunk("junk", "x") +
                  Chunk("data", tone)),
         tone},
        {"odd-sized data chunk, then another chunk", "odddata.wav",
         RiffFile(Chunk("fmt ", FormatBody({1, 1, 8000, 8})) + Chunk("data", odd) + Chunk("cue ", "1234")),
         odd},
        {"no .wav extension", "tone.snd", RiffFile(Chunk("fmt ", FormatBody(Mono16)) + Chunk("data", tone)), tone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Open(WriteTestFile(c.file, c.bytes)));
        EXPECT_TRUE(ShownMessages.empty());
        ASSERT_NE(source.format, nullptr);
        EXPECT_EQ(source.format->wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(source.format->cbSize, 0);
        EXPECT_EQ(source.riffChunk.cksize, c.bytes.size() - 8);
        EXPECT_EQ(source.riffChunk.dwDataOffset, 8u);
        ASSERT_TRUE(SeekWaveData(source.file, &source.dataChunk, &source.riffChunk));
        EXPECT_EQ(source.dataChunk.cksize, c.samples.size());
        EXPECT_EQ(ReadAll(1000), c.samples);
        CloseWaveReader(&source.file, &source.format);
        EXPECT_EQ(source.file, nullptr);
        EXPECT_EQ(source.format, nullptr);
    }
}

TEST_F(WaveReader, TheFormatRecordCopiesTheFileFields)
{
    ASSERT_TRUE(Open(WriteTestFile("stereo.wav", ToneFile({1, 2, 22050, 8}, 0.1))));
    const WAVEFORMATEX& f = *source.format;
    EXPECT_EQ(f.nChannels, 2);
    EXPECT_EQ(f.nSamplesPerSec, 22050u);
    EXPECT_EQ(f.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(f.nBlockAlign, 2);
    EXPECT_EQ(f.wBitsPerSample, 8);
    EXPECT_EQ(f.cbSize, 0);
}

// The reader shows nothing itself: it says why, and its callers tell the user in its words.
TEST_F(WaveReader, RefusedFilesSayWhyAndHoldNothing)
{
    const std::string tone = ToneSamples(Mono16, 0.1, 440);
    WaveFormat float32{3, 1, 11025, 32};
    WaveFormat extensible{0xFFFE, 1, 11025, 16};
    WaveFormat noBlock{1, 1, 11025, 16};
    std::string noBlockBody = FormatBody(noBlock);
    noBlockBody[12] = noBlockBody[13] = 0;
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;  // null: refused with nothing to tell the user
    } cases[] = {
        {"fmt of 14 bytes", RiffFile(Chunk("fmt ", FormatBody(Mono16).substr(0, 14)) + Chunk("data", tone)), BadFormat},
        {"format tag 3", RiffFile(Chunk("fmt ", FormatBody(float32)) + Chunk("data", tone)), NotWave},
        {"format tag 0xFFFE", RiffFile(Chunk("fmt ", FormatBody(extensible, std::string(24, '\0'))) + Chunk("data", tone)), NotWave},
        {"block alignment 0", RiffFile(Chunk("fmt ", noBlockBody) + Chunk("data", tone)), BadFormat},
        {"RIFF of form 'AVI '", RiffFile(Chunk("fmt ", FormatBody(Mono16)) + Chunk("data", tone), "AVI "), NotWave},
        {"not RIFF at all", "This is a text file that is long enough to be read.\r\n", NotWave},
        {"empty file", "", nullptr},
        {"RIFF header cut short", std::string("RIFF\x10\0", 6), nullptr},
        {"no fmt chunk", RiffFile(Chunk("data", tone)), nullptr},
        {"fmt chunk cut short by the file's end", RiffFile(Chunk("fmt ", FormatBody(Mono16))).substr(0, 28), nullptr},
        // A stated size that wraps the offset round to the chunk itself would keep the
        // search for 'fmt ' going for ever.
        {"a chunk size that leads back", RiffFile(Chunk("LIST", std::string("odd", 4), 0xFFFFFFF7) + Chunk("fmt ", FormatBody(Mono16)) + Chunk("data", tone)), nullptr},
        {"a chunk size that leads back before the data", RiffFile(Chunk("fmt ", FormatBody(Mono16)) + Chunk("LIST", std::string("odd", 4), 0xFFFFFFF7) + Chunk("data", tone)), nullptr},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShownMessages.clear();
        source.file = reinterpret_cast<HMMIO>(1);  // a failed open must clear it
        EXPECT_FALSE(Open(WriteTestFile("refused" + std::to_string(n++) + ".wav", c.bytes)));
        EXPECT_EQ(source.file, nullptr);
        EXPECT_EQ(source.format, nullptr);
        EXPECT_TRUE(ShownMessages.empty());
        EXPECT_NE(failure, SoundFailure::None);
        const char* text = SoundFailureText(failure);
        EXPECT_STREQ(text ? text : "(none)", c.message ? c.message : "(none)");
    }
}

TEST_F(WaveReader, AFileThatCannotBeOpenedSaysSo)
{
    source.file = reinterpret_cast<HMMIO>(1);
    EXPECT_FALSE(Open(TestWaveDir() + "\\missing.wav"));
    EXPECT_EQ(failure, SoundFailure::NotOpened);
    EXPECT_STREQ(SoundFailureText(failure), NotOpened);
    EXPECT_EQ(source.file, nullptr);
    EXPECT_EQ(source.format, nullptr);
    EXPECT_TRUE(ShownMessages.empty());
}

TEST_F(WaveReader, NoDataChunkOpensButFindsNoSampleData)
{
    ASSERT_TRUE(Open(WriteTestFile("nodata.wav", RiffFile(Chunk("fmt ", FormatBody(Mono16)) + Chunk("LIST", "info")))));
    EXPECT_FALSE(SeekWaveData(source.file, &source.dataChunk, &source.riffChunk));
    EXPECT_TRUE(ShownMessages.empty());
}

TEST_F(WaveReader, ReadsAreClampedToWhatRemainsThenGiveNothing)
{
    const std::string samples(160, '\x42');
    ASSERT_TRUE(Open(WriteTestFile("clamp.wav", RiffFile(Chunk("fmt ", FormatBody({1, 1, 8000, 8})) + Chunk("data", samples)))));
    ASSERT_TRUE(SeekWaveData(source.file, &source.dataChunk, &source.riffChunk));
    char block[200];
    DWORD got = 7;
    ASSERT_TRUE(ReadWaveData(source.file, 100, block, &source.dataChunk, &got));
    EXPECT_EQ(got, 100u);
    EXPECT_EQ(source.dataChunk.cksize, 60u);
    ASSERT_TRUE(ReadWaveData(source.file, 100, block, &source.dataChunk, &got));
    EXPECT_EQ(got, 60u) << "100 wanted, 60 remain";
    EXPECT_EQ(source.dataChunk.cksize, 0u);
    EXPECT_EQ(std::string(block, 60), samples.substr(0, 60));
    got = 7;
    EXPECT_TRUE(ReadWaveData(source.file, 50, block, &source.dataChunk, &got)) << "nothing remains";
    EXPECT_EQ(got, 0u);
}

TEST_F(WaveReader, ADataChunkLongerThanTheFileFailsAtTheFilesEnd)
{
    const std::string samples(3000, '\x11');
    ASSERT_TRUE(Open(WriteTestFile("long.wav", RiffFile(Chunk("fmt ", FormatBody({1, 1, 8000, 8})) + Chunk("data", samples, 100000)))));
    ASSERT_TRUE(SeekWaveData(source.file, &source.dataChunk, &source.riffChunk));
    EXPECT_EQ(source.dataChunk.cksize, 100000u);
    std::string block(2000, '\0');
    DWORD got = 0;
    ASSERT_TRUE(ReadWaveData(source.file, 2000, &block[0], &source.dataChunk, &got));
    EXPECT_EQ(got, 2000u);
    got = 7;
    EXPECT_FALSE(ReadWaveData(source.file, 2000, &block[0], &source.dataChunk, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(source.dataChunk.cksize, 96000u) << "the failed request stays counted";
    EXPECT_TRUE(ShownMessages.empty());
}

TEST_F(WaveReader, ClosingTwiceOrClosingNothingIsHarmless)
{
    WaveSource empty{};
    CloseWaveReader(&empty.file, &empty.format);
    ASSERT_TRUE(Open(WriteTestFile("twice.wav", ToneFile(Mono16, 0.05))));
    CloseWaveReader(&source.file, &source.format);
    CloseWaveReader(&source.file, &source.format);
    EXPECT_EQ(source.file, nullptr);
    EXPECT_EQ(source.format, nullptr);
}
