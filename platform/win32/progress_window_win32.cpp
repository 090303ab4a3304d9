#include "platform/win32/progress_window_win32.h"

#include "platform/win32/windows_api.h"
#include <commctrl.h>

#include "platform/win32/handles.h"
#include "platform/win32/thread_win32.h"

namespace platform::win32 {
namespace {

constexpr char ClassName[] = "PlainWindow";
constexpr DWORD FrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_STATICEDGE;

HINSTANCE Module() { return ::GetModuleHandleA(nullptr); }

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style, int left, int top,
                 int width, int height) {
    return ::CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, left, top, width, height,
                             parent, nullptr, Module(), nullptr);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA& creation) {
    auto& state = *static_cast<ProgressWindowState*>(creation.lpCreateParams);
    state.TextLine = FromHwnd(CreateChild(window, "STATIC", state.PendingText, SS_LEFT, 2, 2, 399, 20));
    state.Bar = FromHwnd(CreateChild(window, PROGRESS_CLASSA, "", WS_THICKFRAME, 2, 24, 400, 20));
    return 0;
}

LRESULT CALLBACK ProgressWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
        default: return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterPlainWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_NOCLOSE;
    windowClass.lpfnWndProc = ProgressWindowProcedure;
    windowClass.cbClsExtra = 4;
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = Module();
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = ClassName;
    return ::RegisterClassExA(&windowClass) != 0;
}

// The window body: make the window once, then pump its messages for the rest of the process.
void RunProgressWindow(ProgressWindowState& state) {
    state.WindowLeft = CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), ProgressWindowState::WindowWidth);
    state.WindowTop = CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), ProgressWindowState::WindowHeight);
    ::InitCommonControls();
    if (!RegisterPlainWindowClass()) return;
    HWND window = ::CreateWindowExA(FrameExStyle, ClassName, state.PendingCaption.c_str(), WS_DLGFRAME,
                                    state.WindowLeft, state.WindowTop, ProgressWindowState::WindowWidth,
                                    ProgressWindowState::WindowHeight, nullptr, nullptr, Module(), &state);
    // Without a window there is nothing to pump; ending tells the waiting main thread so.
    if (!window) return;
    state.Window = FromHwnd(window);
    state.WindowExists = true;
    ::ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

class ProgressThread : public Thread {
public:
    explicit ProgressThread(ProgressWindowState& state) : state_(state) {}

protected:
    void Execute() override {
        FreeOnTerminate = true;
        RunProgressWindow(state_);
        state_.ThreadEnded = true;
    }

private:
    ProgressWindowState& state_;
};

}  // namespace

void Win32ProgressWindowSystem::StartProgressThread(ProgressWindowState& state) {
    auto* thread = new ProgressThread(state);
    if (thread->Start()) return;
    delete thread;
    state.ThreadEnded = true;
}

bool Win32ProgressWindowSystem::SetWindowTextA(WindowHandle window, const std::string& text) {
    return ::SetWindowTextA(ToHwnd(window), text.c_str()) != FALSE;
}

bool Win32ProgressWindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t left,
                                             std::int32_t top, std::int32_t width, std::int32_t height,
                                             std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), left, top, width, height, flags) != FALSE;
}

std::intptr_t Win32ProgressWindowSystem::SendMessageA(WindowHandle window, std::uint32_t message,
                                                      std::uintptr_t wParam, std::intptr_t lParam) {
    return ::SendMessageA(ToHwnd(window), message, wParam, lParam);
}

std::uint32_t Win32ProgressWindowSystem::TickCount() { return ::GetTickCount(); }

void Win32ProgressWindowSystem::PauseBriefly() { ::Sleep(1); }

}  // namespace platform::win32
