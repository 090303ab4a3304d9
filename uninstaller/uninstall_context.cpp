#include "uninstaller/uninstall_context.h"

#include <utility>
#include <vector>

#include "common/common_settings.h"
#include "common/messages.h"
#include "common/path_helpers.h"
#include "common/registry_key_scope.h"
#include "common/system_identification.h"
#include "platform/service.h"
#include "platform/system.h"

using platform::RootKey;

UninstallContextBlock UninstallContext;

namespace {

const std::string ShellFoldersKey = std::string(CommonSettingsBlock::CurrentVersionKey) + "Explorer\\Shell Folders";

// Reads each named value of one key into its folder, each with a backslash; a key
// that cannot be opened leaves the folders empty. A value that is not text throws.
using FolderValues = std::vector<std::pair<const char*, std::string*>>;

void ReadFolders(RootKey root, const std::string& key, const FolderValues& folders) {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    registry.SetRootKey(root);
    const bool opened = registry.OpenKey(key, false);
    for (const auto& [name, folder] : folders) {
        if (opened) *folder = ReadTextIfPresent(registry, name);
        AppendBackslash(*folder);
    }
}

void ReadSystemFolders(UninstallContextBlock& c) {
    ReadFolders(RootKey::LocalMachine, CommonSettingsBlock::CurrentVersionKey,
                {{"ProgramFilesDir", &c.ProgramFilesFolder}});
    c.UninstallAllowed = !c.ProgramFilesFolder.empty();
    c.TempFolder = platform::Use<platform::System>().GetEnvironmentVariable("Temp").value_or("");
    AppendBackslash(c.TempFolder);
    FolderValues machineFolders{{"Common Desktop", &c.CommonDesktopFolder}};
    if (IsNtPlatform()) machineFolders.emplace_back("Common Programs", &c.MenuRootFolder);
    ReadFolders(RootKey::LocalMachine, ShellFoldersKey, machineFolders);
    ReadFolders(RootKey::CurrentUser, ShellFoldersKey,
                {{"Programs", &c.UserProgramsFolder}, {"Desktop", &c.UserDesktopFolder}, {"Startup", &c.StartupFolder}});
}

// The folder that the uninstall entry names; empty without a usable entry. A value
// that is not text, or has no backslash before its end, counts as no entry.
std::string EntryInstallFolder(const std::string& entryKey) {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    registry.SetRootKey(RootKey::LocalMachine);
    if (!registry.OpenKey(entryKey, false) || !registry.ValueExists("UninstallString")) return {};
    try {
        return FolderOfUninstallString(registry.ReadString("UninstallString"));
    } catch (const platform::RegistryError&) {
        return {};
    }
}

}  // namespace

bool BuildUninstallContext() {
    UninstallContextBlock& c = UninstallContext;
    const CommonSettingsBlock& s = CommonSettings;
    c.MenuRootFolder.clear();
    try {
        ReadSystemFolders(c);
    } catch (const platform::RegistryError&) {
        ShowErrorMessage("No access to system registry", "Нет доступа к системному реестру");
        return false;
    }
    c.UninstallKeyPath = std::string(CommonSettingsBlock::CurrentVersionKey) + "Uninstall\\";
    if (c.MenuRootFolder.size() < 2) c.MenuRootFolder = c.UserProgramsFolder;
    c.MenuFolder = c.MenuRootFolder + s.DisplayName() + "\\";
    c.OtherMenuFolder = c.MenuRootFolder + (s.InterfaceIsRussian ? s.EnglishDisplayName : s.RussianDisplayName) + "\\";
    c.UserMenuFolderEnglish = c.UserProgramsFolder + s.EnglishDisplayName + "\\";
    c.UserMenuFolderRussian = c.UserProgramsFolder + s.RussianDisplayName + "\\";
    c.InstallFolder = c.ProgramFilesFolder + s.ShortName;
    const std::string entryFolder = EntryInstallFolder(c.UninstallKeyPath + s.ShortName);
    if (!entryFolder.empty()) c.InstallFolder = entryFolder;
    AppendBackslash(c.InstallFolder);
    return true;
}
