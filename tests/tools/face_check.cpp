// Checks a screenshot of the running clock against the face composed here from the same
// bitmap files with the display code's own hand drawing, converted as the screen's depth
// converts them. Every pixel inside the window's shape must match; outside it, within
// the window's square, the desktop must show.
//
//   face_check [--scale N] <resources-dir> <screen depth 32|16|15|8> <shot.ppm> <left> <top>
//              <alarm 0|1> <readout yes|no> <HH:MM:SS>...
//
// At scale N every face pixel must show as an N x N block, and the shape is enlarged alike.
//
// Prints "match <time> <readout state>" and exits 0 when one of the given times (and,
// with a read-out, either state of the colon) matches; otherwise prints the nearest
// candidate's differences and exits 1.
//
//   face_check --compose <resources-dir> <HH:MM:SS> <alarm 0|1> <readout none|colon|nocolon>
//              <out.pam>
//
// Writes the face that a 32-bit screen shows for that moment as a 160 x 160 RGBA PAM
// file, see-through outside the window's shape: the pictures of the documentation where
// the clock itself cannot be run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/bmp8.h"
#include "display/raster.h"
#include "display/face_geometry.h"
#include "display/shape_scan.h"
#include "shell/trig.h"

namespace {

constexpr uint8_t UnknownIndex = 100;

struct Rgb {
    int r, g, b;
};

struct Shot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    Rgb At(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) +
                          static_cast<size_t>(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

bool ReadPpm(const char* path, Shot* shot)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    int maxValue = 0;
    const bool ok = std::fscanf(f, "P6 %d %d %d", &shot->width, &shot->height, &maxValue) == 3 &&
                    maxValue == 255 && std::fgetc(f) != EOF;
    if (ok) {
        shot->rgb.resize(static_cast<size_t>(shot->width) * static_cast<size_t>(shot->height) * 3);
        const size_t got = std::fread(shot->rgb.data(), 1, shot->rgb.size(), f);
        std::fclose(f);
        return got == shot->rgb.size();
    }
    std::fclose(f);
    return false;
}

// How the screen's format stores one colour of a bitmap, as GDI converts it: exactly at
// 32 bits, truncated to 5-6-5 at 16. A 15-bit X screen gets 5-6-5 surfaces from Wine too,
// which drops the low green bit on the way out. At 8 bits GDI picks palette entries from
// a system palette whose middle entries, and their look on screen, are not known here:
// only pure black is sure to become entry 0; every other colour is left unchecked.
class Format {
public:
    explicit Format(int screenDepth)
        : depth_(screenDepth == 15 ? 16 : screenDepth), fiveBitGreen_(screenDepth == 15)
    {
    }
    int depth() const { return depth_; }

    uint32_t Convert(const PaletteColour& c) const
    {
        switch (depth_) {
        case 32: return static_cast<uint32_t>(c.red) << 16 | c.green << 8 | c.blue;
        case 16: return static_cast<uint32_t>(c.red >> 3) << 11 | (c.green >> 2) << 5 | c.blue >> 3;
        default: return c.red == 0 && c.green == 0 && c.blue == 0 ? 0 : UnknownIndex;
        }
    }

    // Whether a screenshot pixel can be checked against a stored pixel value: at 8 bits
    // only entries 0 and 255, black and white among the static colours.
    bool Comparable(uint32_t value) const { return depth_ != 8 || value == 0 || value == 255; }

    bool Shows(uint32_t value, const Rgb& seen) const
    {
        switch (depth_) {
        case 32:
            return seen.r == static_cast<int>((value >> 16) & 0xFF) &&
                   seen.g == static_cast<int>((value >> 8) & 0xFF) &&
                   seen.b == static_cast<int>(value & 0xFF);
        case 16:
            return (seen.r * 31 + 127) / 255 == static_cast<int>(value >> 11) &&
                   (fiveBitGreen_ ? (seen.g * 31 + 127) / 255 == static_cast<int>((value >> 6) & 31)
                                  : (seen.g * 63 + 127) / 255 == static_cast<int>((value >> 5) & 63)) &&
                   (seen.b * 31 + 127) / 255 == static_cast<int>(value & 31);
        default: {
            const int level = value == 0 ? 0 : 255;
            return seen.r == level && seen.g == level && seen.b == level;
        }
        }
    }

private:
    int depth_;
    bool fiveBitGreen_;
};

// A surface: pixel values in the screen's format, one uint32_t each.
struct Surface {
    int width, height;
    std::vector<uint32_t> pixels;

    Surface(const Bmp8Image& image, const Format& format)
        : width(image.width), height(image.height),
          pixels(static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels[Index(x, y)] = format.Convert(image.ColourAt(x, y));
    }
    size_t Index(int x, int y) const
    {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
};

// The face in the work surface's own memory layout, so the hands are drawn by the same
// code as the clock's.
class Work {
public:
    explicit Work(const Format& format)
        : format_(format), bytes_(BytesPerPixel(format.depth())),
          memory_(static_cast<size_t>(FaceSize * FaceSize * bytes_))
    {
        // With the palette unknown so are the lightened entries: pixels under a hand's fill
        // are not compared at 8 bits, while the hands' black and white outlines are.
        for (uint8_t& entry : lighten_) entry = UnknownIndex;
    }

    void Copy(const Surface& from, int left, int top, int width, int height, int x, int y,
              bool keyed)
    {
        for (int dy = 0; dy < height; ++dy)
            for (int dx = 0; dx < width; ++dx) {
                const uint32_t v = from.pixels[from.Index(left + dx, top + dy)];
                if (!keyed || v != 0) Set(x + dx, y + dy, v);
            }
    }
    void DrawHandsAt(int hour, int minute, int second)
    {
        DrawHands({memory_.data(), FaceSize * bytes_, format_.depth(), lighten_}, hour, minute,
                  second);
    }
    uint32_t Get(int x, int y) const
    {
        uint32_t v = 0;
        const uint8_t* p = &memory_[static_cast<size_t>((y * FaceSize + x) * bytes_)];
        for (int i = 0; i < bytes_; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
        // The fourth byte of a 32-bit pixel never reaches the screen.
        return format_.depth() == 32 ? v & 0xFFFFFF : v;
    }

private:
    void Set(int x, int y, uint32_t v)
    {
        uint8_t* p = &memory_[static_cast<size_t>((y * FaceSize + x) * bytes_)];
        for (int i = 0; i < bytes_; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
    }

    const Format& format_;
    int bytes_;
    std::vector<uint8_t> memory_;
    uint8_t lighten_[PaletteSize];
};

enum class Readout { None, Colon, NoColon };

const char* Name(Readout r)
{
    return r == Readout::None ? "none" : r == Readout::Colon ? "colon" : "nocolon";
}

struct Pictures {
    Surface panel, frame, font;
};

void Compose(Work* work, const Pictures& p, int hour, int minute, int second, bool alarm,
             Readout readout)
{
    work->Copy(p.panel, FaceSize * PictureByHour[hour], 0, FaceSize, FaceSize, 0, 0, false);
    work->Copy(p.frame, 0, 0, FaceSize, FaceSize, 0, 0, true);
    if (alarm) work->Copy(p.font, 176, 0, 32, 18, 45, 100, true);
    work->DrawHandsAt(hour, minute, second);
    if (readout == Readout::None) return;
    auto glyph = [&](int k, int x) { work->Copy(p.font, 16 * k, 0, 15, 17, x, 70, true); };
    glyph(hour / 10 % 10, 44);
    glyph(hour % 10, 60);
    if (readout == Readout::Colon) glyph(10, 76);
    glyph(minute / 10, 86);
    glyph(minute % 10, 102);
}

struct Difference {
    int count = 0;
    std::string first;
};

// The pixels of the face square that belong to the window's shape.
std::vector<bool> InsideShape(const Bmp8Image& frame)
{
    std::vector<bool> inside(FaceSize * FaceSize, false);
    ScanWindowShape(0, 0, FaceSize + 1, FaceSize + 1,
                    [&](int x, int y) { return IsShapeKeyPixel(frame, x, y); },
                    [&](const ShapeRect& r) {
                        for (int y = r.top; y < r.bottom && y < FaceSize; ++y)
                            for (int x = r.left; x < r.right; ++x) inside[y * FaceSize + x] = true;
                    });
    return inside;
}

Difference Compare(const Work& work, const Bmp8Image& frame, const Format& format,
                   const Shot& shot, int left, int top, int scale)
{
    const std::vector<bool> inside = InsideShape(frame);
    const Rgb desktop = shot.At(shot.width - 1, shot.height - 1);
    Difference d;
    char line[160];
    for (int y = 0; y < FaceSize * scale; ++y)
        for (int x = 0; x < FaceSize * scale; ++x) {
            const Rgb seen = shot.At(left + x, top + y);
            bool ok;
            if (inside[y / scale * FaceSize + x / scale]) {
                const uint32_t v = work.Get(x / scale, y / scale);
                ok = !format.Comparable(v) || format.Shows(v, seen);
                std::snprintf(line, sizeof line, "(%d,%d) shows %d,%d,%d, face value 0x%X", x, y,
                              seen.r, seen.g, seen.b, v);
            } else {
                ok = seen.r == desktop.r && seen.g == desktop.g && seen.b == desktop.b;
                std::snprintf(line, sizeof line, "(%d,%d) outside the shape shows %d,%d,%d", x,
                              y, seen.r, seen.g, seen.b);
            }
            if (!ok && d.count++ < 8) d.first += std::string("  ") + line + "\n";
        }
    return d;
}

bool WritePam(const char* path, const Work& work, const Bmp8Image& frame)
{
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fprintf(f, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
                 FaceSize, FaceSize);
    const std::vector<bool> inside = InsideShape(frame);
    for (int y = 0; y < FaceSize; ++y)
        for (int x = 0; x < FaceSize; ++x) {
            const uint32_t v = inside[y * FaceSize + x] ? work.Get(x, y) : 0;
            const uint8_t rgba[4] = {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                                     static_cast<uint8_t>(v),
                                     static_cast<uint8_t>(inside[y * FaceSize + x] ? 255 : 0)};
            std::fwrite(rgba, 1, sizeof rgba, f);
        }
    return std::fclose(f) == 0;
}

bool ReadPictures(const std::string& resources, const Format& format, Bmp8Image* frameImage,
                  std::vector<Surface>* surfaces)
{
    Bmp8Image panelImage, fontImage;
    if (!ReadBmp8((resources + "/IDB_PANEL.bmp").c_str(), &panelImage) ||
        !ReadBmp8((resources + "/IDB_FRAME.bmp").c_str(), frameImage) ||
        !ReadBmp8((resources + "/IDB_FONT.bmp").c_str(), &fontImage)) {
        std::fprintf(stderr, "face_check: cannot read the bitmaps in %s\n", resources.c_str());
        return false;
    }
    *surfaces = {Surface(panelImage, format), Surface(*frameImage, format),
                 Surface(fontImage, format)};
    return true;
}

int ComposeMain(int argc, char** argv)
{
    int hour, minute, second;
    if (argc != 7 || std::sscanf(argv[3], "%d:%d:%d", &hour, &minute, &second) != 3 ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        std::fprintf(stderr, "usage: face_check --compose <resources> <HH:MM:SS> <alarm 0|1> "
                             "<readout none|colon|nocolon> <out.pam>\n");
        return 2;
    }
    const Readout readout = std::strcmp(argv[5], "colon") == 0     ? Readout::Colon
                            : std::strcmp(argv[5], "nocolon") == 0 ? Readout::NoColon
                                                                   : Readout::None;
    const Format format(32);
    Bmp8Image frameImage;
    std::vector<Surface> s;
    if (!ReadPictures(argv[2], format, &frameImage, &s)) return 2;
    BuildTrigTables();
    Work work(format);
    const Pictures pictures = {std::move(s[0]), std::move(s[1]), std::move(s[2])};
    Compose(&work, pictures, hour, minute, second, std::strcmp(argv[4], "1") == 0,
            readout);
    if (!WritePam(argv[6], work, frameImage)) {
        std::fprintf(stderr, "face_check: cannot write %s\n", argv[6]);
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--compose") == 0) return ComposeMain(argc, argv);
    int scale = 1;
    if (argc > 2 && std::strcmp(argv[1], "--scale") == 0) {
        scale = std::atoi(argv[2]);
        if (scale < 1) return 2;
        argc -= 2;
        argv += 2;
    }
    if (argc < 9) {
        std::fprintf(stderr, "usage: face_check <resources> <depth> <shot.ppm> <left> <top> "
                             "<alarm 0|1> <readout yes|no> <HH:MM:SS>...\n");
        return 2;
    }
    const std::string resources = argv[1];
    const Format format(std::atoi(argv[2]));
    if (BytesPerPixel(format.depth()) == 0 || format.depth() == 24) {
        std::fprintf(stderr, "face_check: screens of 32, 16, 15 or 8 bits only\n");
        return 2;
    }
    Shot shot;
    if (!ReadPpm(argv[3], &shot)) {
        std::fprintf(stderr, "face_check: cannot read %s\n", argv[3]);
        return 2;
    }
    const int left = std::atoi(argv[4]), top = std::atoi(argv[5]);
    const bool alarm = std::strcmp(argv[6], "1") == 0;
    const bool readout = std::strcmp(argv[7], "yes") == 0;
    if (left < 0 || top < 0 || left + FaceSize * scale > shot.width ||
        top + FaceSize * scale > shot.height) {
        std::fprintf(stderr, "face_check: the face is not inside the shot\n");
        return 2;
    }

    Bmp8Image frameImage;
    std::vector<Surface> s;
    if (!ReadPictures(resources, format, &frameImage, &s)) return 2;
    const Pictures pictures = {std::move(s[0]), std::move(s[1]), std::move(s[2])};
    BuildTrigTables();

    const std::vector<Readout> states =
        readout ? std::vector<Readout>{Readout::NoColon, Readout::Colon}
                : std::vector<Readout>{Readout::None};
    Difference nearest;
    std::string nearestName;
    for (int i = 8; i < argc; ++i) {
        int hour, minute, second;
        if (std::sscanf(argv[i], "%d:%d:%d", &hour, &minute, &second) != 3) return 2;
        for (Readout state : states) {
            Work work(format);
            Compose(&work, pictures, hour, minute, second, alarm, state);
            const Difference d = Compare(work, frameImage, format, shot, left, top, scale);
            if (d.count == 0) {
                std::printf("match %s %s\n", argv[i], Name(state));
                return 0;
            }
            if (nearestName.empty() || d.count < nearest.count) {
                nearest = d;
                nearestName = std::string(argv[i]) + " " + Name(state);
            }
        }
    }
    std::printf("no match; nearest %s with %d different pixels:\n%s", nearestName.c_str(),
                nearest.count, nearest.first.c_str());
    return 1;
}
