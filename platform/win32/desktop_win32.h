#pragma once
#include "platform/desktop.h"

namespace platform::win32 {

class Win32Desktop : public Desktop {
public:
    int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                    std::uint32_t flags) override;
    int MessageBoxExA(WindowHandle owner, const std::string& text, const std::string& caption, std::uint32_t flags,
                      std::uint16_t language) override;
    WindowHandle FindWindowA(const std::string& className) override;
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) override;
    bool ShowWindow(WindowHandle window, int command) override;
    bool SetForegroundWindow(WindowHandle window) override;
};

}  // namespace platform::win32
