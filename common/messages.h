#pragma once
#include <cstdint>
#include <string>

constexpr std::uint32_t ErrorBoxFlags = 0x200010;        // service notification, error icon
constexpr std::uint32_t WarningBoxFlags = 0x42030;       // topmost, task-modal, warning icon
constexpr std::uint32_t InformationBoxFlags = 0x42040;   // topmost, task-modal, information icon

// Shows the text of the interface language: English first, Russian second.
void ShowBilingualMessage(const std::string& englishText, const std::string& russianText, std::uint32_t flags);
void ShowErrorMessage(const std::string& englishText, const std::string& russianText);
void ShowWarningMessage(const std::string& englishText, const std::string& russianText);

// A Russian box whatever the interface: no owner, Russian buttons.
int ShowRussianBox(const std::string& text, const std::string& caption, std::uint32_t flags);
