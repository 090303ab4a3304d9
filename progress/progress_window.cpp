#include "progress/progress_window.h"

#include "platform/service.h"

platform::ProgressWindowState ProgressWindow;

namespace {

using platform::ProgressWindowState;

platform::ProgressWindowSystem& Windows() { return platform::Use<platform::ProgressWindowSystem>(); }

// False once it is certain that no bar will come (the thread never started, or ended, or made
// the window without its bar), or when the thread has had the whole waiting limit.
bool WorthWaiting(std::uint32_t waitStart) {
    if (!ProgressWindow.ThreadStarted || ProgressWindow.ThreadEnded) return false;
    if (ProgressWindow.WindowExists && ProgressWindow.Bar == 0) return false;
    return Windows().TickCount() - waitStart < ProgressWindowWaitLimitMs;
}

void WaitForWindow() {
    const std::uint32_t start = Windows().TickCount();
    while (!ProgressWindow.WindowExists && WorthWaiting(start)) Windows().PauseBriefly();
}

void ShowAtItsPlace(std::uint32_t flags) {
    Windows().SetWindowPos(ProgressWindow.Window, platform::HwndTopmost, ProgressWindow.WindowLeft,
                           ProgressWindow.WindowTop, ProgressWindowState::WindowWidth,
                           ProgressWindowState::WindowHeight, flags);
}

}  // namespace

void ShowProgress(const std::string& caption, const std::string& text) {
    if (!ProgressWindow.ThreadStarted) {
        ProgressWindow.PendingCaption = caption;
        ProgressWindow.PendingText = text;
        ProgressWindow.ThreadStarted = true;
        Windows().StartProgressThread(ProgressWindow);
        return;
    }
    // A second call while the thread is still making the window must not race its pending texts.
    WaitForWindow();
    if (!ProgressWindow.WindowExists) return;
    Windows().SetWindowTextA(ProgressWindow.Window, caption);
    Windows().SetWindowTextA(ProgressWindow.TextLine, text);
    ShowAtItsPlace(platform::SwpShowWindow);
}

void SetProgressText(const std::string& text) { Windows().SetWindowTextA(ProgressWindow.TextLine, text); }

void SetProgressMax(std::int32_t max) {
    const std::uint32_t start = Windows().TickCount();
    for (;;) {
        const platform::WindowHandle bar = ProgressWindow.Bar;
        Windows().SendMessageA(bar, platform::PbmSetRange32, 0, max);
        if (Windows().SendMessageA(bar, platform::PbmGetRange, 0, 0) == max) return;
        if (!WorthWaiting(start)) return;
        Windows().PauseBriefly();
    }
}

void SetProgressPosition(std::int32_t position) {
    Windows().SendMessageA(ProgressWindow.Bar, platform::PbmSetPos, static_cast<std::uintptr_t>(position), 0);
}

void HideProgress() { ShowAtItsPlace(platform::SwpHideWindow); }
