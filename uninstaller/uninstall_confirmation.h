#pragma once
#include <cstdint>
#include <string>

constexpr std::uint32_t ConfirmationBoxFlags = 0x42124;  // Yes/No, question, No by default, task-modal, topmost

std::string RussianConfirmationText(const std::string& installFolder);
std::string EnglishConfirmationText(const std::string& installFolder);

// Asks in the interface language whether to uninstall; true only for Yes.
bool UserConfirmsUninstall();
