#include "platform/win32/system_win32.h"

#include "platform/win32/windows_api.h"
#include <shlobj.h>

#include <vector>

namespace platform::win32 {

std::uint32_t Win32System::GetUserDefaultLCID() { return ::GetUserDefaultLCID(); }

std::optional<VersionInfo> Win32System::GetVersionEx(bool extendedRecord) {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = extendedRecord ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return std::nullopt;
#pragma GCC diagnostic pop
    return VersionInfo{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

std::optional<std::uint16_t> Win32System::NativeProcessorArchitecture() {
    using Function = void(WINAPI*)(SYSTEM_INFO*);
    auto native = reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetNativeSystemInfo")));
    if (!native) return std::nullopt;
    SYSTEM_INFO info{};
    native(&info);
    return info.wProcessorArchitecture;
}

std::uint16_t Win32System::ProcessorArchitecture() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.wProcessorArchitecture;
}

bool Win32System::IsUserAnAdmin() { return ::IsUserAnAdmin() != FALSE; }

std::optional<std::string> Win32System::GetEnvironmentVariable(const std::string& name) {
    DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<char> value(size);
    DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    return std::string(value.data(), length);
}

void Win32System::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

LocalDate Win32System::Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalDate{now.wYear, now.wMonth, now.wDay};
}

KernelHandle Win32System::CreateFileMapping(const std::string& name, std::uint32_t size, std::uint32_t& lastError) {
    HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
    lastError = ::GetLastError();
    return reinterpret_cast<KernelHandle>(mapping);
}

void Win32System::CloseHandle(KernelHandle handle) { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }

}  // namespace platform::win32
