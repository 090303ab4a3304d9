#pragma once
#include <string>

// Saves a shortcut to `target` as `linkFile`: the target's folder (with its backslash)
// as working folder, SW_SHOW, the target itself as icon file. True when the file was
// saved; a failure is not shown.
bool CreateShellLink(const std::string& target, const std::string& linkFile, const std::string& arguments,
                     const std::string& description, int iconIndex);
