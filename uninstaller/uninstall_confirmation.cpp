#include "uninstaller/uninstall_confirmation.h"

#include "common/common_settings.h"
#include "common/messages.h"
#include "platform/desktop.h"
#include "platform/service.h"
#include "platform/types.h"
#include "uninstaller/uninstall_context.h"

// The line breaks of these texts are bare line feeds.
std::string RussianConfirmationText(const std::string& installFolder) {
    return "Всё готово к удалению программы \"" + CommonSettings.RussianDisplayName +
           "\".\n\n"
           "Будет удалён соответствующий пункт из меню программ,\n"
           "ярлык на Рабочем столе и всё из папки " +
           installFolder +
           ".\n\n"
           "Перед установкой новой версии программы удаление не требуется,\n"
           "если только Вы не хотите сбросить все настройки и наработанный материал.\n\n"
           "Действительно ли Вы вынуждены удалить программу?";
}

std::string EnglishConfirmationText(const std::string& installFolder) {
    return "All is ready to uninstall the " + CommonSettings.EnglishDisplayName +
           " program.\n\n"
           "Respective item of Programs menu, a shortcut on Desktop\n"
           "and everything in " +
           installFolder +
           " are going to be deleted.\n\n"
           "No need to uninstall the program before installation of its new version,\n"
           "unless you want to reset all options and logs.\n\nAre you really to uninstall it?";
}

bool UserConfirmsUninstall() {
    const std::string& folder = UninstallContext.InstallFolder;
    int answer;
    if (CommonSettings.InterfaceIsRussian)
        answer = ShowRussianBox(RussianConfirmationText(folder), "Подумайте лучше", ConfirmationBoxFlags);
    else
        answer = platform::Use<platform::Desktop>().MessageBoxA(0, EnglishConfirmationText(folder), "Think it over",
                                                                 ConfirmationBoxFlags);
    return answer == platform::IdYes;
}
