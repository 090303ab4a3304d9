#include "uninstaller/cleanup_script.h"

#include <cstdint>

#include "common/path_helpers.h"
#include "platform/files.h"
#include "platform/oem_text.h"
#include "platform/service.h"
#include "platform/shell.h"
#include "platform/types.h"
#include "uninstaller/uninstall_context.h"

const char* const CleanupScriptName = "q's_unin.cmd";
const char* const CleanupDelayLine = "ping 127.0.0.1 -n 3 > nul || ping ::1 -n 3 > nul";

namespace {

// Read-only, hidden, system, volume label, archive: every entry but a folder.
constexpr std::uint32_t ListedAttributes = 0x2F;

// Bytes no Windows file name holds; after the conversion they mean a substitute.
bool IsForeignToFileNames(unsigned char c) {
    return c < 0x20 || c == '"' || c == '*' || c == '?' || c == '<' || c == '>' || c == '|';
}

std::string DoublePercentSigns(const std::string& text) {
    std::string doubled;
    for (char c : text) {
        doubled += c;
        if (c == '%') doubled += '%';
    }
    return doubled;
}

// `command` followed by the quoted path; nothing when the path cannot be written safely.
void AddPathLine(std::vector<std::string>& lines, const char* command, const std::string& ansiPath) {
    const std::optional<std::string> path = ScriptPathText(ansiPath);
    if (path) lines.push_back(std::string(command) + "\"" + *path + "\"");
}

}  // namespace

std::string ToOemText(const std::string& text) {
    if (text.empty()) return text;
    return platform::Use<platform::OemText>().CharToOem(text);
}

std::optional<std::string> ScriptPathText(const std::string& ansiPath) {
    const std::string oem = ToOemText(ansiPath);
    for (unsigned char c : oem)
        if (IsForeignToFileNames(c)) return std::nullopt;
    return DoublePercentSigns(oem);
}

std::vector<std::string> CleanupScriptLines(const std::string& installFolder, const std::vector<std::string>& fileNames) {
    std::vector<std::string> lines{"@echo off", CleanupDelayLine};
    for (const std::string& name : fileNames) AddPathLine(lines, "del ", installFolder + name);
    lines.push_back(CleanupDelayLine);
    AddPathLine(lines, "rd ", WithoutTrailingBackslash(installFolder));
    lines.push_back(std::string("del ") + CleanupScriptName);
    return lines;
}

bool WriteCleanupScript() {
    const UninstallContextBlock& c = UninstallContext;
    platform::FileSystem& files = platform::Use<platform::FileSystem>();
    if (c.TempFolder.empty() || !files.DirectoryExists(c.TempFolder)) return false;
    std::vector<std::string> names;
    for (const platform::FoundFile& found : files.FindFiles(c.InstallFolder + "*.*", ListedAttributes))
        if (!found.IsDirectory()) names.push_back(found.name);  // a subfolder and what it holds stay
    std::string text;
    for (const std::string& line : CleanupScriptLines(c.InstallFolder, names)) text += line + "\r\n";
    return files.WriteFile(c.TempFolder + CleanupScriptName, text.data(), text.size());
}

void StartCleanupScript() {
    // The bare name is looked up in the current directory: elsewhere it could name another file.
    if (!platform::Use<platform::FileSystem>().SetCurrentDirectory(UninstallContext.TempFolder)) return;
    platform::Use<platform::Shell>().ShellExecuteA(0, "open", CleanupScriptName, "", "", platform::SwHide);
}
