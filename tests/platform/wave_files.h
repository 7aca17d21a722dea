// Builds WAVE files byte by byte for the sound tests: well-formed ones, and ones with
// the faults a damaged or foreign file brings.
#pragma once
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct WaveFormat {
    uint16_t tag;
    uint16_t channels;
    uint32_t rate;
    uint16_t bits;
    uint16_t blockAlign() const { return static_cast<uint16_t>(channels * bits / 8); }
};

inline void PutLe16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline void PutLe32(std::string& out, uint32_t value)
{
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

// A chunk with the size its body has, or `statedSize` when given; odd bodies get the
// pad byte that RIFF asks for.
inline std::string Chunk(const char* id, const std::string& body, int64_t statedSize = -1)
{
    std::string out(id, 4);
    PutLe32(out, statedSize < 0 ? static_cast<uint32_t>(body.size())
                                : static_cast<uint32_t>(statedSize));
    out += body;
    if (body.size() % 2) out += '\0';
    return out;
}

// The 16 bytes of a PCM format, then `extra` (a cbSize field, or anything).
inline std::string FormatBody(const WaveFormat& f, const std::string& extra = "")
{
    std::string out;
    PutLe16(out, f.tag);
    PutLe16(out, f.channels);
    PutLe32(out, f.rate);
    PutLe32(out, f.rate * f.blockAlign());
    PutLe16(out, f.blockAlign());
    PutLe16(out, f.bits);
    return out + extra;
}

inline std::string RiffFile(const std::string& subchunks, const char* form = "WAVE")
{
    return Chunk("RIFF", std::string(form, 4) + subchunks);
}

// A sine at `hz`, at half scale, the same on every channel.
inline std::string ToneSamples(const WaveFormat& f, double seconds, double hz)
{
    const auto frames = static_cast<uint32_t>(f.rate * seconds);
    std::string out;
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2.0 * 3.14159265358979 * hz * i / f.rate);
        for (int c = 0; c < f.channels; ++c) {
            if (f.bits == 8)
                out += static_cast<char>(static_cast<uint8_t>(128 + std::lround(v * 127)));
            else
                PutLe16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
        }
    }
    return out;
}

inline std::string ToneFile(const WaveFormat& f, double seconds, double hz = 440)
{
    return RiffFile(Chunk("fmt ", FormatBody(f)) + Chunk("data", ToneSamples(f, seconds, hz)));
}

// A directory of its own under the temporary folder, for one test program run.
inline std::string TestWaveDir()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string dir = std::string(base) + "pelio-sound-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

inline std::string WriteTestFile(const std::string& name, const std::string& bytes)
{
    const std::string path = TestWaveDir() + "\\" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

// Stands in for the sound layer's message boxes: records each one and answers OK at once.
struct ShownMessage {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

inline std::vector<ShownMessage> ShownMessages;

inline int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    ShownMessages.push_back({owner, text, caption, style});
    return IDOK;
}
