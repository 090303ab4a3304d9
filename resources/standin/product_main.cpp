// Stand-in for the Morvalen application image. It keeps only what the setup and the
// uninstaller rely on: the named mapping while it runs, a main window of the product's
// class, and ending when WM_QUIT is posted to that window. On start it leaves a note in
// its current directory so that tests can tell where and from which file it was started.
#include <windows.h>

#include <string>

namespace {

const char kMarkerName[] = "morvalen_memfile";
const DWORD kMarkerSize = 64;
const char kMainWindowClass[] = "TMVMainForm";
const char kCaption[] = "Морвален";
const char kStartedNote[] = "standin_started.txt";

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { if (valid()) CloseHandle(handle_); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance) : instance_(instance) {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = MainWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kMainWindowClass;
        if (RegisterClassExA(&windowClass) == 0) return;
        registered_ = true;
        window_ = CreateWindowExA(0, kMainWindowClass, kCaption, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 480, 320,
                                  nullptr, nullptr, instance, nullptr);
    }
    ~MainWindow() {
        if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
        if (registered_) UnregisterClassA(kMainWindowClass, instance_);
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    HWND handle() const { return window_; }

private:
    HINSTANCE instance_;
    bool registered_ = false;
    HWND window_ = nullptr;
};

std::string CurrentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof(buffer), buffer);
    return length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

std::string OwnPath() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
    return length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

// Two lines, "current_directory=<path>" and "executable=<path>", CR LF terminated.
void WriteStartedNote() {
    const std::string text = "current_directory=" + CurrentDirectory() + "\r\n" +
                             "executable=" + OwnPath() + "\r\n";
    OwnedHandle file(CreateFileA(kStartedNote, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return;
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int RunMessageLoop() {
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // A second holder (the setup keeps the marker too) gets error 183 and still holds it.
    OwnedHandle marker(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                          0, kMarkerSize, kMarkerName));
    if (!marker.valid()) return 1;
    MainWindow window(instance);
    if (window.handle() == nullptr) return 1;
    ShowWindow(window.handle(), showCommand);
    UpdateWindow(window.handle());
    WriteStartedNote();
    return RunMessageLoop();
}
