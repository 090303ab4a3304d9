#pragma once
#include <string>

void AppendBackslash(std::string& path);
std::string WithoutTrailingBackslash(const std::string& path);
// Today's local date as eight digits: year, month, day.
std::string InstallDateText();
// The folder of an "UninstallString": up to and including the last backslash before its
// last character; empty when there is none.
std::string FolderOfUninstallString(const std::string& value);
// ASCII letters A-Z folded to lower case, other bytes unchanged (the folder-word check).
std::string AsciiLowerCase(std::string text);
