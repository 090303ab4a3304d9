#include "platform/win32/windows_api.h"
#include "platform/win32/desktop_win32.h"

#include "platform/win32/handles.h"

namespace platform::win32 {

int Win32Desktop::MessageBoxA(WindowHandle owner, const std::string& text, const std::string& caption,
                              std::uint32_t flags) {
    return ::MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), flags);
}

int Win32Desktop::MessageBoxExA(WindowHandle owner, const std::string& text, const std::string& caption,
                                std::uint32_t flags, std::uint16_t language) {
    return ::MessageBoxExA(ToHwnd(owner), text.c_str(), caption.c_str(), flags, language);
}

WindowHandle Win32Desktop::FindWindowA(const std::string& className) {
    return FromHwnd(::FindWindowA(className.c_str(), nullptr));
}

bool Win32Desktop::PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    return ::PostMessageA(ToHwnd(window), message, wParam, lParam) != FALSE;
}

bool Win32Desktop::ShowWindow(WindowHandle window, int command) { return ::ShowWindow(ToHwnd(window), command) != FALSE; }

bool Win32Desktop::SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

}  // namespace platform::win32
