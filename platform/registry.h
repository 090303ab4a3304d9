#pragma once
// A registry accessor in the manner of a class-library registry object: one
// current root, at most one open key, values read and written on that key.
#include <cstdint>
#include <memory>
#include <exception>
#include <string>

namespace platform {

enum class RootKey { CurrentUser, LocalMachine, Users };

constexpr std::uint32_t KeyAllAccess = 0xF003F;
constexpr std::uint32_t KeyWow64_64Key = 0x0100;

// A read or write that failed; the callers that must survive it catch it. Not a
// std::runtime_error: that one would link a second string implementation into the programs.
class RegistryError : public std::exception {
public:
    explicit RegistryError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual std::uint32_t Access() const = 0;
    virtual void SetRootKey(RootKey root) = 0;
    // Closes the open key first. A path with a leading backslash starts at the root.
    virtual bool OpenKey(const std::string& path, bool canCreate) = 0;
    virtual void CloseKey() = 0;
    virtual bool ValueExists(const std::string& name) = 0;
    // "" for a missing value; throws RegistryError for a value that is not text.
    virtual std::string ReadString(const std::string& name) = 0;
    // Both throw RegistryError when no key is open or the write fails.
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    virtual void WriteInteger(const std::string& name, std::int32_t value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
    // Deletes the key with all its subkeys; relative to the open key, else to the root.
    virtual bool DeleteKey(const std::string& path) = 0;
};

class RegistryFactory {
public:
    virtual ~RegistryFactory() = default;
    virtual std::unique_ptr<Registry> CreateRegistry(std::uint32_t access) = 0;
};

}  // namespace platform
