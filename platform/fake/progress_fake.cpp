#include "platform/fake/progress_fake.h"

namespace platform::fake {
namespace {

std::string MessageName(std::uint32_t message) {
    switch (message) {
        case PbmSetPos: return "PBM_SETPOS";
        case PbmSetRange32: return "PBM_SETRANGE32";
        case PbmGetRange: return "PBM_GETRANGE";
        default: return Hex(message);
    }
}

}  // namespace

void FakeProgressWindowSystem::StartProgressThread(ProgressWindowState& state) {
    log_.Add("StartProgressThread(" + state.PendingCaption + "," + state.PendingText + ")");
    ++threadsStarted;
    state_ = &state;
    if (threadStart == ThreadStart::AtOnce) RunThreadStart();
}

// What the real thread does: centre, make the window with its two children, record them.
void FakeProgressWindowSystem::RunThreadStart() {
    ProgressWindowState& state = *state_;
    if (threadStart == ThreadStart::ClassRefused) {
        state.ThreadEnded = true;
        return;
    }
    state.WindowLeft = CentredOrigin(screenWidth, ProgressWindowState::WindowWidth);
    state.WindowTop = CentredOrigin(screenHeight, ProgressWindowState::WindowHeight);
    windows[FrameHandle] = Window{state.PendingCaption, state.WindowLeft, state.WindowTop,
                                  ProgressWindowState::WindowWidth, ProgressWindowState::WindowHeight, true, true};
    windows[TextLineHandle] = Window{state.PendingText, 2, 2, 399, 20, true};
    windows[BarHandle] = Window{"", 2, 24, 400, 20, true};
    state.Window = FrameHandle;
    state.TextLine = TextLineHandle;
    state.Bar = BarHandle;
    state.WindowExists = true;
}

void FakeProgressWindowSystem::PauseBriefly() {
    ++pauses;
    now += pauseMs;
    const bool startsNow = threadStart == ThreadStart::AfterPauses || threadStart == ThreadStart::ClassRefused;
    if (state_ && startsNow && pauses == pausesBeforeStart) RunThreadStart();
}

bool FakeProgressWindowSystem::SetWindowTextA(WindowHandle window, const std::string& text) {
    log_.Add("SetWindowTextA(" + Hex(window) + "," + text + ")");
    auto found = windows.find(window);
    if (found == windows.end()) return false;
    found->second.text = text;
    return true;
}

bool FakeProgressWindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t left,
                                            std::int32_t top, std::int32_t width, std::int32_t height,
                                            std::uint32_t flags) {
    log_.Add("SetWindowPos(" + Hex(window) + "," + (insertAfter == HwndTopmost ? "HWND_TOPMOST" : Hex(insertAfter)) +
             "," + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," +
             std::to_string(height) + "," + Hex(flags) + ")");
    auto found = windows.find(window);
    if (found == windows.end()) return false;
    Window& shown = found->second;
    shown.left = left;
    shown.top = top;
    shown.width = width;
    shown.height = height;
    if (insertAfter == HwndTopmost) shown.topmost = true;
    if (flags & SwpShowWindow) shown.visible = true;
    if (flags & SwpHideWindow) shown.visible = false;
    return true;
}

std::intptr_t FakeProgressWindowSystem::SendMessageA(WindowHandle window, std::uint32_t message,
                                                     std::uintptr_t wParam, std::intptr_t lParam) {
    log_.Add("SendMessageA(" + Hex(window) + "," + MessageName(message) + "," + std::to_string(wParam) + "," +
             std::to_string(lParam) + ")");
    if (window != BarHandle || !windows.count(window)) return 0;
    Window& bar = windows[window];
    switch (message) {
        case PbmSetRange32:
            bar.rangeLow = static_cast<std::int32_t>(wParam);
            bar.rangeHigh = static_cast<std::int32_t>(lParam);
            return 0;
        case PbmGetRange:
            return wParam ? bar.rangeLow : bar.rangeHigh;
        case PbmSetPos: {
            const std::int32_t previous = bar.position;
            bar.position = static_cast<std::int32_t>(wParam);
            return previous;
        }
        default:
            return 0;
    }
}

}  // namespace platform::fake
