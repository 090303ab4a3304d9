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

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
std::size_t StepEnd(const std::string& path, std::size_t from) {
    while (from < path.size() && !IsSeparator(path[from])) ++from;
    return from;
}
}  // namespace

std::size_t PathRootLength(const std::string& path) {
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) return 3;
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
    if (path[2] == '?' || path[2] == '.') return 0;  // \\?\ and \\.\ name devices
    const std::size_t serverEnd = StepEnd(path, 2);
    if (serverEnd == 2 || serverEnd >= path.size()) return 0;
    const std::size_t shareEnd = StepEnd(path, serverEnd + 1);
    if (shareEnd == serverEnd + 1 || shareEnd >= path.size()) return 0;
    return shareEnd + 1;
}

std::string AsciiLowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}
