// lnk, hold-mapping
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "commands.h"
#include "failure.h"
#include "json_line.h"
#include "platform/win32/handles.h"

namespace uidriver {
namespace {

using platform::win32::ComPtr;
using platform::win32::unique_handle;

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
        if (FAILED(result_)) FailApi(L"CoInitializeEx", static_cast<unsigned long>(result_));
    }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

void Check(HRESULT result, const wchar_t* call) {
    if (FAILED(result)) FailApi(call, static_cast<unsigned long>(result));
}

// The show command as the file's header stores it (a 0x4C-byte header, the field at
// offset 60): Wine's shell link loads it back as SW_SHOWNORMAL whatever was saved.
long long ShowCommandInFile(const std::wstring& path) {
    platform::win32::unique_file file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD header[16] = {};
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), header, sizeof header, &read, nullptr) || read != sizeof header) return -1;
    return header[0] == 0x4C ? static_cast<long long>(header[15]) : -1;
}

}  // namespace

void ResolveShortcut(const Args& args) {
    std::wstring path = args.Text(L"path");
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) Fail(kNotFound, L"no such file: " + path);
    ComApartment apartment;
    ComPtr<IShellLinkW> link;
    Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()),
          L"CoCreateInstance(CLSID_ShellLink)");
    ComPtr<IPersistFile> file;
    Check(link->QueryInterface(IID_IPersistFile, file.put_void()), L"QueryInterface(IPersistFile)");
    Check(file->Load(path.c_str(), STGM_READ), L"IPersistFile::Load");

    wchar_t target[MAX_PATH] = {}, directory[MAX_PATH] = {}, arguments[INFOTIPSIZE] = {};
    wchar_t description[INFOTIPSIZE] = {}, icon[MAX_PATH] = {};
    int iconIndex = 0, showCommand = 0;
    Check(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH), L"IShellLinkW::GetPath");
    Check(link->GetWorkingDirectory(directory, MAX_PATH), L"IShellLinkW::GetWorkingDirectory");
    Check(link->GetArguments(arguments, INFOTIPSIZE), L"IShellLinkW::GetArguments");
    Check(link->GetDescription(description, INFOTIPSIZE), L"IShellLinkW::GetDescription");
    Check(link->GetIconLocation(icon, MAX_PATH, &iconIndex), L"IShellLinkW::GetIconLocation");
    Check(link->GetShowCmd(&showCommand), L"IShellLinkW::GetShowCmd");
    JsonLine()
        .Add("path", path)
        .Add("target", target)
        .Add("working_directory", directory)
        .Add("arguments", arguments)
        .Add("description", description)
        .Add("icon_location", icon)
        .Add("icon_index", iconIndex)
        .Add("show_command", showCommand)
        .Add("show_command_in_file", ShowCommandInFile(path))
        .Print();
}

void HoldMapping(const Args& args) {
    std::wstring name = args.Text(L"name");
    DWORD holdMs = static_cast<DWORD>(args.Number(L"ms"));
    DWORD size = static_cast<DWORD>(args.NumberOr(L"size", 4096));
    unique_handle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str()));
    DWORD error = GetLastError();
    if (!mapping) FailApi(L"CreateFileMappingW " + name, error);
    JsonLine().Add("name", name).Add("already_existed", error == ERROR_ALREADY_EXISTS).Add("ms", holdMs).Print();
    Sleep(holdMs);
}

}  // namespace uidriver
