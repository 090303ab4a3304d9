#pragma once
// Message boxes and other programs' top-level windows.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual int MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                            std::uint32_t flags) = 0;
    virtual int MessageBoxExA(WindowHandle owner, const std::string& text, const std::string& caption,
                              std::uint32_t flags, std::uint16_t language) = 0;
    // A top-level window of that class, any title; 0 when there is none.
    virtual WindowHandle FindWindowA(const std::string& className) = 0;
    virtual bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) = 0;
    virtual bool ShowWindow(WindowHandle window, int command) = 0;
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
};

}  // namespace platform
