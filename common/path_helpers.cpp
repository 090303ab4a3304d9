#include "common/path_helpers.h"

#include <cstdio>

#include "platform/service.h"
#include "platform/system.h"

void AppendBackslash(std::string& path) {
    if (!path.empty() && path.back() != '\\') path += '\\';
}

std::string WithoutTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

std::string InstallDateText() {
    const platform::LocalDate today = platform::Use<platform::System>().Today();
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", today.year, today.month, today.day);
    return text;
}

std::string FolderOfUninstallString(const std::string& value) {
    if (value.size() < 2) return {};
    const std::size_t backslash = value.find_last_of('\\', value.size() - 2);
    if (backslash == std::string::npos) return {};
    return value.substr(0, backslash + 1);
}

std::string AsciiLowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}
