#include "platform/win32/form_application_win32.h"

#include <commctrl.h>

namespace platform::win32 {

Win32Application::Win32Application() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
}

void Win32Application::CreateForm(forms::Form& form) {
    windows_.push_back(std::make_unique<Win32FormWindow>(form, mainForm_ == nullptr));
    if (mainForm_ == nullptr) {
        mainForm_ = &form;
        mainWindow_ = windows_.back().get();
    }
    form.Create(*windows_.back());
}

void Win32Application::Run() {
    if (mainForm_ == nullptr) return;
    if (!mainWindow_->Closed()) mainForm_->Show();
    MSG message{};
    // Closing posts WM_QUIT; the loop takes it, so no later message box finds it and ends at once.
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (mainWindow_->HandleDialogKey(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    // The forms end with the loop; their components may go out of scope after it.
    mainWindow_ = nullptr;
    mainForm_ = nullptr;
    windows_.clear();
}

}  // namespace platform::win32
