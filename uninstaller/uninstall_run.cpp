#include "uninstaller/uninstall_run.h"

#include "common/common_settings.h"
#include "common/messages.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/service.h"
#include "uninstaller/cleanup_script.h"
#include "uninstaller/information_message.h"
#include "uninstaller/install_folder_check.h"
#include "uninstaller/uninstall_confirmation.h"
#include "uninstaller/uninstall_context.h"
#include "uninstaller/uninstall_removal.h"

namespace {

void ShowNoRightMessage() {
    ShowErrorMessage("You have no right to uninstall applications!", "У Вас нет права удалять программы!");
}

// The uninstall entry is not trusted: a folder that is missing, or that is not
// plainly the product's own, is reported as not found and nothing is removed.
bool InstallFolderFound() {
    const std::string& folder = UninstallContext.InstallFolder;
    const std::string& name = CommonSettings.ShortName;
    if (platform::Use<platform::FileSystem>().DirectoryExists(folder) && IsRemovableInstallFolder(folder, name))
        return true;
    ShowErrorMessage("Can't find " + folder + " folder\nof the " + name + " program.",
                     "Не удалось найти папку " + folder + "\n" + "удаляемой программы " + name);
    return false;
}

}  // namespace

bool RunUninstall() {
    try {
        if (!UninstallContext.UninstallAllowed) {
            ShowNoRightMessage();
            return false;
        }
        if (!InstallFolderFound() || !UserConfirmsUninstall()) return false;
        RemoveRegistryEntries();
        DeleteShortcutFiles();
        RemoveMenuFolders();
        const bool scriptWritten = WriteCleanupScript();
        ShowInformationMessage(
            "The program is now removed from your system.\r\n\r\n"
            "If you created any shortcuts for launching the program,\r\nyou may need to remove them manually.",
            "Программа удалена из системы.\r\n\r\n"
            "Если Вы сами создавали ярлыки для запуска программы,\r\nих придётся удалить вручную.");
        if (scriptWritten) StartCleanupScript();
        return true;
    } catch (const platform::RegistryError&) {
        ShowNoRightMessage();
        return false;
    }
}
