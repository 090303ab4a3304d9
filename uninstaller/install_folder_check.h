#pragma once
#include <string>

// Whether the folder that the uninstall entry names may have all its files deleted:
// an absolute path below a drive or share root, with no "." or ".." step and no
// character a folder name cannot hold, whose steps contain the product word
// (ASCII letters case folded, as the setup checks the folder it installs into).
bool IsRemovableInstallFolder(const std::string& folder, const std::string& productWord);
