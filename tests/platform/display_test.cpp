// The display on Wine's DirectDraw: surfaces at the screen's format, the rebuild after a
// change of depth, the composed face, and the window shape against the frame bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "alarms/alarm_table.h"
#include "tests/support/bmp8.h"
#include "display/display.h"
#include "display/raster.h"
#include "display/shape_scan.h"
#include "shell/shell.h"
#include "shell/tick_timing.h"

namespace {

constexpr char TestClassName[] = "PelioDisplayTest";
const std::string Resources = std::string("Z:") + PELIO_SOURCE_DIR + "/resources/";

HBITMAP LoadResourceBitmap(const char* name)
{
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// A window standing in for the clock's, with the display made as start-up makes it.
class DisplayWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = TestClassName;
        RegisterClassA(&windowClass);
        MainWindow = CreateWindowExA(WS_EX_TOOLWINDOW, TestClassName, "display test",
                                     WS_POPUP | WS_VISIBLE, 0, 0, ClockWindowSize,
                                     ClockWindowSize, nullptr, nullptr, GetModuleHandleA(nullptr),
                                     nullptr);
        ASSERT_NE(MainWindow, nullptr);
        HDC dc = GetDC(MainWindow);
        DisplayDepth = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
        screenBits_ = GetDeviceCaps(dc, BITSPIXEL);
        ReleaseDC(MainWindow, dc);
        ASSERT_TRUE(CreateDisplay(MainWindow));
        PanelBitmap = LoadResourceBitmap("IDB_PANEL");
        FrameBitmap = LoadResourceBitmap("IDB_FRAME");
        FontBitmap = LoadResourceBitmap("IDB_FONT");
        ASSERT_TRUE(PanelBitmap && FrameBitmap && FontBitmap);
        ReloadSurfaceBitmaps();
        UpdateScreenRect();
        BuildTrigTables();
        ASSERT_TRUE(ReadBmp8((Resources + "IDB_PANEL.bmp").c_str(), &panel_));
        ASSERT_TRUE(ReadBmp8((Resources + "IDB_FRAME.bmp").c_str(), &frame_));
        ASSERT_TRUE(ReadBmp8((Resources + "IDB_FONT.bmp").c_str(), &font_));
        Alarm = 0;
    }

    void TearDown() override
    {
        ReleaseDisplay();
        DeleteObject(PanelBitmap);
        DeleteObject(FrameBitmap);
        DeleteObject(FontBitmap);
        PanelBitmap = FrameBitmap = FontBitmap = nullptr;
        if (MainWindow) DestroyWindow(MainWindow);
        MainWindow = nullptr;
        TickEnabled = 0;
        PointerTracked = PointerNearClock = false;
    }

    // The work surface's pixels as 0xRRGGBB; the tests run on a 32-bit screen.
    void ReadWorkSurface()
    {
        ASSERT_EQ(DisplayDepth, 32) << "these checks read 32-bit pixels";
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(WorkSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        for (int y = 0; y < 160; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch);
            for (int x = 0; x < 160; ++x) face_[y][x] = row[x] & 0xFFFFFF;
        }
        WorkSurface->Unlock(nullptr);
    }

    static uint32_t Rgb(const PaletteColour& c)
    {
        return static_cast<uint32_t>(c.red) << 16 | static_cast<uint32_t>(c.green) << 8 | c.blue;
    }

    void DrawAt(WORD hour, WORD minute, WORD second)
    {
        SYSTEMTIME time = {};
        time.wHour = hour;
        time.wMinute = minute;
        time.wSecond = second;
        DrawClockFace(time);
    }

    int screenBits_ = 0;
    Bmp8Image panel_, frame_, font_;
    uint32_t face_[160][160] = {};
};

TEST_F(DisplayWindow, SurfacesTakeTheScreensFormat)
{
    struct Case {
        const char* name;
        IDirectDrawSurface* surface;
        DWORD width, height;
    };
    const Case cases[] = {
        {"work", WorkSurface, 160, 160},
        {"frame", FrameSurface, 160, 160},
        {"panel", PanelSurface, 1440, 160},
        {"font", FontSurface, 224, 18},
    };
    EXPECT_EQ(DisplayDepth, screenBits_);
    ASSERT_NE(ScreenSurface, nullptr);
    ASSERT_NE(ScreenClipper, nullptr);
    for (const Case& c : cases) {
        ASSERT_NE(c.surface, nullptr) << c.name;
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(c.surface->GetSurfaceDesc(&desc), DD_OK) << c.name;
        EXPECT_EQ(desc.dwWidth, c.width) << c.name;
        EXPECT_EQ(desc.dwHeight, c.height) << c.name;
        EXPECT_EQ(static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount), screenBits_) << c.name;
        EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY) << c.name;
    }
}

TEST_F(DisplayWindow, DepthChangeRebuildsEverythingAndRestartsTheTick)
{
    // The screen did not change, so a disagreeing depth is a change to the screen's. It
    // is looked at only once the system has told of a change.
    DisplayDepth = 8;
    TickEnabled = 1;
    ClockTimerId = SetTimer(MainWindow, ClockTimerIdentifier, TickPeriodMs, nullptr);
    IDirectDrawSurface* work = WorkSurface;
    CheckDisplay();
    EXPECT_EQ(DisplayDepth, 8);
    EXPECT_EQ(WorkSurface, work);
    NoteDisplayChange();
    CheckDisplay();

    EXPECT_EQ(DisplayDepth, screenBits_);
    EXPECT_EQ(TickEnabled, 1);
    EXPECT_EQ(ClockTimerId, ClockTimerIdentifier);
    EXPECT_TRUE(ScreenSurface && ScreenClipper && WorkSurface && FrameSurface && PanelSurface &&
                FontSurface);

    // The bitmaps were copied again and a face draws on the new surfaces.
    SetCursorPos(600, 600);
    DrawAt(0, 0, 0);
    ReadWorkSurface();
    EXPECT_EQ(face_[0][0], 0xFF0000u) << "the frame's red corner";
    EXPECT_EQ(face_[60][80], 0xFFFFFFu) << "the hands";
    EXPECT_TRUE(KillTimer(MainWindow, ClockTimerId)) << "the tick timer runs again";
}

TEST_F(DisplayWindow, SameDepthKeepsTheSurfacesAndTheTimer)
{
    IDirectDrawSurface* work = WorkSurface;
    ClockTimerId = 77;
    TickEnabled = 1;
    NoteDisplayChange();
    CheckDisplay();
    EXPECT_EQ(WorkSurface, work);
    EXPECT_EQ(ClockTimerId, 77u);
    EXPECT_EQ(TickEnabled, 1);
}

TEST_F(DisplayWindow, ReleaseIsRepeatableAndAnEmptyDisplayIsLeftAlone)
{
    ReleaseDisplay();
    ReleaseDisplay();
    EXPECT_FALSE(DirectDrawObject || ScreenSurface || ScreenClipper || WorkSurface ||
                 FrameSurface || PanelSurface || FontSurface);
    DisplayDepth = 8;
    CheckDisplay();
    EXPECT_EQ(DisplayDepth, 8) << "no check without a screen surface";
    EXPECT_EQ(ScreenSurface, nullptr);
    EXPECT_TRUE(LoadBitmapToSurface(FrameSurface, FrameBitmap)) << "nothing to copy into";
    ReloadSurfaceBitmaps();
    DrawAt(12, 0, 0);
}

// Away from the hands the face is the picture for the hour where the frame is black and
// the frame everywhere else; at 10:08:30 every hand lies within 56 pixels of the centre.
TEST_F(DisplayWindow, FaceIsThePictureUnderTheFrame)
{
    SetCursorPos(600, 600);
    DrawAt(10, 8, 30);
    ReadWorkSurface();
    const int picture = 0;
    int mismatches = 0;
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 160; ++x) {
            if (std::hypot(x - 80, y - 80) <= 56) continue;
            const uint32_t frame = Rgb(frame_.ColourAt(x, y));
            const uint32_t expected = frame ? frame : Rgb(panel_.ColourAt(160 * picture + x, y));
            if (face_[y][x] != expected && ++mismatches <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << face_[y][x]
                              << " instead of " << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(face_[120][80], 0xFFFFFFu) << "the second hand points down";
}

// Non-black pixels of a font cell must show at (x, y) of the face.
int GlyphMismatches(const Bmp8Image& font, const uint32_t (&face)[160][160], int left, int top,
                    int width, int height, int x, int y)
{
    int mismatches = 0;
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx) {
            const PaletteColour& c = font.ColourAt(left + dx, top + dy);
            const uint32_t rgb = static_cast<uint32_t>(c.red) << 16 | c.green << 8 | c.blue;
            if (rgb && face[y + dy][x + dx] != rgb) ++mismatches;
        }
    return mismatches;
}

TEST_F(DisplayWindow, AlarmLabelFollowsTheSetting)
{
    SetCursorPos(600, 600);
    Alarm = 1;
    DrawAt(15, 0, 0);
    ReadWorkSurface();
    EXPECT_EQ(GlyphMismatches(font_, face_, 176, 0, 32, 18, 45, 100), 0) << "label shown";
    Alarm = 0;
    DrawAt(15, 0, 0);
    ReadWorkSurface();
    EXPECT_GT(GlyphMismatches(font_, face_, 176, 0, 32, 18, 45, 100), 0) << "label hidden";
}

TEST_F(DisplayWindow, ReadoutWhileThePointerIsInsideWithABlinkingColon)
{
    const int colonCell = 160, hourTens = 0, hourUnits = 16 * 9, minuteUnits = 16 * 5;
    ColonShown = 0;
    PointerNearClock = true;
    struct Case {
        const char* where;
        int x, y;
        bool tracked;  // the window has not been told that the pointer left
        bool readout;
        bool colon;
    };
    // Faces are drawn one after the other: the colon flips only on faces with a read-out.
    // Once the pointer has left the window it is looked for until it is found off the
    // clock, and then no more until it moves over the window again.
    const Case cases[] = {
        {"on the left column", ScreenRect.left, 80, true, false, false},
        {"on the top row", 80, ScreenRect.top, true, false, false},
        {"one pixel in from the left", ScreenRect.left + 1, 80, true, true, true},
        {"inside again", 80, 80, true, true, false},
        {"outside", ScreenRect.right, 80, true, false, false},
        {"in a see-through corner", ScreenRect.left + 2, ScreenRect.top + 2, true, true, true},
        {"in the corner, left", ScreenRect.left + 2, ScreenRect.top + 2, false, true, false},
        {"outside, left", ScreenRect.right, 80, false, false, false},
        {"inside, no move seen", 80, 80, false, false, false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetCursorPos(c.x, c.y));
        PointerTracked = c.tracked;
        DrawAt(9, 5, 0);
        ReadWorkSurface();
        const bool digits = GlyphMismatches(font_, face_, hourTens, 0, 15, 17, 44, 70) == 0 &&
                            GlyphMismatches(font_, face_, hourUnits, 0, 15, 17, 60, 70) == 0 &&
                            GlyphMismatches(font_, face_, hourTens, 0, 15, 17, 86, 70) == 0 &&
                            GlyphMismatches(font_, face_, minuteUnits, 0, 15, 17, 102, 70) == 0;
        const bool colon = GlyphMismatches(font_, face_, colonCell, 0, 15, 17, 76, 70) == 0;
        EXPECT_EQ(digits, c.readout) << c.where;
        if (c.readout) EXPECT_EQ(colon, c.colon) << c.where;
    }
}

// A timer tick that still reads the second drawn last came early: drawn again, it would
// flip the colon back at once and the blink would stall.
TEST_F(DisplayWindow, TimerTickInTheSecondDrawnLastIsNotDrawnAgain)
{
    TickEnabled = 1;
    PointerNearClock = PointerTracked = true;
    ColonShown = 0;
    ASSERT_TRUE(SetCursorPos(80, 80));
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    ClockWndProc(MainWindow, WM_TIMER, ClockTimerIdentifier, 0);
    ClockWndProc(MainWindow, WM_TIMER, ClockTimerIdentifier, 0);
    GetLocalTime(&after);
    if (after.wSecond == before.wSecond) EXPECT_EQ(ColonShown, 1);
    EXPECT_TRUE(KillTimer(MainWindow, ClockTimerIdentifier)) << "the timer runs on";
}

TEST_F(DisplayWindow, WindowShapeIsTheFrameWithoutItsRedSurround)
{
    HRGN shape = nullptr;
    ASSERT_TRUE(BuildWindowRegion(MainWindow, "IDB_FRAME", 0, 0, 161, 161, 1, &shape));
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    ScanWindowShape(
        0, 0, 161, 161, [&](int x, int y) { return IsShapeKeyPixel(frame_, x, y); },
        [&](const ShapeRect& r) {
            HRGN run = CreateRectRgn(r.left, r.top, r.right, r.bottom);
            CombineRgn(expected, expected, run, RGN_OR);
            DeleteObject(run);
        });
    EXPECT_TRUE(EqualRgn(shape, expected));
    EXPECT_TRUE(PtInRegion(shape, 80, 0));
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_TRUE(PtInRegion(shape, 80, 160)) << "the row below the bitmap";
    DeleteObject(expected);
    DeleteObject(shape);

    HRGN untouched = reinterpret_cast<HRGN>(1);
    EXPECT_FALSE(BuildWindowRegion(MainWindow, "NO_SUCH_BITMAP", 0, 0, 161, 161, 1, &untouched));
    EXPECT_EQ(untouched, reinterpret_cast<HRGN>(1));
}

}  // namespace

namespace {

// Presses OK on the lock-failure message once it shows, noting whether the tick was off
// while it was up.
DWORD WINAPI AnswerLockMessage(void* tickOffWhileShown)
{
    for (int i = 0; i < 500; ++i) {
        HWND box = FindWindowA("#32770", MessageCaption);
        if (box) {
            char text[128] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            *static_cast<int*>(tickOffWhileShown) =
                TickEnabled == 0 && strcmp(text, "サーフェイスのロックに失敗しました。") == 0;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}

// The timer keeps firing inside the message box's loop; with the tick still on, each
// tick would fail the same lock and open another box.
TEST_F(DisplayWindow, FailedLockStopsTheTickBeforeItsMessageAndClosesTheClock)
{
    DDSURFACEDESC held = {};
    held.dwSize = sizeof held;
    ASSERT_EQ(WorkSurface->Lock(nullptr, &held, DDLOCK_WAIT, nullptr), DD_OK);
    TickEnabled = 1;
    int tickOffWhileShown = -1;
    HANDLE answerer = CreateThread(nullptr, 0, AnswerLockMessage, &tickOffWhileShown, 0, nullptr);
    EXPECT_FALSE(LockWorkSurface());
    WaitForSingleObject(answerer, 5000);
    CloseHandle(answerer);
    WorkSurface->Unlock(nullptr);
    EXPECT_EQ(tickOffWhileShown, 1);
    EXPECT_FALSE(IsWindow(MainWindow)) << "the clock is closed";
    MainWindow = nullptr;
}

}  // namespace

namespace {

// The 32-bit build computes with the x87 unit, whose extra precision would move these
// crossings by a pixel: each step of a crossing must be rounded to double as on any
// other machine.
TEST(FillPolygonOn32Bits, CrossingsLandWhereDoubleArithmeticPutsThem)
{
    struct Case {
        HandPoint outline[5];
        int row, from, to;
    };
    const Case cases[] = {
        {{{29, 68}, {114, 29}, {39, 42}, {112, 109}, {29, 68}}, 29, 114, 114},
        {{{124, 82}, {74, 133}, {123, 132}, {39, 96}, {124, 82}}, 105, 60, 101},
        {{{82, 112}, {45, 76}, {100, 53}, {37, 102}, {82, 112}}, 95, 46, 64},
    };
    uint8_t table[256];
    for (int i = 0; i < 256; ++i) table[i] = 1;
    for (const Case& c : cases) {
        std::vector<uint8_t> pixels(160 * 160, 0);
        FillPolygon({pixels.data(), 160, 8, table}, c.outline, 4, 0, 0);
        int from = -1, to = -1;
        for (int x = 0; x < 160; ++x)
            if (pixels[static_cast<size_t>(c.row * 160 + x)]) {
                if (from < 0) from = x;
                to = x;
            }
        EXPECT_EQ(from, c.from) << "row " << c.row << " of the outline from (" << c.outline[0].x
                                << ", " << c.outline[0].y << ")";
        EXPECT_EQ(to, c.to) << "row " << c.row;
    }
}

}  // namespace
