#pragma once
// The application object on Windows: its main form is a Win32FormWindow, run in the
// thread's message loop until it is closed.
#include <memory>
#include <vector>

#include "platform/forms_host.h"
#include "platform/win32/form_window_win32.h"

namespace platform::win32 {

class Win32Application : public forms::Application {
public:
    Win32Application();
    void CreateForm(forms::Form& form) override;
    void Run() override;

private:
    std::vector<std::unique_ptr<Win32FormWindow>> windows_;
    forms::Form* mainForm_ = nullptr;
    Win32FormWindow* mainWindow_ = nullptr;
};

}  // namespace platform::win32
