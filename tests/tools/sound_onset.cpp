// Stands at the end of an ALSA file sink and notes the moment each sound reaches it:
//   pcm.!default { type file; slave.pcm { type null }; format "raw"
//                  file "|sound_onset OUT %r %c %b %f" }
// ALSA starts one reader per stream it opens and writes the stream's samples to its
// standard input. A sound begins at an audible sample (over 1/1000 of full scale in any
// channel) after at least a quarter of a second of stream time without one, or at the
// stream's first audible sample. For each, one line is appended to OUT:
//   onset <seen> <received> <frame>
// seen: the wall-clock time (Unix seconds) of the read that brought the sample; received:
// the time the sound system had it. The file sink holds the last ALSA buffer's worth of
// frames back and writes older frames out as newer ones arrive, so a frame is written out
// when the frames one buffer behind it arrive; received is the time of the read that
// brought the stream to within one buffer of the sample. The buffer is four periods of
// 10 ms at the stream's rate, unless HELD_FRAMES says otherwise. At the end of the stream:
//   end <seen> <frames>
// Usage: sound_onset OUT RATE CHANNELS BITS FORMAT [HELD_FRAMES]
//   FORMAT as ALSA names it: S16_LE, U8, FLOAT_LE, S32_LE.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double WallNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

enum class Kind { S16, U8, F32, S32 };

bool KindOf(const std::string& format, int bits, Kind& kind)
{
    if (format == "S16_LE" && bits == 16) kind = Kind::S16;
    else if (format == "U8" && bits == 8) kind = Kind::U8;
    else if (format == "FLOAT_LE" && bits == 32) kind = Kind::F32;
    else if (format == "S32_LE" && bits == 32) kind = Kind::S32;
    else return false;
    return true;
}

// The sample's distance from silence, 0 to about 1.
double Level(const unsigned char* p, Kind kind)
{
    switch (kind) {
    case Kind::S16: {
        int16_t v;
        std::memcpy(&v, p, 2);
        return std::fabs(v / 32768.0);
    }
    case Kind::U8: return std::fabs((*p - 128) / 128.0);
    case Kind::F32: {
        float v;
        std::memcpy(&v, p, 4);
        return std::fabs(static_cast<double>(v));
    }
    case Kind::S32: {
        int32_t v;
        std::memcpy(&v, p, 4);
        return std::fabs(v / 2147483648.0);
    }
    }
    return 0;
}

struct Read {
    double seen;
    long long endByte;  // bytes of the stream received up to and including this read
};

}  // namespace

int main(int argc, char** argv)
{
    Kind kind;
    if (argc < 6 || argc > 7 || !KindOf(argv[5], std::atoi(argv[4]), kind)) {
        std::fprintf(stderr, "usage: sound_onset OUT RATE CHANNELS BITS FORMAT [HELD_FRAMES]\n");
        return 2;
    }
    FILE* out = std::fopen(argv[1], "a");
    if (!out) return 1;
    const long long rate = std::atoll(argv[2]);
    const int channels = std::atoi(argv[3]);
    const int sampleBytes = std::atoi(argv[4]) / 8;
    const int frameBytes = sampleBytes * channels;
    const long long heldFrames = argc == 7 ? std::atoll(argv[6]) : 4 * rate / 100;
    const long long heldBytes = heldFrames * frameBytes;
    const long long gapFrames = rate / 4;

    std::vector<Read> reads;
    std::vector<unsigned char> frame(static_cast<size_t>(frameBytes));
    size_t framePart = 0;
    long long frames = 0, silentFrames = gapFrames, total = 0;
    static unsigned char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(0, buffer, sizeof buffer);
        if (got <= 0) break;
        const double seen = WallNow();
        total += got;
        reads.push_back({seen, total});
        for (ssize_t i = 0; i < got; ++i) {
            frame[framePart++] = buffer[i];
            if (framePart < frame.size()) continue;
            framePart = 0;
            bool audible = false;
            for (int c = 0; c < channels; ++c)
                audible = audible || Level(&frame[static_cast<size_t>(c * sampleBytes)], kind) > 1e-3;
            if (audible && silentFrames >= gapFrames) {
                // The first read after which fewer than the held bytes lay before the sample.
                const long long sampleByte = frames * frameBytes;
                double received = seen;
                for (const Read& r : reads)
                    if (r.endByte > sampleByte - heldBytes) {
                        received = r.seen;
                        break;
                    }
                std::fprintf(out, "onset %.6f %.6f %lld\n", seen, received, frames);
                std::fflush(out);
            }
            silentFrames = audible ? 0 : silentFrames + 1;
            ++frames;
        }
        // Only the reads within one held buffer of the newest frame can still be needed.
        while (reads.size() > 2 && reads[1].endByte < total - heldBytes - 2 * static_cast<long long>(sizeof buffer))
            reads.erase(reads.begin());
    }
    std::fprintf(out, "end %.6f %lld\n", WallNow(), frames);
    std::fclose(out);
    return 0;
}
