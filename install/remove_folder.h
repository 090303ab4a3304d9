#pragma once
#include <string>

// Deletes the folder with all it holds, silently, not into the recycle bin.
// False when the folder does not exist or the shell refused.
bool RemoveFolder(const std::string& folder);
