#pragma once
#include <string>

// True when `folder` exists or has now been made with all its missing parents. A path that
// cannot name a folder of its own is refused before anything is made: one that is not a full
// path (a drive letter and a backslash, or \\server\share\), one that holds a character
// Windows forbids in names, and one too long for Windows to make.
bool EnsureTargetFolder(const std::string& folder);
