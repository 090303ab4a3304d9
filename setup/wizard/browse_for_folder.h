#pragma once
#include <string>

// The shell's folder picker opened on `folder`; true when the user picked a folder, whose path
// (without a trailing backslash, as the shell gives it) is then in `folder`. A folder that does
// not exist is emptied first, so the picker opens with nothing selected.
bool BrowseForFolder(const std::string& title, std::string& folder);
