#include "setup/startup_checks.h"

#include "common/common_settings.h"
#include "common/messages.h"
#include "common/product_marker.h"
#include "install/install_context.h"
#include "platform/service.h"
#include "platform/system.h"
#include "platform/types.h"
#include "setup/product_constants.h"

namespace {

constexpr std::uint32_t RussianPromptFlags = 0x2024;  // Yes/No, question icon, task-modal

bool UserReadsRussian() {
    const std::string text = "The " + CommonSettings.EnglishDisplayName +
                             " is a Russian-language program.\r\nCan you read the following line?\r\n"
                             "Это русскоязычная программа. Желаете продолжить установку?\r\n"
                             "To ensure correct representation of Russian messages you may set Russian language "
                             "for non-Unicode programs in Regional Options of the Control Panel.\r\n"
                             "Would you like to continue installation of the program?";
    return ShowRussianBox(text, "Russian is not basic language on your computer!", RussianPromptFlags) ==
           platform::IdYes;
}

}  // namespace

bool RunStartupChecks() {
    CommonSettings.SetIdentity(MorvalenIdentity());
    if (!BuildInstallContext()) return false;
    if (!CommonSettings.IsAdministrator) {
        ShowErrorMessage("You have no right to install applications!", "У Вас нет права устанавливать программы!");
        return false;
    }
    if (!ProbeProductMarker()) {
        AskProductToQuit();
        platform::Use<platform::System>().Sleep(512);
    }
    if (CommonSettings.InterfaceIsRussian) return true;
    return UserReadsRussian();
}
