#include "install/install_context.h"

#include "common/common_settings.h"
#include "common/messages.h"
#include "common/path_helpers.h"
#include "common/registry_key_scope.h"
#include "common/system_identification.h"
#include "platform/service.h"
#include "platform/system.h"

using platform::RootKey;

namespace {

const std::string ShellFoldersKey = std::string(CommonSettingsBlock::CurrentVersionKey) + "Explorer\\Shell Folders";

std::string ReadFolder(RootKey root, const std::string& key, const std::string& value) {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    registry.SetRootKey(root);
    std::string folder;
    if (registry.OpenKey(key, false)) folder = ReadTextIfPresent(registry, value);
    AppendBackslash(folder);
    return folder;
}

void ReadMachineShellFolders() {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    registry.SetRootKey(RootKey::LocalMachine);
    const bool opened = registry.OpenKey(ShellFoldersKey, false);
    CommonSettings.CommonDesktopFolder = opened ? ReadTextIfPresent(registry, "Common Desktop") : "";
    AppendBackslash(CommonSettings.CommonDesktopFolder);
    if (IsNtPlatform()) {
        if (opened) CommonSettings.MenuRootFolder = ReadTextIfPresent(registry, "Common Programs");
        AppendBackslash(CommonSettings.MenuRootFolder);
    }
}

// The folder named by an uninstall entry's "UninstallString", or "" when there is none.
std::string PreviousInstallationFolder(const std::string& entryKey) {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    registry.SetRootKey(RootKey::LocalMachine);
    if (!registry.OpenKey(entryKey, false) || !registry.ValueExists("UninstallString")) return {};
    return FolderOfUninstallString(registry.ReadString("UninstallString"));
}

}  // namespace

std::string Wow64ViewPath(const std::string& path) {
    const std::size_t backslash = path.find('\\');
    if (backslash == std::string::npos) return path;
    return path.substr(0, backslash + 1) + "WOW6432Node\\" + path.substr(backslash + 1);
}

bool BuildInstallContext() {
    CommonSettingsBlock& s = CommonSettings;
    const std::string currentVersion = CommonSettingsBlock::CurrentVersionKey;
    s.MenuRootFolder.clear();
    s.ProgramFilesFolder = ReadFolder(RootKey::LocalMachine, currentVersion, "ProgramFilesDir");
    s.IsAdministrator = platform::Use<platform::System>().IsUserAnAdmin();
    ReadMachineShellFolders();
    try {
        s.UserProgramsFolder = ReadFolder(RootKey::CurrentUser, ShellFoldersKey, "Programs");
    } catch (const platform::RegistryError&) {
        ShowErrorMessage("No access to system registry", "Нет доступа к системному реестру");
        return false;
    }
    s.UninstallKeyPath = currentVersion + "Uninstall\\";
    if (s.MenuRootFolder.size() < 2) s.MenuRootFolder = s.UserProgramsFolder;
    s.MenuFolder = s.MenuRootFolder + s.DisplayName() + "\\";
    s.UserMenuFolderRussian = s.UserProgramsFolder + s.RussianDisplayName + "\\";
    s.UserMenuFolderEnglish = s.UserProgramsFolder + s.EnglishDisplayName + "\\";
    s.TargetFolder = s.ProgramFilesFolder + s.ShortName;

    std::string previous = PreviousInstallationFolder(s.UninstallKeyPath + s.ShortName);
    s.PreviousWowEntryKey.clear();
    if (previous.empty()) {
        const std::string wowEntry = Wow64ViewPath(s.UninstallKeyPath) + s.ShortName;
        previous = PreviousInstallationFolder(wowEntry);
        if (!previous.empty()) s.PreviousWowEntryKey = wowEntry;
    }
    if (!previous.empty()) s.TargetFolder = previous;
    AppendBackslash(s.TargetFolder);
    return true;
}
