#pragma once
#include <cstddef>
#include <string>

void AppendBackslash(std::string& path);
std::string WithoutTrailingBackslash(const std::string& path);
// Today's local date as eight digits: year, month, day.
std::string InstallDateText();
// The folder of an "UninstallString": up to and including the last backslash before its
// last character; empty when there is none.
std::string FolderOfUninstallString(const std::string& value);
// Length of the root of a full path, "X:\" or "\\server\share\"; 0 for a path that is relative,
// drive-relative or a device path, whose meaning depends on where the program stands.
std::size_t PathRootLength(const std::string& path);
// ASCII letters A-Z folded to lower case, other bytes unchanged (the folder-word check).
std::string AsciiLowerCase(std::string text);
