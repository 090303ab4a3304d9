#pragma once
// The progress window's thread and windows played in memory: a test chooses when (or
// whether) the window is made, and reads back what each window shows.
#include <map>

#include "platform/fake/call_log.h"
#include "platform/progress.h"

namespace platform::fake {

class FakeProgressWindowSystem : public ProgressWindowSystem {
public:
    explicit FakeProgressWindowSystem(CallLog& log) : log_(log) {}
    void StartProgressThread(ProgressWindowState& state) override;
    bool SetWindowTextA(WindowHandle window, const std::string& text) override;
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height, std::uint32_t flags) override;
    std::intptr_t SendMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    std::uint32_t TickCount() override { return now; }
    void PauseBriefly() override;

    enum class ThreadStart {
        AtOnce,         // the window is up when StartProgressThread returns
        AfterPauses,    // the window comes after `pausesBeforeStart` pauses of the main thread
        ClassRefused,   // after those pauses the thread ends without a window
        Hangs,          // the thread never gets as far as the window
    };
    ThreadStart threadStart = ThreadStart::AtOnce;
    int pausesBeforeStart = 0;
    std::int32_t screenWidth = 1920;
    std::int32_t screenHeight = 1080;
    std::uint32_t now = 0;       // the clock, advanced by every pause
    std::uint32_t pauseMs = 1;

    struct Window {
        std::string text;
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        bool visible = false;
        bool topmost = false;
        std::int32_t rangeLow = 0;  // the control's default range is 0 .. 100
        std::int32_t rangeHigh = 100;
        std::int32_t position = 0;
    };
    static constexpr WindowHandle FrameHandle = 0x501;
    static constexpr WindowHandle TextLineHandle = 0x502;
    static constexpr WindowHandle BarHandle = 0x503;
    std::map<WindowHandle, Window> windows;  // every window made so far
    int threadsStarted = 0;
    int pauses = 0;

private:
    void RunThreadStart();
    ProgressWindowState* state_ = nullptr;
    CallLog& log_;
};

}  // namespace platform::fake
