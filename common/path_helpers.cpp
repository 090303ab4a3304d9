#include "common/path_helpers.h"

#include "platform/service.h"
#include "platform/system.h"

void AppendBackslash(std::string& path) {
    if (!path.empty() && path.back() != '\\') path += '\\';
}

std::string WithoutTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

namespace {
// The number's last `digits` decimal digits, with leading zeros.
std::string Digits(int number, int digits) {
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int at = digits - 1; at >= 0 && number > 0; --at, number /= 10) text[at] = static_cast<char>('0' + number % 10);
    return text;
}
}  // namespace

std::string InstallDateText() {
    const platform::LocalDate today = platform::Use<platform::System>().Today();
    return Digits(today.year, 4) + Digits(today.month, 2) + Digits(today.day, 2);
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
