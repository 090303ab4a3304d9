#include "platform/win32/windows_api.h"
#include "platform/win32/oem_text_win32.h"

#include <windows.h>

#include <vector>

namespace platform::win32 {

std::string Win32OemText::CharToOem(const std::string& ansiText) {
    if (ansiText.empty()) return {};
    std::vector<char> oem(ansiText.size() + 1, '\0');
    ::CharToOemA(ansiText.c_str(), oem.data());
    return std::string(oem.data(), ansiText.size());
}

}  // namespace platform::win32
