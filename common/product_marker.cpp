#include "common/product_marker.h"

#include "common/common_settings.h"
#include "platform/desktop.h"
#include "platform/service.h"
#include "platform/system.h"

namespace {
constexpr std::uint32_t MarkerSize = 64;
}

bool CreateProductMarker(const std::string& markerName, platform::KernelHandle& handle) {
    std::uint32_t lastError = 0;
    handle = platform::Use<platform::System>().CreateFileMapping(markerName, MarkerSize, lastError);
    return lastError == platform::ErrorAlreadyExists;
}

bool ProbeProductMarker() {
    platform::KernelHandle handle = 0;
    if (CreateProductMarker(CommonSettings.MarkerName, handle)) return false;
    if (handle != 0) platform::Use<platform::System>().CloseHandle(handle);
    return true;
}

void AskProductToQuit() {
    platform::Desktop& desktop = platform::Use<platform::Desktop>();
    const platform::WindowHandle window = desktop.FindWindowA(CommonSettings.MainWindowClass);
    if (window != 0) desktop.PostMessageA(window, platform::WmQuit, 0, 0);
}
