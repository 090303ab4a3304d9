#include "uninstaller/information_message.h"

#include "common/messages.h"

void ShowInformationMessage(const std::string& englishText, const std::string& russianText) {
    ShowBilingualMessage(englishText, russianText, InformationBoxFlags);
}
