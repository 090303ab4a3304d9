#include "common/messages.h"

#include "common/common_settings.h"
#include "platform/desktop.h"
#include "platform/service.h"
#include "platform/types.h"

int ShowRussianBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
    return platform::Use<platform::Desktop>().MessageBoxExA(0, text, caption, flags, platform::LanguageRussian);
}

void ShowBilingualMessage(const std::string& englishText, const std::string& russianText, std::uint32_t flags) {
    if (CommonSettings.InterfaceIsRussian)
        ShowRussianBox(russianText, CommonSettings.RussianDisplayName, flags);
    else
        platform::Use<platform::Desktop>().MessageBoxA(0, englishText, CommonSettings.EnglishDisplayName, flags);
}

void ShowErrorMessage(const std::string& englishText, const std::string& russianText) {
    ShowBilingualMessage(englishText, russianText, ErrorBoxFlags);
}

void ShowWarningMessage(const std::string& englishText, const std::string& russianText) {
    ShowBilingualMessage(englishText, russianText, WarningBoxFlags);
}
