#pragma once
#include <optional>
#include <string>
#include <vector>

extern const char* const CleanupScriptName;
extern const char* const CleanupDelayLine;

// The text converted from the ANSI to the OEM code page (CharToOemA); "" stays "".
std::string ToOemText(const std::string& text);

// A path as a batch line must quote it: in the OEM code page, every % doubled so that
// the command interpreter does not expand it. Empty when the converted path holds a
// character that no file name can (a code-page substitute), so that no line can name
// another file or break out of its quotes.
std::optional<std::string> ScriptPathText(const std::string& ansiPath);

// The script's lines for these file names of the folder (which ends with a backslash).
std::vector<std::string> CleanupScriptLines(const std::string& installFolder, const std::vector<std::string>& fileNames);

// Writes TempFolder + CleanupScriptName from UninstallContext. False, with nothing
// written, when the Temp folder is unset or missing or the file cannot be written:
// the script must then not be started, or an older file of that name would run.
bool WriteCleanupScript();

// Starts the written script hidden, with the Temp folder as its current directory.
void StartCleanupScript();
