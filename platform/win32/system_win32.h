#pragma once
#include "platform/system.h"

namespace platform::win32 {

class Win32System : public System {
public:
    std::uint32_t GetUserDefaultLCID() override;
    std::optional<VersionInfo> GetVersionEx(bool extendedRecord) override;
    std::optional<std::uint16_t> NativeProcessorArchitecture() override;
    std::uint16_t ProcessorArchitecture() override;
    bool IsUserAnAdmin() override;
    std::optional<std::string> GetEnvironmentVariable(const std::string& name) override;
    void Sleep(std::uint32_t milliseconds) override;
    LocalDate Today() override;
    KernelHandle CreateFileMapping(const std::string& name, std::uint32_t size, std::uint32_t& lastError) override;
    void CloseHandle(KernelHandle handle) override;
};

}  // namespace platform::win32
