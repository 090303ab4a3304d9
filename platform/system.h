#pragma once
// Queries about the machine, the user and the clock.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace platform {

constexpr std::uint32_t PlatformWin32Nt = 2;
constexpr std::uint16_t ProcessorX86 = 0;
constexpr std::uint16_t ProcessorItanium = 6;
constexpr std::uint16_t ProcessorAmd64 = 9;

struct VersionInfo {
    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
};

struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

class System {
public:
    virtual ~System() = default;
    virtual std::uint32_t GetUserDefaultLCID() = 0;
    // The version query with the extended record (size 156) or the basic one (148); empty when it fails.
    virtual std::optional<VersionInfo> GetVersionEx(bool extendedRecord) = 0;
    // "GetNativeSystemInfo" looked up in kernel32 at run time; empty when it is not exported.
    virtual std::optional<std::uint16_t> NativeProcessorArchitecture() = 0;
    virtual std::uint16_t ProcessorArchitecture() = 0;  // GetSystemInfo
    virtual bool IsUserAnAdmin() = 0;
    virtual std::optional<std::string> GetEnvironmentVariable(const std::string& name) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual LocalDate Today() = 0;
    // A paging-file mapping of `size` bytes; the error is GetLastError right after the call.
    virtual KernelHandle CreateFileMapping(const std::string& name, std::uint32_t size,
                                           std::uint32_t& lastError) = 0;
    virtual void CloseHandle(KernelHandle handle) = 0;
};

}  // namespace platform
