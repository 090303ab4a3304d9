#include "platform/win32/services.h"

#include <cstdlib>

#include "platform/win32/windows_api.h"
#include <objbase.h>

#include "platform/service.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/folder_picker_win32.h"
#include "platform/win32/form_application_win32.h"
#include "platform/win32/oem_text_win32.h"
#include "platform/win32/progress_window_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/resources_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_win32.h"

namespace platform::win32 {
namespace {

// A program that runs elevated from a downloads folder must not load a planted DLL.
void RestrictDllSearchToSystemFolder() {
    using Function = BOOL(WINAPI*)(DWORD);
    auto restrict = reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    constexpr DWORD SearchSystem32 = 0x00000800;
    if (restrict) restrict(SearchSystem32);
}

struct ComApartment {
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
};

}  // namespace

struct Services::Installed {
    ComApartment com;
    Win32System system;
    Win32Desktop desktop;
    Win32FileSystem files;
    Win32Shell shell;
    Win32RegistryFactory registry;
    Win32OemText oemText;
    Win32Resources resources;
    Win32ProgressWindowSystem progressWindows;
    Win32Application application;
    Win32FolderPicker folderPicker;
    ServiceScope<System> systemScope{system};
    ServiceScope<Desktop> desktopScope{desktop};
    ServiceScope<FileSystem> filesScope{files};
    ServiceScope<Shell> shellScope{shell};
    ServiceScope<RegistryFactory> registryScope{registry};
    ServiceScope<OemText> oemTextScope{oemText};
    ServiceScope<Resources> resourcesScope{resources};
    ServiceScope<ProgressWindowSystem> progressWindowsScope{progressWindows};
    ServiceScope<forms::Application> applicationScope{application};
    ServiceScope<FolderPicker> folderPickerScope{folderPicker};
};

Services::Services() {
    RestrictDllSearchToSystemFolder();
    installed_ = std::make_unique<Installed>();
}

Services::~Services() = default;

}  // namespace platform::win32

// Replaces the C++ runtime's default handler for an uncaught exception, which prints the
// demangled type name and so links a whole demangler into the program. Nothing is caught
// that the logic does not catch itself; such a failure simply ends the process.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
