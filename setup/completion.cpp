#include "setup/completion.h"

#include "common/common_settings.h"
#include "common/messages.h"
#include "common/product_marker.h"
#include "install/install_product.h"
#include "install/installation_run.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/service.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/types.h"
#include "setup/wizard/setup_form_results.h"

namespace {

constexpr int MarkerPolls = 8;
constexpr std::uint32_t MarkerPollMilliseconds = 512;
constexpr int WindowPolls = 11;
constexpr std::uint32_t WindowPollMilliseconds = 1024;

std::string CompletionReport(bool desktopShortcut) {
    std::string report = "На Ваш компьютер установлена программа \"" + CommonSettings.RussianDisplayName + "\" " +
                         CommonSettings.VersionText + " БЕЗ ЗВУКОВ.";
    if (desktopShortcut)
        report += "\r\n\r\nНа \"Рабочий стол\" помещён ярлык программы,\r\n"
                  "который Вы можете без вреда удалить или переместить.";
    return report;
}

// True once the started product holds its marker.
bool WaitForProductMarker() {
    for (int poll = 0; poll < MarkerPolls; ++poll) {
        platform::Use<platform::System>().Sleep(MarkerPollMilliseconds);
        if (!ProbeProductMarker()) return true;
    }
    return false;
}

void BringProductWindowToFront() {
    platform::Desktop& desktop = platform::Use<platform::Desktop>();
    for (int poll = 0; poll < WindowPolls; ++poll) {
        platform::Use<platform::System>().Sleep(WindowPollMilliseconds);
        const platform::WindowHandle window = desktop.FindWindowA(CommonSettings.MainWindowClass);
        if (window == 0) continue;
        desktop.ShowWindow(window, platform::SwShowNormal);
        desktop.SetForegroundWindow(window);
        return;
    }
}

}  // namespace

void LaunchProduct() {
    platform::Use<platform::FileSystem>().SetCurrentDirectory(CommonSettings.TargetFolder);
    // No directory of its own: the product starts in the current one, its installation folder.
    platform::Use<platform::Shell>().ShellExecuteA(0, "open", ProductExecutablePath(), "", "",
                                                   platform::SwShowNormal);
}

void CompleteSetup() {
    if (!SettingsConfirmed) return;
    CommonSettings.SetupRegistry->CloseKey();
    InstallFileList = CommonSettings.ShortName + ".exe;uninstall.exe;" + "riched32.dll;";
    if (!InstallProduct(CreateDesktopIcon)) return;
    ShowRussianBox(CompletionReport(CreateDesktopIcon), CommonSettings.RussianDisplayName, InformationBoxFlags);
    if (!RunAfterInstall) return;
    LaunchProduct();
    if (WaitForProductMarker()) BringProductWindowToFront();
}
