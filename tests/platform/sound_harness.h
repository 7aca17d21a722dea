// What the sound tests share: a main window that closes the MCI device on its notice as
// the clock's does, a wait that keeps messages flowing, and a look at what the tests'
// ALSA sink captured: which bytes a play added, and where a tone lies in them.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "shell/shell.h"
#include "sound/sound.h"

// What the streaming worker reported of each stream's end, in order.
inline std::vector<WPARAM> SoundEndReports;

// Closes the device the moment its notice arrives, as the clock's window does, and
// notes the ends of streams.
inline LRESULT CALLBACK SoundTestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == MM_MCINOTIFY) {
        PlayEnded(message, wParam, lParam);
        return 0;
    }
    if (message == SoundEndedMessage) {
        SoundEndReports.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline HWND SoundTestWindowHandle;

// A hidden window standing in for the clock's, made once per test program.
inline HWND SoundTestWindow()
{
    HWND& window = SoundTestWindowHandle;
    if (window) return window;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SoundTestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PelioSoundTest";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "PelioSoundTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
    return window;
}

// Dispatches messages until no sound plays; false when `ms` pass first.
inline bool WaitUntilQuiet(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (SoundPlaying) {
        if (GetTickCount() - start > ms) return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

// Dispatches messages for `ms`.
inline void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// The sink's folder as Wine names it (its Z: drive is the Unix root).
inline std::string CaptureDir()
{
    return std::string("Z:") + PELIO_CAPTURE_DIR;
}

// Sizes of every capture file, to tell later which bytes are new.
using CaptureSnapshot = std::map<std::string, uint64_t>;

inline CaptureSnapshot TakeCaptureSnapshot()
{
    CaptureSnapshot sizes;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((CaptureDir() + "\\cap-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return sizes;
    do {
        sizes[found.cFileName] =
            (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return sizes;
}

// The bytes added since `before` to files whose name contains `format` (for example
// "48000-2-32-FLOAT_LE"), file by file in name order.
inline std::string CapturedSince(const CaptureSnapshot& before, const std::string& format)
{
    std::string added;
    for (const auto& [name, size] : TakeCaptureSnapshot()) {
        if (name.find(format) == std::string::npos) continue;
        const auto old = before.find(name);
        const uint64_t from = old == before.end() ? 0 : old->second;
        if (size <= from) continue;
        HANDLE file = CreateFileA((CaptureDir() + "\\" + name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        LONG high = static_cast<LONG>(from >> 32);
        SetFilePointer(file, static_cast<LONG>(from & 0xFFFFFFFF), &high, FILE_BEGIN);
        std::string bytes(static_cast<size_t>(size - from), '\0');
        DWORD got = 0;
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(file);
        added.append(bytes, 0, got);
    }
    return added;
}

// The first channel of interleaved 32-bit float frames.
inline std::vector<float> FirstChannel(const std::string& bytes, int channels)
{
    std::vector<float> samples;
    const size_t frameBytes = 4 * static_cast<size_t>(channels);
    for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        float v;
        std::memcpy(&v, bytes.data() + at, 4);
        samples.push_back(v);
    }
    return samples;
}

// Where a tone of `hz` is heard, in windows of 50 ms (narrow enough in frequency that a
// tone a tenth off pitch is not taken for it): how many windows hold it, in how many
// separate runs, and the loudest sample after the last one (from one window on).
constexpr double ToneWindowSeconds = 0.05;

struct ToneSpan {
    int windows = 0;
    int runs = 0;
    float afterPeak = 0;
};

inline double GoertzelPower(const float* x, int n, double hz, double rate)
{
    const double w = 2 * 3.14159265358979 * hz / rate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (int i = 0; i < n; ++i) {
        const double s = x[i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / (static_cast<double>(n) * n);
}

inline ToneSpan FindTone(const std::vector<float>& samples, double hz, double rate)
{
    ToneSpan span;
    const auto n = static_cast<size_t>(rate * ToneWindowSeconds);
    bool inTone = false;
    size_t toneEnd = 0;
    for (size_t at = 0; at + n <= samples.size(); at += n) {
        double energy = 0;
        for (size_t i = 0; i < n; ++i) energy += samples[at + i] * samples[at + i];
        energy /= static_cast<double>(n);
        // A pure tone puts half its mean square into its own frequency's power.
        const bool tone = energy > 1e-3 &&
                          GoertzelPower(&samples[at], static_cast<int>(n), hz, rate) > 0.35 * energy;
        if (tone) {
            ++span.windows;
            if (!inTone) ++span.runs;
            toneEnd = at + n;
        }
        inTone = tone;
    }
    for (size_t i = toneEnd + n; span.windows && i < samples.size(); ++i)
        span.afterPeak = std::max(span.afterPeak, std::fabs(samples[i]));
    return span;
}
