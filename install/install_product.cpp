#include "install/install_product.h"

#include <exception>

#include "common/common_settings.h"
#include "common/messages.h"
#include "common/path_helpers.h"
#include "common/registry_key_scope.h"
#include "install/folder_size.h"
#include "install/installation_run.h"
#include "install/remove_folder.h"
#include "install/shell_link.h"
#include "install/web_address.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/service.h"

namespace {

bool ShowNoRightsMessage() {
    ShowErrorMessage("You have no right to add/remove programs!\r\nPlease contact your system administrator.",
                     "У Вас нет права устанавливать программы!\r\nОбратитесь к системному администратору.");
    return false;
}

// Only a full path names the same folder whatever the current directory is.
bool IsAbsolutePath(const std::string& path) { return PathRootLength(path) != 0; }

std::string HelpAddress() { return std::string(ProductWebAddress) + "/" + CommonSettings.ShortName + ".htm"; }

// Values 1 to 14 of the uninstall entry, in the order the list of programs shows them.
void WriteEntryValues(platform::Registry& entry) {
    const CommonSettingsBlock& s = CommonSettings;
    entry.WriteString("DisplayName", s.DisplayName());
    entry.WriteString("UninstallString", s.TargetFolder + "uninstall.exe");
    entry.WriteString("DisplayIcon", ProductExecutablePath());
    entry.WriteString("DisplayVersion", s.VersionText);
    entry.WriteInteger("VersionMajor", s.VersionMajor);
    entry.WriteInteger("VersionMinor", s.VersionMinor);
    entry.WriteString("InstallLocation", WithoutTrailingBackslash(s.TargetFolder));
    entry.WriteString("InstallDate", InstallDateText());
    entry.WriteString("Publisher", s.InterfaceIsRussian ? "Студия Морвален" : "Morvalen Studio");
    entry.WriteString("URLInfoAbout", ProductWebAddress);
    entry.WriteString("HelpLink", HelpAddress());
    entry.WriteString("URLUpdateInfo", HelpAddress());
    entry.WriteInteger("NoModify", 1);
    entry.WriteInteger("NoRepair", 1);
}

void OpenUninstallEntry(platform::Registry& registry) {
    registry.SetRootKey(platform::RootKey::LocalMachine);
    const std::string key = CommonSettings.UninstallKeyPath + CommonSettings.ShortName;
    if (!registry.OpenKey(key, true)) throw platform::RegistryError("Cannot open '" + key + "'");
}

// Folders of earlier installations under both names, and the product's menu folder with
// all it holds. A relative path would name a folder under the current directory: skipped.
void RemoveOldMenuFolders() {
    const CommonSettingsBlock& s = CommonSettings;
    for (const std::string* folder : {&s.UserMenuFolderEnglish, &s.UserMenuFolderRussian, &s.MenuFolder})
        if (IsAbsolutePath(*folder)) RemoveFolder(*folder);
}

void CreateFolders() {
    platform::FileSystem& files = platform::Use<platform::FileSystem>();
    if (IsAbsolutePath(CommonSettings.MenuFolder)) files.CreateDirectory(CommonSettings.MenuFolder);
    files.CreateDirectory(CommonSettings.TargetFolder);
}

void CreateShortcuts(bool desktopShortcut) {
    const CommonSettingsBlock& s = CommonSettings;
    const std::string programLink = s.DisplayName() + ".lnk";
    if (IsAbsolutePath(s.MenuFolder)) CreateShellLink(ProductExecutablePath(), s.MenuFolder + programLink, "", s.Title(), 0);
    if (desktopShortcut && IsAbsolutePath(s.CommonDesktopFolder))
        CreateShellLink(ProductExecutablePath(), s.CommonDesktopFolder + programLink, "", s.Title(), 0);
    const std::string uninstallLink = s.InterfaceIsRussian ? "Удаление программы.lnk" : "Uninstall the program.lnk";
    if (IsAbsolutePath(s.MenuFolder))
        CreateShellLink(s.TargetFolder + "Uninstall.exe", s.MenuFolder + uninstallLink, "", s.Title(), 0);
}

void RecordEstimatedSize(platform::Registry& entry) {
    const std::int32_t sizeKB = FolderSizeKB(CommonSettings.TargetFolder);
    if (sizeKB != -1) entry.WriteInteger("EstimatedSize", sizeKB);
}

void WriteWebSiteShortcut() {
    const CommonSettingsBlock& s = CommonSettings;
    if (!IsAbsolutePath(s.MenuFolder)) return;
    const std::string name = s.InterfaceIsRussian ? "Интернет-сайт программы.url" : "Program's website.url";
    const std::string text = "[InternetShortcut]\r\nURL=" + std::string(ProductWebAddress) + "\r\n";
    platform::Use<platform::FileSystem>().WriteFile(s.MenuFolder + name, text.data(), text.size());
}

// Steps after the rights check; a registry failure escapes as an exception.
bool RegisterAndInstall(bool desktopShortcut) {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    OpenUninstallEntry(registry);
    WriteEntryValues(registry);
    RemoveOldMenuFolders();
    CreateFolders();
    if (!RunInstallation()) return false;
    CreateShortcuts(desktopShortcut);
    RecordEstimatedSize(registry);
    registry.CloseKey();
    // The entry now lives in this view; the one of a 32-bit-view installation goes.
    if (!CommonSettings.PreviousWowEntryKey.empty()) registry.DeleteKey(CommonSettings.PreviousWowEntryKey);
    WriteWebSiteShortcut();
    return true;
}

}  // namespace

std::string ProductExecutablePath() { return CommonSettings.TargetFolder + CommonSettings.ShortName + ".exe"; }

bool InstallProduct(bool createDesktopShortcut) {
    if (!CommonSettings.IsAdministrator) return ShowNoRightsMessage();
    try {
        return RegisterAndInstall(createDesktopShortcut);
    } catch (const std::exception&) {
        // A registry refusal (platform::RegistryError) or anything the installation run let through.
        return ShowNoRightsMessage();
    }
}
