#pragma once
// The progress window as the main thread reaches it: the state that the window's own
// thread fills while it makes the window, and the few cross-thread window calls.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

constexpr std::uint32_t PbmSetPos = 1026;
constexpr std::uint32_t PbmSetRange32 = 1030;
constexpr std::uint32_t PbmGetRange = 1031;
constexpr std::uint32_t SwpShowWindow = 0x40;
constexpr std::uint32_t SwpHideWindow = 0x80;
constexpr WindowHandle HwndTopmost = static_cast<WindowHandle>(-1);

// Written by the progress thread, read by the main thread without a lock: the handles and the
// position are stored before WindowExists, so a reader that sees WindowExists sees them too.
struct ProgressWindowState {
    static constexpr std::int32_t WindowWidth = 408;
    static constexpr std::int32_t WindowHeight = 76;

    std::atomic<bool> WindowExists{false};
    std::atomic<std::int32_t> WindowLeft{0};
    std::atomic<std::int32_t> WindowTop{0};
    // Written by the main thread before the progress thread starts; read only while it makes the window.
    std::string PendingCaption;
    std::string PendingText;
    std::atomic<WindowHandle> Window{0};
    std::atomic<WindowHandle> TextLine{0};
    std::atomic<WindowHandle> Bar{0};
    // Main thread only: the thread was started once and is never started again.
    bool ThreadStarted = false;
    // Set by the progress thread when it ends; without WindowExists no window will ever come.
    std::atomic<bool> ThreadEnded{false};

    // Back to the state of a process that has shown no progress window.
    void Reset() {
        WindowExists = false;
        WindowLeft = 0;
        WindowTop = 0;
        PendingCaption.clear();
        PendingText.clear();
        Window = 0;
        TextLine = 0;
        Bar = 0;
        ThreadStarted = false;
        ThreadEnded = false;
    }
};

// Where a window of `size` starts so that it is centred on a screen of `screen` (integer halving).
constexpr std::int32_t CentredOrigin(std::int32_t screen, std::int32_t size) { return (screen - size) / 2; }

class ProgressWindowSystem {
public:
    virtual ~ProgressWindowSystem() = default;
    // Starts the thread that makes the window described by `state`, fills its handles and pumps its
    // messages until the window is destroyed. `state` outlives the thread.
    virtual void StartProgressThread(ProgressWindowState& state) = 0;
    virtual bool SetWindowTextA(WindowHandle window, const std::string& text) = 0;
    virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t left, std::int32_t top,
                              std::int32_t width, std::int32_t height, std::uint32_t flags) = 0;
    // Waits until the window's thread has handled the message; 0 for no window.
    virtual std::intptr_t SendMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
    // For the bounded wait for the window: a millisecond clock, and a pause that lets the thread run.
    virtual std::uint32_t TickCount() = 0;
    virtual void PauseBriefly() = 0;
};

}  // namespace platform
