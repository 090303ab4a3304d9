#pragma once
#include "platform/registry.h"

namespace platform::win32 {

class Win32RegistryFactory : public RegistryFactory {
public:
    std::unique_ptr<Registry> CreateRegistry(std::uint32_t access) override;
};

}  // namespace platform::win32
