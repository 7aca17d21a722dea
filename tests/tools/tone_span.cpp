// Where a tone lies in a raw sound capture, for the sound scenarios.
//   tone_span <raw-file> <rate> <channels> <f32|s16|u8> <hz>
// prints "<seconds> <runs> <after-peak>": how long the tone is heard (in windows of
// 50 ms), in how many separate runs, and the loudest sample from one window after its
// last run on (0 to 1; trailing silence at its own zero gives 0).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

static std::vector<double> FirstChannel(const std::string& bytes, int channels,
                                        const std::string& format)
{
    const size_t sampleBytes = format == "f32" ? 4 : format == "s16" ? 2 : 1;
    const size_t frameBytes = sampleBytes * static_cast<size_t>(channels);
    std::vector<double> samples;
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        const char* p = bytes.data() + at;
        if (format == "f32") {
            float v;
            std::memcpy(&v, p, 4);
            samples.push_back(v);
        } else if (format == "s16") {
            int16_t v;
            std::memcpy(&v, p, 2);
            samples.push_back(v / 32768.0);
        } else {
            samples.push_back((static_cast<uint8_t>(*p) - 128) / 128.0);
        }
    }
    return samples;
}

static double GoertzelPower(const double* x, size_t n, double hz, double rate)
{
    const double coefficient = 2 * std::cos(2 * M_PI * hz / rate);
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < n; ++i) {
        const double s = x[i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / (static_cast<double>(n) * n);
}

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: tone_span <raw-file> <rate> <channels> <f32|s16|u8> <hz>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const double rate = std::atof(argv[2]);
    const double hz = std::atof(argv[5]);
    const std::vector<double> x = FirstChannel(bytes, std::atoi(argv[3]), argv[4]);

    const auto n = static_cast<size_t>(rate * 0.05);
    int windows = 0, runs = 0;
    bool inTone = false;
    size_t toneEnd = 0;
    for (size_t at = 0; at + n <= x.size(); at += n) {
        double energy = 0;
        for (size_t i = 0; i < n; ++i) energy += x[at + i] * x[at + i];
        energy /= static_cast<double>(n);
        // A pure tone puts half its mean square into its own frequency's power.
        const bool tone = energy > 1e-3 && GoertzelPower(&x[at], n, hz, rate) > 0.35 * energy;
        if (tone) {
            ++windows;
            if (!inTone) ++runs;
            toneEnd = at + n;
        }
        inTone = tone;
    }
    double afterPeak = 0;
    for (size_t i = toneEnd + n; windows && i < x.size(); ++i)
        afterPeak = std::max(afterPeak, std::fabs(x[i]));
    std::printf("%.2f %d %.4f\n", windows * 0.05, runs, afterPeak);
    return 0;
}
