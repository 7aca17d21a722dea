// The clock's window procedure on a real window: what closes the clock and what must not,
// the hit test before any surface exists, and the screen rectangle kept on moves.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "shell/shell.h"

namespace {

constexpr char TestClassName[] = "PelioShellTest";

// Hands every message to the clock's procedure except the destruction, whose handler
// ends the process; the test sees a destroyed window instead.
LRESULT CALLBACK GuardedClockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) return 0;
    return ClockWndProc(window, message, wParam, lParam);
}

class ShellWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = GuardedClockProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = TestClassName;
        RegisterClassA(&windowClass);
        savedWindow_ = MainWindow;
        OpenWindow();
    }

    // A fresh window after a case has closed the last one.
    void OpenWindow()
    {
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, TestClassName, "shell test", WS_POPUP, 0, 0,
                                  ClockWindowSize, ClockWindowSize, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        MainWindow = window_;
        TickEnabled = 0;
    }

    void TearDown() override
    {
        if (IsWindow(window_)) DestroyWindow(window_);
        MainWindow = savedWindow_;
        TickEnabled = 0;
    }

    HWND window_ = nullptr;
    HWND savedWindow_ = nullptr;
};

TEST_F(ShellWindow, OnlyEscapeClosesTheClock)
{
    struct Case {
        WPARAM key;
        bool closes;
    };
    const Case cases[] = {
        {VK_ESCAPE, true}, {'A', false},    {VK_RETURN, false}, {VK_SPACE, false},
        {VK_F4, false},    {VK_DOWN, false}, {VK_DELETE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << c.key);
        if (!IsWindow(window_)) OpenWindow();
        TickEnabled = 1;
        EXPECT_EQ(SendMessageA(window_, WM_KEYDOWN, c.key, 1), 0);
        EXPECT_EQ(IsWindow(window_) == FALSE, c.closes);
        EXPECT_EQ(TickEnabled, c.closes ? 0 : 1);
    }
}

// Only a menu command, whose high word is 0, may match; the settings and About commands
// are left out as plain values since they would open modal dialogs.
TEST_F(ShellWindow, MenuCommandsCompareTheWholeParameter)
{
    struct Case {
        WPARAM wParam;
        bool closes;
    };
    const Case cases[] = {
        {IDM_EXIT, true},
        {MAKEWPARAM(IDM_EXIT, 1), false},
        {MAKEWPARAM(IDM_EXIT, 0xFFFF), false},
        {MAKEWPARAM(IDM_SETTINGS, 1), false},
        {MAKEWPARAM(IDM_ABOUT, BN_CLICKED + 1), false},
        {202, false},
        {203, false},
        {0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "wParam 0x" << std::hex << c.wParam);
        if (!IsWindow(window_)) OpenWindow();
        TickEnabled = 1;
        EXPECT_EQ(SendMessageA(window_, WM_COMMAND, c.wParam, 0), 0);
        EXPECT_EQ(IsWindow(window_) == FALSE, c.closes);
        EXPECT_EQ(TickEnabled, c.closes ? 0 : 1);
    }
}

// Every point is the caption, even before the surfaces the hit test refills exist.
TEST_F(ShellWindow, HitTestIsCaptionEverywhere)
{
    const POINT points[] = {{0, 0}, {80, 80}, {159, 159}, {160, 0}, {-5, -5}, {2000, 1500}};
    for (const POINT& p : points) {
        SCOPED_TRACE(testing::Message() << "point " << p.x << "," << p.y);
        EXPECT_EQ(SendMessageA(window_, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION);
    }
}

TEST_F(ShellWindow, MoveKeepsTheScreenRectangle)
{
    struct Case {
        int x, y;
        RECT expected;
    };
    const Case cases[] = {
        {30, 40, {30, 40, 190, 200}},
        {0, 0, {0, 0, 160, 160}},
        {-20, 700, {-20, 700, 140, 860}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "moved to " << c.x << "," << c.y);
        SetWindowPos(window_, nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(ScreenRect.left, c.expected.left);
        EXPECT_EQ(ScreenRect.top, c.expected.top);
        EXPECT_EQ(ScreenRect.right, c.expected.right);
        EXPECT_EQ(ScreenRect.bottom, c.expected.bottom);
    }
}

}  // namespace
