#pragma once
#include <string>

// The uninstaller's information box: English first, Russian second, as the error box.
void ShowInformationMessage(const std::string& englishText, const std::string& russianText);
