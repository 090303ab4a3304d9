#include "platform/win32/windows_api.h"
#include "platform/win32/shell_win32.h"

#include <shlobj.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/handles.h"

namespace platform::win32 {

namespace {
// The shell-link class, {00021401-0000-0000-C000-000000000046}; defined here so that the
// whole GUID library is not linked in for it.
constexpr CLSID ShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}  // namespace

int Win32Shell::DeleteWithShell(const std::string& path, std::uint16_t flags) {
    std::vector<char> from(path.begin(), path.end());
    from.push_back('\0');
    from.push_back('\0');  // the list ends with an empty name
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.pTo = nullptr;
    operation.fFlags = flags;
    return ::SHFileOperationA(&operation);
}

std::intptr_t Win32Shell::ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                                        const std::string& parameters, const std::string& directory, int showCommand) {
    HINSTANCE result = ::ShellExecuteA(ToHwnd(owner), verb.c_str(), file.c_str(), parameters.c_str(),
                                       directory.empty() ? nullptr : directory.c_str(), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::SaveShellLink(const ShellLink& link, const std::string& file) {
    ComPtr<IShellLinkA> shellLink;
    if (FAILED(::CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                                  shellLink.put_void())))
        return false;
    ComPtr<IPersistFile> persist;
    if (FAILED(shellLink->QueryInterface(__uuidof(IPersistFile), persist.put_void()))) return false;
    shellLink->SetPath(link.path.c_str());
    shellLink->SetWorkingDirectory(link.workingDirectory.c_str());
    shellLink->SetDescription(link.description.c_str());
    shellLink->SetArguments(link.arguments.c_str());
    shellLink->SetShowCmd(link.showCommand);
    shellLink->SetIconLocation(link.iconPath.c_str(), link.iconIndex);
    const int length = ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> wideFile(length);
    ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wideFile.data(), length);
    return SUCCEEDED(persist->Save(wideFile.data(), TRUE));
}

}  // namespace platform::win32
