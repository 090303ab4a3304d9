#pragma once
#include "platform/registry.h"

// Closes the registry's open key when a step ends, also when it throws.
class RegistryKeyScope {
public:
    explicit RegistryKeyScope(platform::Registry& registry) : registry_(registry) {}
    ~RegistryKeyScope() { registry_.CloseKey(); }
    RegistryKeyScope(const RegistryKeyScope&) = delete;
    RegistryKeyScope& operator=(const RegistryKeyScope&) = delete;

private:
    platform::Registry& registry_;
};

// The text of a value of the open key, or "" when the key has no such value.
inline std::string ReadTextIfPresent(platform::Registry& registry, const std::string& name) {
    return registry.ValueExists(name) ? registry.ReadString(name) : std::string();
}
