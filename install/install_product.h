#pragma once
#include <string>

// Registers the product in the list of installed programs, clears and recreates its
// menu folder, installs its files and makes its shortcuts. False when it stopped early:
// after the rights message, or when there was nothing to install.
bool InstallProduct(bool createDesktopShortcut);

// TargetFolder + ShortName + ".exe": the installed product's executable.
std::string ProductExecutablePath();
