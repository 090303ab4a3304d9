#include "uninstaller/uninstall_removal.h"

#include <string>

#include "common/common_settings.h"
#include "common/registry_key_scope.h"
#include "common/system_identification.h"
#include "install/remove_folder.h"
#include "platform/files.h"
#include "platform/service.h"
#include "uninstaller/uninstall_context.h"

using platform::RootKey;

namespace {

const char* const MakerKeyFromRoot = "\\Software\\Q's";
const char* const DefaultUserMakerKey = ".DEFAULT\\Software\\Q's";

enum class Removal { Subkey, Value };

// One registry step: open the key without creating it, delete one item, close.
void RemoveFromKey(RootKey root, const std::string& key, Removal removal, const std::string& name) {
    platform::Registry& registry = *CommonSettings.SetupRegistry;
    RegistryKeyScope scope(registry);
    registry.SetRootKey(root);
    if (!registry.OpenKey(key, false)) return;
    if (removal == Removal::Subkey)
        registry.DeleteKey(name);
    else if (registry.ValueExists(name))
        registry.DeleteValue(name);
}

void DeleteFileIn(const std::string& folder, const std::string& name) {
    if (!folder.empty()) platform::Use<platform::FileSystem>().DeleteFile(folder + name);
}

void RemoveMenuFolderUnder(const std::string& root, const std::string& folder) {
    if (!root.empty()) RemoveFolder(folder);
}

}  // namespace

void RemoveRegistryEntries() {
    const std::string& name = CommonSettings.ShortName;
    const std::string currentVersion = CommonSettingsBlock::CurrentVersionKey;
    RemoveFromKey(RootKey::LocalMachine, UninstallContext.UninstallKeyPath, Removal::Subkey, name);
    RemoveFromKey(RootKey::CurrentUser, currentVersion + (IsNtPlatform() ? "Run" : "RunServices"), Removal::Value,
                  "!" + name);
    RemoveFromKey(RootKey::CurrentUser, currentVersion + "Run", Removal::Value, name);
    RemoveFromKey(RootKey::CurrentUser, MakerKeyFromRoot, Removal::Subkey, name);
    RemoveFromKey(RootKey::Users, DefaultUserMakerKey, Removal::Subkey, name);
}

void DeleteShortcutFiles() {
    const UninstallContextBlock& c = UninstallContext;
    const CommonSettingsBlock& s = CommonSettings;
    DeleteFileIn(c.CommonDesktopFolder, s.EnglishDisplayName + ".lnk");
    DeleteFileIn(c.CommonDesktopFolder, s.RussianDisplayName + ".lnk");
    DeleteFileIn(c.UserDesktopFolder, s.EnglishDisplayName + ".lnk");
    DeleteFileIn(c.UserDesktopFolder, s.RussianDisplayName + ".lnk");
    platform::FileSystem& files = platform::Use<platform::FileSystem>();
    const std::string startupShortcut = c.StartupFolder + s.ShortName + ".lnk";
    if (!c.StartupFolder.empty() && files.FileExists(startupShortcut)) files.DeleteFile(startupShortcut);
}

void RemoveMenuFolders() {
    const UninstallContextBlock& c = UninstallContext;
    RemoveMenuFolderUnder(c.UserProgramsFolder, c.UserMenuFolderEnglish);
    RemoveMenuFolderUnder(c.UserProgramsFolder, c.UserMenuFolderRussian);
    RemoveMenuFolderUnder(c.MenuRootFolder, c.MenuFolder);
    RemoveMenuFolderUnder(c.MenuRootFolder, c.OtherMenuFolder);
}
