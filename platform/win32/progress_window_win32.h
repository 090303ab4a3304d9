#pragma once
#include "platform/progress.h"

namespace platform::win32 {

// The progress window's thread, class "PlainWindow" and window procedure, and the
// cross-thread calls that the main thread makes on the window.
class Win32ProgressWindowSystem : public ProgressWindowSystem {
public:
    void StartProgressThread(ProgressWindowState& state) override;
    bool SetWindowTextA(WindowHandle window, const std::string& text) override;
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t left, std::int32_t top,
                      std::int32_t width, std::int32_t height, std::uint32_t flags) override;
    std::intptr_t SendMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    std::uint32_t TickCount() override;
    void PauseBriefly() override;
};

}  // namespace platform::win32
